// Small lookups on the protected item list that adding and modifying items share.
#pragma once

#include <string>

#include "ui/list_view.h"

namespace halvgate {

class CItemListHelper {
  public:
    // A path cell is read with room for this many characters.
    static constexpr int kPathChars = 254;

    virtual ~CItemListHelper() = default;

    // The lowest selected row, or -1.
    int FirstSelectedRow(const ui::ListView& list);
    // The first row whose path equals `text` regardless of letter case, or -1.
    int FindRowByName(const ui::ListView& list, const std::string& text);
};

// Byte-wise comparison that ignores the case of the letters A to Z, as _stricmp does in the C
// locale.
bool EqualsNoCase(const std::string& a, const std::string& b);
// True when `text` begins with `prefix`, ignoring the case of the letters A to Z.
bool StartsWithNoCase(const std::string& text, const std::string& prefix);

}  // namespace halvgate
