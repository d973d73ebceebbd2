#include "halvgate/mainwindow/item_list_helper.h"

#include "ui/types.h"

namespace halvgate {
namespace {

char FoldCase(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

bool StartsWithNoCase(const std::string& text, const std::string& prefix) {
    if (text.size() < prefix.size()) {
        return false;
    }
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (FoldCase(text[i]) != FoldCase(prefix[i])) {
            return false;
        }
    }
    return true;
}

bool EqualsNoCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && StartsWithNoCase(a, b);
}

int CItemListHelper::FirstSelectedRow(const ui::ListView& list) {
    return list.GetNextItem(-1, ui::LVNI_SELECTED);
}

int CItemListHelper::FindRowByName(const ui::ListView& list, const std::string& text) {
    for (int row = 0; row < list.GetItemCount(); ++row) {
        if (EqualsNoCase(list.GetItemText(row, 0).substr(0, kPathChars), text)) {
            return row;
        }
    }
    return -1;
}

}  // namespace halvgate
