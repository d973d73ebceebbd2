// Sorting the protected item list by one column, ascending by the bytes of the column's texts,
// ties by path. Only the texts move: pictures, item data and selection stay with the
// positions.
#pragma once

#include "ui/list_view.h"

namespace halvgate {

class CItemListSorter {
  public:
    virtual ~CItemListSorter() = default;
    void SortByColumn(ui::ListView& list, int column);
};

}  // namespace halvgate
