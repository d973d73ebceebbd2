#include "ui/qt/qt_drag_image.h"

#include "ui/qt/qt_pixmap.h"

namespace ui::qtbackend {

QtDragImage::QtDragImage(const ImageList& images, int index, Point hotspot)
    : label_(std::make_unique<QLabel>(nullptr, Qt::ToolTip | Qt::FramelessWindowHint |
                                                   Qt::WindowStaysOnTopHint |
                                                   Qt::WindowTransparentForInput)),
      hotspot_(hotspot.x, hotspot.y) {
    label_->setObjectName(QStringLiteral("drag-image"));
    label_->setAttribute(Qt::WA_TranslucentBackground);
    label_->setAttribute(Qt::WA_TransparentForMouseEvents);
    label_->setAttribute(Qt::WA_ShowWithoutActivating);
    if (index >= 0 && index < images.GetImageCount()) {
        const QPixmap picture = ToPixmap(images.GetImage(index));
        label_->setPixmap(picture);
        label_->resize(picture.size());
    }
}

void QtDragImage::Move(Point screen) {
    label_->move(QPoint(screen.x, screen.y) - hotspot_);
}

void QtDragImage::Show(bool show) {
    if (show == shown_) {
        return;
    }
    shown_ = show;
    label_->setVisible(show);
}

}  // namespace ui::qtbackend
