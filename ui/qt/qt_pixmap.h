// Framework pictures as Qt images, and the icon resources as Qt icons.
#pragma once

#include <QIcon>
#include <QImage>
#include <QPixmap>

#include "ui/bitmap.h"

namespace ui::qtbackend {

// Alpha is kept: pixels an image list made transparent stay transparent.
QImage ToImage(const Bitmap& bitmap);
QPixmap ToPixmap(const Bitmap& bitmap);
// The icon resource `id`, or a null icon when there is none.
QIcon IconResource(int id);

}  // namespace ui::qtbackend
