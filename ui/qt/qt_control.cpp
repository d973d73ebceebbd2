#include "ui/qt/qt_control.h"

#include "ui/dialog.h"

namespace ui::qtbackend {

void QtControl::Build() {
    QWidget* widget = Widget();
    widget->setGeometry(Placement());
    const bool tabStop = (model_.Template().style & Style::TabStop) != 0;
    widget->setFocusPolicy(tabStop ? Qt::StrongFocus : UntabbedFocus());
    for (Change what : {Change::Text, Change::Check, Change::Columns, Change::Images, Change::Rows,
                        Change::Selection, Change::Range, Change::Enabled, Change::Visible}) {
        Update(what);
    }
}

void QtControl::Update(Change what) {
    QWidget* widget = Widget();
    switch (what) {
        case Change::Enabled:
            widget->setEnabled(model_.IsEnabled());
            break;
        case Change::Visible:
            widget->setVisible(model_.IsVisible());
            break;
        case Change::Focus:
            if (model_.Owner().GetFocusId() == model_.Id() && !widget->hasFocus()) {
                widget->setFocus(Qt::OtherFocusReason);
            }
            UpdateContent(what);
            break;
        default:
            UpdateContent(what);
            break;
    }
}

QRect QtControl::Placement() const {
    const Rect bounds = model_.Bounds();
    return {bounds.left, bounds.top, bounds.Width(), bounds.Height()};
}

bool QtControl::Input(QObject*, QEvent*) {
    return false;
}

}  // namespace ui::qtbackend
