#include "ui/qt/qt_window.h"

namespace ui::qtbackend {
namespace {

QWidget* ParentWindow(const Dialog& dialog) {
    const Dialog* parent = dialog.Parent();
    const QtWindow* window = parent != nullptr ? QtWindowOf(*parent) : nullptr;
    return window != nullptr ? window->Widget() : nullptr;
}

}  // namespace

QtWindow::QtWindow(Dialog& dialog) : view_(new DialogView(dialog, ParentWindow(dialog))) {}

QtWindow::~QtWindow() {
    view_->Retire();
}

void QtWindow::Show(bool show) {
    view_->Show(show);
}

void QtWindow::ControlChanged(Control& control, Change what) {
    if (what == Change::Focus) {
        // Where the focus goes decides which push button looks like the default one.
        view_->ShowFocusChange();
        return;
    }
    if (QtControl* view = view_->ControlOf(control)) {
        view->Update(what);
    }
}

void QtWindow::CaptionChanged() {
    view_->ShowCaption();
}

QWidget* QtWindow::ControlWidget(int id) const {
    QtControl* control = view_->ControlWithId(id);
    return control != nullptr ? control->Widget() : nullptr;
}

QWidget* QtWindow::ControlWidget(const Control& control) const {
    QtControl* view = view_->ControlOf(control);
    return view != nullptr ? view->Widget() : nullptr;
}

QtWindow* QtWindowOf(const Dialog& dialog) {
    return dynamic_cast<QtWindow*>(dialog.Window());
}

}  // namespace ui::qtbackend
