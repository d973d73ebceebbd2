#include "halvgate/mainwindow/item_list_sorter.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace halvgate {
namespace {

struct RowTexts {
    std::vector<std::string> cells;
};

// Row i goes after row j: its text of the column is greater, or equal with a greater path.
// std::string compares as unsigned bytes, as the list's texts are compared.
bool Greater(const RowTexts& i, const RowTexts& j, std::size_t column) {
    const int byColumn = i.cells[column].compare(j.cells[column]);
    if (byColumn != 0) {
        return byColumn > 0;
    }
    return i.cells[0].compare(j.cells[0]) > 0;
}

// The exchange sort the order is defined by: for every position, every later row that sorts
// before it is exchanged with it. Only rows with equal keys can come out in a different order
// than a stable sort gives, so this runs only when such rows exist.
void ExchangeSort(std::vector<std::size_t>& order, const std::vector<RowTexts>& rows,
                  std::size_t column) {
    for (std::size_t i = 0; i + 1 < order.size(); ++i) {
        for (std::size_t j = i + 1; j < order.size(); ++j) {
            if (Greater(rows[order[i]], rows[order[j]], column)) {
                std::swap(order[i], order[j]);
            }
        }
    }
}

}  // namespace

void CItemListSorter::SortByColumn(ui::ListView& list, int column) {
    const int count = list.GetItemCount();
    const int columns = std::max(list.GetColumnCount(), 1);
    if (count < 2 || column < 0 || column >= columns) {
        return;
    }
    std::vector<RowTexts> rows(static_cast<std::size_t>(count));
    for (int row = 0; row < count; ++row) {
        auto& cells = rows[static_cast<std::size_t>(row)].cells;
        cells.reserve(static_cast<std::size_t>(columns));
        for (int c = 0; c < columns; ++c) {
            cells.push_back(list.GetItemText(row, c));
        }
    }
    const auto key = static_cast<std::size_t>(column);
    std::vector<std::size_t> order(rows.size());
    for (std::size_t i = 0; i < order.size(); ++i) {
        order[i] = i;
    }
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return Greater(rows[b], rows[a], key); });
    // Rows whose keys are equal but whose other cells differ: their order is the exchange
    // sort's, which is not stable.
    bool tiesDiffer = false;
    for (std::size_t i = 0; i + 1 < order.size() && !tiesDiffer; ++i) {
        const RowTexts& a = rows[order[i]];
        const RowTexts& b = rows[order[i + 1]];
        tiesDiffer = !Greater(b, a, key) && a.cells != b.cells;
    }
    if (tiesDiffer) {
        for (std::size_t i = 0; i < order.size(); ++i) {
            order[i] = i;
        }
        ExchangeSort(order, rows, key);
    }
    for (int row = 0; row < count; ++row) {
        const RowTexts& source = rows[order[static_cast<std::size_t>(row)]];
        if (order[static_cast<std::size_t>(row)] == static_cast<std::size_t>(row)) {
            continue;
        }
        for (int c = 0; c < columns; ++c) {
            list.SetItemText(row, c, source.cells[static_cast<std::size_t>(c)]);
        }
    }
}

}  // namespace halvgate
