#include "ui/qt/qt_group_box.h"

#include "ui/qt/qt_text.h"

namespace ui::qtbackend {

QtGroupBox::QtGroupBox(Control& model, QWidget& parent)
    : QtControl(model), box_(new QGroupBox(&parent)) {
    // The controls inside are drawn over the frame, so it must not take their clicks.
    box_->setAttribute(Qt::WA_TransparentForMouseEvents);
}

void QtGroupBox::UpdateContent(Change what) {
    if (what == Change::Text) {
        box_->setTitle(MnemonicText(Model().GetText()));
    }
}

}  // namespace ui::qtbackend
