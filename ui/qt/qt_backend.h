// The Qt 6 backend: a real window per dialog, Qt's event loop as the modal loop, message
// boxes, the common dialogs over the machine's drives, and the row drag image.
#pragma once

#include <QApplication>
#include <memory>

#include "ui/backend.h"

namespace ui::qtbackend {

class QtDragImage;

class QtBackend : public Backend {
  public:
    // Creates the application object unless one exists already.
    QtBackend(int& argc, char** argv);
    ~QtBackend() override;
    QtBackend(const QtBackend&) = delete;
    QtBackend& operator=(const QtBackend&) = delete;

    std::unique_ptr<BackendWindow> CreateWindow(Dialog& dialog) override;
    void RunModalLoop(Dialog& dialog) override;
    bool PumpOneMessage() override;
    int MessageBox(Dialog* owner, const std::string& text, const std::string& caption,
                   unsigned type) override;
    bool GetOpenFileName(Dialog* owner, OpenFileRequest& request) override;
    bool BrowseForFolder(Dialog* owner, BrowseFolderRequest& request) override;
    void Beep() override;

    void DragBegin(const ImageList& image, int index, Point hotspot) override;
    void DragMove(Point screen) override;
    void DragShow(bool show) override;
    void DragEnd() override;

    // The drag image while a drag is in progress, or null.
    const QtDragImage* DragImage() const { return drag_.get(); }

  private:
    std::unique_ptr<QApplication> ownApplication_;
    std::unique_ptr<QtDragImage> drag_;
};

}  // namespace ui::qtbackend
