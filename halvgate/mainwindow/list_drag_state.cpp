#include "halvgate/mainwindow/list_drag_state.h"

#include <string>

#include "ui/types.h"

namespace halvgate {
namespace {

// The drop place is the row under a point this far below the pointer, so that a row dropped on
// the upper part of another goes before it.
constexpr int kDropOffsetY = 10;
constexpr unsigned kTravellingStates = ui::LVIS_FOCUSED | ui::LVIS_SELECTED | ui::LVIS_DROPHILITED;

}  // namespace

void ListDragState::BeginDrag(ui::Dialog& dialog, ui::ListView& list, int row,
                              ui::Point listPoint) {
    draggedIndex = row;
    dragImage = list.CreateDragImage(row);
    if (dragImage) {
        ui::ImageList::BeginDrag(*dragImage, 0, ui::Point{8, 8});
    }
    const ui::Rect bounds = list.Bounds();
    // On the desktop, so that the image can travel over the whole screen.
    ui::ImageList::DragEnter(
        dialog.ClientToScreen(ui::Point{bounds.left + listPoint.x, bounds.top + listPoint.y}));
    dragging = true;
    dropIndex = -1;
    windowUnderPointer = list.Id();
    dialog.SetCapture();
}

void ListDragState::Track(ui::Dialog& dialog, ui::Point client) {
    if (!dragging) {
        return;
    }
    ui::ImageList::DragMove(dialog.ClientToScreen(client));
    ui::ImageList::DragShowNolock(false);
    windowUnderPointer = dialog.ChildFromPoint(client);
    pointer = dialog.ClientToControl(windowUnderPointer, client);
    ui::ImageList::DragShowNolock(true);
}

bool ListDragState::EndDrag(ui::Dialog& dialog, ui::ListView& list, ui::Point client) {
    if (!dragging) {
        return false;
    }
    dialog.ReleaseCapture();
    dragging = false;
    ui::ImageList::DragLeave();
    ui::ImageList::EndDrag();
    dragImage.reset();
    // The release point decides, even when no mouse move was seen since the last one.
    windowUnderPointer = dialog.ChildFromPoint(client);
    pointer = dialog.ClientToControl(windowUnderPointer, client);
    // A row released outside its list stays where it was.
    if (windowUnderPointer == list.Id()) {
        Drop(list);
    }
    return true;
}

void ListDragState::Drop(ui::ListView& list) {
    const ui::Point probe{pointer.x, pointer.y + kDropOffsetY};
    dropIndex = list.HitTest(probe);
    if (dropIndex < 0) {
        dropIndex = list.GetItemCount();
    }
    if (draggedIndex < 0 || draggedIndex >= list.GetItemCount()) {
        return;
    }
    // The whole path travels with the row, however long.
    const std::string text = list.GetItemText(draggedIndex, 0);
    const int image = list.GetItemImage(draggedIndex);
    const std::uintptr_t data = list.GetItemData(draggedIndex);
    const unsigned state = list.GetItemState(draggedIndex, kTravellingStates);

    const int inserted = list.InsertItem(dropIndex, text, image);
    list.SetItemData(inserted, data);
    list.SetItemState(inserted, state, kTravellingStates);
    if (draggedIndex > inserted) {
        ++draggedIndex;
    }
    for (int column = 1; column < list.GetColumnCount(); ++column) {
        list.SetItemText(inserted, column, list.GetItemText(draggedIndex, column));
    }
    list.DeleteItem(draggedIndex);
}

}  // namespace halvgate
