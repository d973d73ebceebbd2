// Moving a row of a report list by dragging it with the left mouse button. The owning dialog
// forwards the list's begin-drag notification, its mouse moves and its left-button-up here.
#pragma once

#include <memory>

#include "ui/dialog.h"
#include "ui/image_list.h"
#include "ui/list_view.h"

namespace halvgate {

struct ListDragState {
    bool dragging = false;
    std::unique_ptr<ui::ImageList> dragImage;
    int draggedIndex = -1;
    int dropIndex = -1;
    int windowUnderPointer = 0;  // control id, 0 for the dialog itself
    ui::Point pointer;           // in the client coordinates of windowUnderPointer

    // On the list's begin-drag notification: row and position from the notification.
    void BeginDrag(ui::Dialog& dialog, ui::ListView& list, int row, ui::Point listPoint);
    // On every mouse move of the dialog (client coordinates).
    void Track(ui::Dialog& dialog, ui::Point client);
    // On the dialog's left-button-up. True when a drag ended here: the owner then marks its
    // list as changed.
    bool EndDrag(ui::Dialog& dialog, ui::ListView& list, ui::Point client);
    // Moves the dragged row to the drop place; called by EndDrag.
    void Drop(ui::ListView& list);
};

}  // namespace halvgate
