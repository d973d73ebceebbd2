#include "ui/image_list.h"

#include <algorithm>

#include "ui/backend.h"

namespace ui {
namespace {

// The image drag of the program: one at a time, as the common controls keep it.
bool g_dragging = false;

std::uint32_t ToPixelRgb(COLORREF colour) {
    const std::uint32_t r = colour & 0xFF;
    const std::uint32_t g = (colour >> 8) & 0xFF;
    const std::uint32_t b = (colour >> 16) & 0xFF;
    return (r << 16) | (g << 8) | b;
}

}  // namespace

bool ImageList::Create(int cx, int cy, bool masked, int initial, int grow) {
    if (cx <= 0 || cy <= 0 || initial < 0 || grow < 0) {
        return false;
    }
    created_ = true;
    masked_ = masked;
    cx_ = cx;
    cy_ = cy;
    images_.clear();
    images_.reserve(static_cast<std::size_t>(initial));
    return true;
}

int ImageList::Add(const Bitmap& bitmap, COLORREF maskColour) {
    if (!created_ || bitmap.width <= 0 || bitmap.height <= 0 ||
        bitmap.pixels.size() != static_cast<std::size_t>(bitmap.width) * bitmap.height) {
        return -1;
    }
    // A strip wider than one picture holds several, side by side.
    const int count = std::max(1, bitmap.width / cx_);
    const bool transparent = masked_ && maskColour != CLR_NONE;
    const std::uint32_t maskRgb = ToPixelRgb(maskColour);
    const int first = GetImageCount();
    for (int n = 0; n < count; ++n) {
        Bitmap picture;
        picture.width = cx_;
        picture.height = cy_;
        picture.pixels.assign(static_cast<std::size_t>(cx_) * cy_, 0);
        for (int y = 0; y < std::min(cy_, bitmap.height); ++y) {
            for (int x = 0; x < cx_ && n * cx_ + x < bitmap.width; ++x) {
                const std::uint32_t rgb = bitmap.At(n * cx_ + x, y) & 0x00FFFFFF;
                const bool clear = transparent && rgb == maskRgb;
                picture.pixels[static_cast<std::size_t>(y * cx_ + x)] =
                    clear ? rgb : (0xFF000000 | rgb);
            }
        }
        images_.push_back(std::move(picture));
    }
    return first;
}

COLORREF ImageList::SetBkColor(COLORREF colour) {
    const COLORREF previous = background_;
    background_ = colour;
    return previous;
}

bool ImageList::BeginDrag(const ImageList& list, int image, Point hotspot) {
    Backend* backend = InstalledBackend();
    if (backend == nullptr || g_dragging || image < 0 || image >= list.GetImageCount()) {
        return false;
    }
    g_dragging = true;
    backend->DragBegin(list, image, hotspot);
    return true;
}

bool ImageList::DragEnter(Point screen) {
    Backend* backend = InstalledBackend();
    if (backend == nullptr || !g_dragging) {
        return false;
    }
    backend->DragMove(screen);
    backend->DragShow(true);
    return true;
}

bool ImageList::DragMove(Point screen) {
    Backend* backend = InstalledBackend();
    if (backend == nullptr || !g_dragging) {
        return false;
    }
    backend->DragMove(screen);
    return true;
}

bool ImageList::DragShowNolock(bool show) {
    Backend* backend = InstalledBackend();
    if (backend == nullptr || !g_dragging) {
        return false;
    }
    backend->DragShow(show);
    return true;
}

bool ImageList::DragLeave() {
    return DragShowNolock(false);
}

void ImageList::EndDrag() {
    Backend* backend = InstalledBackend();
    if (backend != nullptr && g_dragging) {
        backend->DragEnd();
    }
    g_dragging = false;
}

}  // namespace ui
