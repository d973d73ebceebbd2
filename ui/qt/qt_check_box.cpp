#include "ui/qt/qt_check_box.h"

#include "ui/dialog.h"
#include "ui/qt/qt_text.h"

namespace ui::qtbackend {
namespace {

class ModelCheckBox : public QCheckBox {
  public:
    using QCheckBox::QCheckBox;

  protected:
    void nextCheckState() override {}
};

}  // namespace

QtCheckBox::QtCheckBox(Control& model, QWidget& parent, QObject& context)
    : QtControl(model), box_(new ModelCheckBox(&parent)) {
    box_->setTristate(true);
    QObject::connect(box_, &QCheckBox::clicked, &context,
                     [&model] { model.Owner().UserClick(model.Id()); });
}

void QtCheckBox::UpdateContent(Change what) {
    if (what == Change::Text) {
        box_->setText(MnemonicText(Model().GetText()));
    } else if (what == Change::Check) {
        const unsigned check = Model().GetCheck();
        box_->setCheckState(check == BST_CHECKED         ? Qt::Checked
                            : check == BST_INDETERMINATE ? Qt::PartiallyChecked
                                                         : Qt::Unchecked);
    }
}

}  // namespace ui::qtbackend
