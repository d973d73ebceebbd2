#include "ui/qt/qt_radio_button.h"

#include "ui/dialog.h"
#include "ui/qt/qt_text.h"

namespace ui::qtbackend {
namespace {

class ModelRadioButton : public QRadioButton {
  public:
    using QRadioButton::QRadioButton;

  protected:
    void nextCheckState() override {}
};

}  // namespace

QtRadioButton::QtRadioButton(Control& model, QWidget& parent, QObject& context)
    : QtControl(model), button_(new ModelRadioButton(&parent)) {
    button_->setAutoExclusive(false);
    QObject::connect(button_, &QRadioButton::clicked, &context,
                     [&model] { model.Owner().UserClick(model.Id()); });
}

void QtRadioButton::UpdateContent(Change what) {
    if (what == Change::Text) {
        button_->setText(MnemonicText(Model().GetText()));
    } else if (what == Change::Check) {
        button_->setChecked(Model().GetCheck() == BST_CHECKED);
    }
}

}  // namespace ui::qtbackend
