// An image list of equally sized pictures with a mask, as list controls use for row icons,
// and the image drag that follows the pointer while a row is dragged.
#pragma once

#include <vector>

#include "ui/bitmap.h"
#include "ui/types.h"

namespace ui {

class ImageList {
  public:
    ImageList() = default;
    // Creates an empty list of cx by cy pictures; `masked` keeps a transparency mask.
    bool Create(int cx, int cy, bool masked, int initial, int grow);
    bool IsCreated() const { return created_; }
    // Adds a picture; pixels of `maskColour` (a COLORREF) become transparent. Returns its index.
    int Add(const Bitmap& bitmap, COLORREF maskColour);
    int GetImageCount() const { return static_cast<int>(images_.size()); }
    // The picture with transparent pixels as alpha 0.
    const Bitmap& GetImage(int index) const { return images_.at(static_cast<std::size_t>(index)); }
    Size GetImageSize() const { return {cx_, cy_}; }
    COLORREF SetBkColor(COLORREF colour);
    COLORREF GetBkColor() const { return background_; }

    // Image drag (one at a time per program), in screen coordinates.
    static bool BeginDrag(const ImageList& list, int image, Point hotspot);
    static bool DragEnter(Point screen);
    static bool DragMove(Point screen);
    static bool DragShowNolock(bool show);
    static bool DragLeave();
    static void EndDrag();

  private:
    bool created_ = false;
    bool masked_ = false;
    int cx_ = 0;
    int cy_ = 0;
    COLORREF background_ = CLR_NONE;
    std::vector<Bitmap> images_;
};

}  // namespace ui
