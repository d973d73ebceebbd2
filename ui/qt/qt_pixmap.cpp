#include "ui/qt/qt_pixmap.h"

#include <cstring>

#include "ui/resources.h"

namespace ui::qtbackend {

QImage ToImage(const Bitmap& bitmap) {
    if (bitmap.width <= 0 || bitmap.height <= 0 ||
        bitmap.pixels.size() <
            static_cast<std::size_t>(bitmap.width) * static_cast<std::size_t>(bitmap.height)) {
        return {};
    }
    // Format_ARGB32 holds each pixel as the 32-bit value 0xAARRGGBB, as Bitmap does.
    QImage image(bitmap.width, bitmap.height, QImage::Format_ARGB32);
    const auto rowBytes = static_cast<std::size_t>(bitmap.width) * sizeof(std::uint32_t);
    for (int y = 0; y < bitmap.height; ++y) {
        std::memcpy(image.scanLine(y), &bitmap.pixels[static_cast<std::size_t>(y * bitmap.width)],
                    rowBytes);
    }
    return image;
}

QPixmap ToPixmap(const Bitmap& bitmap) {
    return QPixmap::fromImage(ToImage(bitmap));
}

QIcon IconResource(int id) {
    const Bitmap* icon = id != 0 ? LoadIcon(id) : nullptr;
    if (icon == nullptr) {
        return {};
    }
    return QIcon(ToPixmap(*icon));
}

}  // namespace ui::qtbackend
