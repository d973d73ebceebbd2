// The image that follows the pointer during a row drag: a small frameless window that lets
// the mouse through and shows the image list's picture.
#pragma once

#include <QLabel>
#include <QPoint>
#include <memory>

#include "ui/image_list.h"

namespace ui::qtbackend {

class QtDragImage {
  public:
    QtDragImage(const ImageList& images, int index, Point hotspot);
    void Move(Point screen);
    void Show(bool show);
    QWidget* Widget() const { return label_.get(); }

  private:
    std::unique_ptr<QLabel> label_;
    QPoint hotspot_;
    bool shown_ = false;
};

}  // namespace ui::qtbackend
