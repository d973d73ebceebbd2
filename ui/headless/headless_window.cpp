#include "ui/headless/headless_window.h"

#include "ui/dialog.h"
#include "ui/headless/headless_backend.h"

namespace ui::headless {

HeadlessWindow::HeadlessWindow(HeadlessBackend& backend, Dialog& dialog)
    : backend_(&backend), dialog_(dialog) {
    backend_->WindowCreated(*this);
}

HeadlessWindow::~HeadlessWindow() {
    // A dialog ended during its initialisation was never shown; it still opened and closed.
    if (backend_ == nullptr) {
        return;
    }
    if (!announced_) {
        backend_->WindowOpened(*this);
    }
    backend_->WindowDestroyed(*this);
}

void HeadlessWindow::Show(bool show) {
    shown_ = show;
    if (show && !announced_ && backend_ != nullptr) {
        announced_ = true;
        backend_->WindowOpened(*this);
    }
}

void HeadlessWindow::ControlChanged(Control&, Change) {}

void HeadlessWindow::CaptionChanged() {}

}  // namespace ui::headless
