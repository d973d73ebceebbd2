// The seven 16x16 pictures of list rows. Their order is the index every list uses: never
// change it.
#pragma once

#include "ui/image_list.h"
#include "ui/list_view.h"

namespace halvgate {

class ItemImageList {
  public:
    static constexpr int kFolderClosed = 0;   // a protected folder
    static constexpr int kFolderOpen = 1;     // unused by the lists
    static constexpr int kProgram = 2;        // an authorized module
    static constexpr int kProgramDenied = 3;  // an unauthorized module
    static constexpr int kKey = 4;            // unused by the lists
    static constexpr int kSheetText = 5;      // a protected file, or a path that does not exist
    static constexpr int kSheetSearch = 6;    // unused by the lists
    static constexpr int kPictureCount = 7;

    virtual ~ItemImageList() = default;

    // Creates `target` and adds the seven pictures; false (and nothing added) when the image
    // list cannot be created.
    bool Build(ui::ImageList& target);
    // Makes `images` the list's small-icon list; returns the previous one.
    ui::ImageList* Attach(ui::ListView& list, ui::ImageList& images);
};

}  // namespace halvgate
