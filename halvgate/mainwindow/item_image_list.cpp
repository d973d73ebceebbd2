#include "halvgate/mainwindow/item_image_list.h"

#include <cstdint>
#include <vector>
#include "halvgate/res/icon_resources.h"

#include "ui/resources.h"

namespace halvgate {
namespace {

// Bitmap resources in picture-index order.
constexpr int kBitmaps[ItemImageList::kPictureCount] = {
    IDB_FOLDER_CLOSED, IDB_FOLDER_OPEN, IDB_PROGRAM,      IDB_PROGRAM_DENIED,
    IDB_KEY,           IDB_SHEET_TEXT,  IDB_SHEET_SEARCH,
};

}  // namespace

bool ItemImageList::Build(ui::ImageList& target) {
    if (!target.Create(16, 16, true, 2, 1)) {
        return false;
    }
    target.SetBkColor(ui::CLR_NONE);
    // A missing picture is replaced by a blank one, so that the later ones keep their index.
    ui::Bitmap blank{16, 16, std::vector<std::uint32_t>(16 * 16, 0xFFFFFFFFu)};
    for (int id : kBitmaps) {
        const ui::Bitmap* bitmap = ui::LoadBitmap(id);
        target.Add(bitmap != nullptr ? *bitmap : blank, ui::RGB(255, 255, 255));
    }
    return true;
}

ui::ImageList* ItemImageList::Attach(ui::ListView& list, ui::ImageList& images) {
    return list.SetImageList(&images, ui::LVSIL_SMALL);
}

}  // namespace halvgate
