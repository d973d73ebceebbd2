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
    }
    if (what == Change::Text || what == Change::Focus) {
        // A focused push button looks like the default one, which looks so otherwise.
        const Dialog& dialog = Model().Owner();
        const int focus = dialog.GetFocusId();
        const bool buttonFocused =
            dialog.HasItem(focus) && dialog.Item(focus).Kind() == ControlKind::PushButton;
        button_->setDefault(buttonFocused ? focus == Model().Id() : Model().IsDefaultButton());
    }
}

}  // namespace ui::qtbackend
