#include "ui/qt/qt_backend.h"

#include <QAbstractEventDispatcher>
#include <QEventLoop>
#include <QStyleFactory>

#include "ui/dialog.h"
#include "ui/qt/qt_drag_image.h"
#include "ui/qt/qt_folder_browser.h"
#include "ui/qt/qt_message_box.h"
#include "ui/qt/qt_open_file_dialog.h"
#include "ui/qt/qt_window.h"

namespace ui::qtbackend {
namespace {

QWidget* OwnerWidget(const Dialog* owner) {
    const QtWindow* window = owner != nullptr ? QtWindowOf(*owner) : nullptr;
    return window != nullptr ? window->Widget() : nullptr;
}

// Windows of dialogs that ended are deleted once Qt is back in its loop; do it now.
void DeleteRetiredWindows() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

}  // namespace

QtBackend::QtBackend(int& argc, char** argv) {
    if (QApplication::instance() == nullptr) {
        ownApplication_ = std::make_unique<QApplication>(argc, argv);
    }
    // Dialogs end when the program ends them, not when their last window closes.
    QApplication::setQuitOnLastWindowClosed(false);
    if (QStyle* fusion = QStyleFactory::create(QStringLiteral("Fusion"))) {
        QApplication::setStyle(fusion);
    }
}

QtBackend::~QtBackend() {
    drag_.reset();
    DeleteRetiredWindows();
}

std::unique_ptr<BackendWindow> QtBackend::CreateWindow(Dialog& dialog) {
    return std::make_unique<QtWindow>(dialog);
}

void QtBackend::RunModalLoop(Dialog& dialog) {
    while (!dialog.IsEnded()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
        DeleteRetiredWindows();
    }
}

bool QtBackend::PumpOneMessage() {
    QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance();
    const bool dispatched =
        dispatcher != nullptr && dispatcher->processEvents(QEventLoop::AllEvents);
    DeleteRetiredWindows();
    return dispatched;
}

int QtBackend::MessageBox(Dialog* owner, const std::string& text, const std::string& caption,
                          unsigned type) {
    return ShowMessageBox(OwnerWidget(owner), text, caption, type);
}

bool QtBackend::GetOpenFileName(Dialog* owner, OpenFileRequest& request) {
    QtOpenFileDialog dialog(request, OwnerWidget(owner));
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    request.path = dialog.Path();
    request.filterIndex = dialog.FilterIndex();
    return true;
}

bool QtBackend::BrowseForFolder(Dialog* owner, BrowseFolderRequest& request) {
    QtFolderBrowser browser(request, OwnerWidget(owner));
    if (browser.exec() != QDialog::Accepted || browser.Path().empty()) {
        return false;
    }
    request.path = browser.Path();
    return true;
}

void QtBackend::Beep() {
    QApplication::beep();
}

void QtBackend::DragBegin(const ImageList& image, int index, Point hotspot) {
    drag_ = std::make_unique<QtDragImage>(image, index, hotspot);
}

void QtBackend::DragMove(Point screen) {
    if (drag_) {
        drag_->Move(screen);
    }
}

void QtBackend::DragShow(bool show) {
    if (drag_) {
        drag_->Show(show);
    }
}

void QtBackend::DragEnd() {
    drag_.reset();
}

}  // namespace ui::qtbackend
