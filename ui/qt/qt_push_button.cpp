#include "ui/qt/qt_push_button.h"

#include "ui/dialog.h"
#include "ui/qt/qt_text.h"

namespace ui::qtbackend {

QtPushButton::QtPushButton(Control& model, QWidget& parent, QObject& context)
    : QtControl(model), button_(new QPushButton(&parent)) {
    // Enter is the dialog's to handle, never the button's.
    button_->setAutoDefault(false);
    QObject::connect(button_, &QPushButton::clicked, &context,
                     [&model] { model.Owner().UserClick(model.Id()); });
}

void QtPushButton::UpdateContent(Change what) {
    if (what == Change::Text) {
        button_->setText(MnemonicText(Model().GetText()));
        button_->setDefault(Model().IsDefaultButton());
    }
}

}  // namespace ui::qtbackend
