#include "ui/list_view.h"

#include <algorithm>

#include "ui/dialog.h"

namespace ui {

int ListView::InsertColumn(int index, const std::string& heading, int format, int width) {
    if (index < 0) {
        return -1;
    }
    const int at = std::min(index, GetColumnCount());
    columns_.insert(columns_.begin() + at, Column{heading, format, width});
    for (auto& row : rows_) {
        if (static_cast<int>(row.cells.size()) > at && at > 0) {
            row.cells.insert(row.cells.begin() + at, std::string());
        }
    }
    NotifyBackend(Change::Columns);
    return at;
}

int ListView::InsertItem(int index, const std::string& text, int image) {
    if (index < 0) {
        return -1;
    }
    const int at = std::min(index, GetItemCount());
    Row row;
    row.cells.push_back(text);
    row.image = image;
    rows_.insert(rows_.begin() + at, std::move(row));
    if (anchor_ >= at) {
        ++anchor_;
    }
    NotifyBackend(Change::Rows);
    return at;
}

bool ListView::DeleteItem(int row) {
    if (!ValidRow(row)) {
        return false;
    }
    rows_.erase(rows_.begin() + row);
    if (anchor_ == row) {
        anchor_ = -1;
    } else if (anchor_ > row) {
        --anchor_;
    }
    if (topIndex_ >= GetItemCount()) {
        topIndex_ = std::max(0, GetItemCount() - 1);
    }
    NotifyBackend(Change::Rows);
    return true;
}

bool ListView::DeleteAllItems() {
    rows_.clear();
    topIndex_ = 0;
    anchor_ = -1;
    NotifyBackend(Change::Rows);
    return true;
}

std::string ListView::GetItemText(int row, int column) const {
    if (!ValidRow(row) || column < 0) {
        return {};
    }
    const auto& cells = rows_[static_cast<std::size_t>(row)].cells;
    if (column >= static_cast<int>(cells.size())) {
        return {};
    }
    return cells[static_cast<std::size_t>(column)];
}

bool ListView::SetItemText(int row, int column, const std::string& text) {
    if (!ValidRow(row) || column < 0 || (column > 0 && column >= GetColumnCount())) {
        return false;
    }
    auto& cells = rows_[static_cast<std::size_t>(row)].cells;
    if (column >= static_cast<int>(cells.size())) {
        cells.resize(static_cast<std::size_t>(column) + 1);
    }
    cells[static_cast<std::size_t>(column)] = text;
    NotifyBackend(Change::Rows);
    return true;
}

int ListView::GetItemImage(int row) const {
    return ValidRow(row) ? rows_[static_cast<std::size_t>(row)].image : -1;
}

bool ListView::SetItemImage(int row, int image) {
    if (!ValidRow(row)) {
        return false;
    }
    rows_[static_cast<std::size_t>(row)].image = image;
    NotifyBackend(Change::Rows);
    return true;
}

std::uintptr_t ListView::GetItemData(int row) const {
    return ValidRow(row) ? rows_[static_cast<std::size_t>(row)].data : 0;
}

bool ListView::SetItemData(int row, std::uintptr_t data) {
    if (!ValidRow(row)) {
        return false;
    }
    rows_[static_cast<std::size_t>(row)].data = data;
    return true;
}

unsigned ListView::GetItemState(int row, unsigned mask) const {
    return ValidRow(row) ? rows_[static_cast<std::size_t>(row)].state & mask : 0;
}

bool ListView::SetItemState(int row, unsigned state, unsigned mask) {
    if (row == -1) {
        // Row -1 applies the state to every row, as LVM_SETITEMSTATE does.
        for (int r = 0; r < GetItemCount(); ++r) {
            ApplyState(r, state, mask);
        }
        return true;
    }
    if (!ValidRow(row)) {
        return false;
    }
    // Only one row holds the focus, and a single-selection list only one selected row.
    if ((mask & state & LVIS_FOCUSED) != 0) {
        MoveFocus(row);
        anchor_ = row;
    }
    if ((mask & state & LVIS_SELECTED) != 0 && !IsMultiSelect()) {
        for (int r = 0; r < GetItemCount(); ++r) {
            if (r != row) {
                ApplyState(r, 0, LVIS_SELECTED);
            }
        }
    }
    ApplyState(row, state, mask);
    return true;
}

void ListView::ApplyState(int row, unsigned state, unsigned mask) {
    auto& current = rows_[static_cast<std::size_t>(row)].state;
    const unsigned next = (current & ~mask) | (state & mask);
    if (next == current) {
        return;
    }
    current = next;
    NotifyBackend(Change::Selection);
    if (Owner().IsWindow()) {
        NotifyInfo info;
        info.id = Id();
        info.code = Notify::ItemChanged;
        info.row = row;
        Owner().SendNotify(info);
    }
}

int ListView::GetSelectedCount() const {
    return static_cast<int>(std::count_if(rows_.begin(), rows_.end(), [](const Row& row) {
        return (row.state & LVIS_SELECTED) != 0;
    }));
}

int ListView::GetNextItem(int start, unsigned flags) const {
    const unsigned wanted = flags & (LVNI_FOCUSED | LVNI_SELECTED);
    for (int row = std::max(start + 1, 0); row < GetItemCount(); ++row) {
        if ((rows_[static_cast<std::size_t>(row)].state & wanted) == wanted) {
            return row;
        }
    }
    return -1;
}

void ListView::SetTopIndex(int row) {
    topIndex_ = std::clamp(row, 0, std::max(0, GetItemCount() - 1));
    NotifyBackend(Change::Rows);
}

Rect ListView::GetItemRect(int row) const {
    if (!ValidRow(row)) {
        return {};
    }
    const int top = kHeaderHeight + (row - topIndex_) * kRowHeight;
    return {0, top, Bounds().Width(), top + kRowHeight};
}

int ListView::HitTest(Point client) const {
    const Rect bounds = Bounds();
    if (client.x < 0 || client.x >= bounds.Width() || client.y < kHeaderHeight ||
        client.y >= bounds.Height()) {
        return -1;
    }
    const int row = topIndex_ + (client.y - kHeaderHeight) / kRowHeight;
    return ValidRow(row) ? row : -1;
}

Point ListView::CellPoint(int row, int column) const {
    int x = 2;
    for (int c = 0; c < std::min(column, GetColumnCount()); ++c) {
        x += columns_[static_cast<std::size_t>(c)].width;
    }
    const int slot = ValidRow(row) ? row : GetItemCount();
    return {x, kHeaderHeight + (slot - topIndex_) * kRowHeight + kRowHeight / 2};
}

ImageList* ListView::SetImageList(ImageList* list, int kind) {
    ImageList*& slot = kind == LVSIL_SMALL ? smallImages_ : normalImages_;
    ImageList* previous = slot;
    slot = list;
    NotifyBackend(Change::Images);
    return previous;
}

ImageList* ListView::GetImageList(int kind) const {
    return kind == LVSIL_SMALL ? smallImages_ : normalImages_;
}

std::unique_ptr<ImageList> ListView::CreateDragImage(int row) const {
    if (!ValidRow(row)) {
        return nullptr;
    }
    // The row's icon followed by room for its first column, over a transparent ground.
    const int width = std::max(16, columns_.empty() ? 16 : columns_.front().width);
    const int height = 16;
    Bitmap picture;
    picture.width = width;
    picture.height = height;
    picture.pixels.assign(static_cast<std::size_t>(width * height), 0);
    const int image = GetItemImage(row);
    if (smallImages_ != nullptr && image >= 0 && image < smallImages_->GetImageCount()) {
        const Bitmap& icon = smallImages_->GetImage(image);
        for (int y = 0; y < std::min(height, icon.height); ++y) {
            for (int x = 0; x < std::min(width, icon.width); ++x) {
                picture.pixels[static_cast<std::size_t>(y * width + x)] = icon.At(x, y);
            }
        }
    }
    auto drag = std::make_unique<ImageList>();
    drag->Create(width, height, true, 1, 0);
    drag->Add(picture, CLR_NONE);
    return drag;
}

void ListView::UserSelect(int row, bool toggle, bool extend) {
    if (!ValidRow(row)) {
        // A click below the last row clears the selection; with Ctrl it keeps it.
        if (!toggle) {
            for (int r = 0; r < GetItemCount(); ++r) {
                ApplyState(r, 0, LVIS_SELECTED);
            }
        }
        return;
    }
    std::vector<bool> selected(rows_.size());
    for (int r = 0; r < GetItemCount(); ++r) {
        selected[static_cast<std::size_t>(r)] = GetItemState(r, LVIS_SELECTED) != 0;
    }
    const bool range = extend && IsMultiSelect();
    if (range) {
        // Shift extends from the selection mark: the row last clicked or given the focus.
        int from = ValidRow(anchor_) ? anchor_ : GetNextItem(-1, LVNI_FOCUSED);
        if (from < 0) {
            from = row;
        }
        if (!toggle) {
            std::fill(selected.begin(), selected.end(), false);
        }
        for (int r = std::min(from, row); r <= std::max(from, row); ++r) {
            selected[static_cast<std::size_t>(r)] = true;
        }
    } else if (toggle && IsMultiSelect()) {
        selected[static_cast<std::size_t>(row)] = !selected[static_cast<std::size_t>(row)];
    } else {
        const bool flipOff = toggle && selected[static_cast<std::size_t>(row)];
        std::fill(selected.begin(), selected.end(), false);
        selected[static_cast<std::size_t>(row)] = !flipOff;
    }
    if (!range) {
        anchor_ = row;
    }
    // One change per row, as the list control notifies: first the rows left unselected, then
    // the selected ones; the clicked row takes the focus.
    constexpr unsigned kMask = LVIS_SELECTED | LVIS_FOCUSED;
    for (const bool pass : {false, true}) {
        for (int r = 0; r < GetItemCount(); ++r) {
            if (selected[static_cast<std::size_t>(r)] != pass) {
                continue;
            }
            const unsigned state = (pass ? LVIS_SELECTED : 0) | (r == row ? LVIS_FOCUSED : 0);
            ApplyState(r, state, kMask);
        }
    }
}

void ListView::MoveFocus(int row) {
    for (int r = 0; r < GetItemCount(); ++r) {
        if (r != row) {
            ApplyState(r, 0, LVIS_FOCUSED);
        }
    }
    ApplyState(row, LVIS_FOCUSED, LVIS_FOCUSED);
}

}  // namespace ui
