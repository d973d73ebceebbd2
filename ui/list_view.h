// A report-view list control: columns, rows of cell texts with a picture index, item data and
// state bits, hit-testing in pixels, and drag images. Row geometry is fixed here so that every
// backend hit-tests alike.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "ui/control.h"
#include "ui/image_list.h"

namespace ui {

class ListView : public Control {
  public:
    static constexpr int kHeaderHeight = 20;  // pixels
    static constexpr int kRowHeight = 17;     // pixels

    struct Column {
        std::string heading;
        int format = LVCFMT_LEFT;
        int width = 0;
    };

    using Control::Control;

    // Columns
    int InsertColumn(int index, const std::string& heading, int format, int width);
    int GetColumnCount() const { return static_cast<int>(columns_.size()); }
    const Column& GetColumn(int index) const {
        return columns_.at(static_cast<std::size_t>(index));
    }

    // Rows. Out-of-range rows and columns fail (false, -1 or empty) as the list control does.
    int GetItemCount() const { return static_cast<int>(rows_.size()); }
    int InsertItem(int index, const std::string& text, int image = -1);
    bool DeleteItem(int row);
    bool DeleteAllItems();
    std::string GetItemText(int row, int column) const;
    bool SetItemText(int row, int column, const std::string& text);
    int GetItemImage(int row) const;
    bool SetItemImage(int row, int image);
    std::uintptr_t GetItemData(int row) const;
    bool SetItemData(int row, std::uintptr_t data);
    unsigned GetItemState(int row, unsigned mask) const;
    bool SetItemState(int row, unsigned state, unsigned mask);
    int GetSelectedCount() const;
    // The next row after `start` (-1: from the top) whose state has all `flags`; -1 when none.
    int GetNextItem(int start, unsigned flags) const;
    bool IsMultiSelect() const { return (Template().style & Style::SingleSelection) == 0; }

    // Geometry in the list's client coordinates: the header, then rows from the top index.
    int GetTopIndex() const { return topIndex_; }
    void SetTopIndex(int row);
    Rect GetItemRect(int row) const;
    // The row at a point of the list's client area, or -1.
    int HitTest(Point client) const;
    // A point inside a cell, for input that comes without a position; a row out of range
    // gives a point below the last row.
    Point CellPoint(int row, int column) const;

    ImageList* SetImageList(ImageList* list, int kind);
    ImageList* GetImageList(int kind) const;
    // A one-picture image list showing the row as dragged (icon and first column).
    std::unique_ptr<ImageList> CreateDragImage(int row) const;

    // User input, applying the click rules of the list: plain click selects only that row,
    // `toggle` (Ctrl) flips it, `extend` (Shift) selects the range from the focused row.
    void UserSelect(int row, bool toggle, bool extend);

  private:
    struct Row {
        std::vector<std::string> cells;
        int image = -1;
        std::uintptr_t data = 0;
        unsigned state = 0;
    };
    bool ValidRow(int row) const { return row >= 0 && row < GetItemCount(); }
    // Changes a row's state bits and sends LVN_ITEMCHANGED when they differ.
    void ApplyState(int row, unsigned state, unsigned mask);
    void MoveFocus(int row);

    std::vector<Column> columns_;
    std::vector<Row> rows_;
    ImageList* smallImages_ = nullptr;
    ImageList* normalImages_ = nullptr;
    int topIndex_ = 0;
    int anchor_ = -1;  // selection mark: where a Shift click extends from
};

}  // namespace ui
