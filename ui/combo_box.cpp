#include "ui/combo_box.h"

#include <algorithm>
#include <cctype>

namespace ui {
namespace {

bool EqualNoCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

}  // namespace

int ComboBox::AddString(const std::string& text) {
    items_.push_back(text);
    NotifyBackend(Change::Rows);
    return GetCount() - 1;
}

int ComboBox::InsertString(int index, const std::string& text) {
    if (index == -1) {
        return AddString(text);
    }
    if (index < 0 || index > GetCount()) {
        return CB_ERR;
    }
    items_.insert(items_.begin() + index, text);
    if (current_ >= index) {
        ++current_;
    }
    NotifyBackend(Change::Rows);
    return index;
}

int ComboBox::DeleteString(int index) {
    if (index < 0 || index >= GetCount()) {
        return CB_ERR;
    }
    items_.erase(items_.begin() + index);
    NotifyBackend(Change::Rows);
    if (current_ == index) {
        SetCurSel(-1);
    } else if (current_ > index) {
        --current_;
    }
    return GetCount();
}

void ComboBox::ResetContent() {
    items_.clear();
    NotifyBackend(Change::Rows);
    SetCurSel(-1);
}

int ComboBox::SetCurSel(int index) {
    const bool valid = index >= 0 && index < GetCount();
    current_ = valid ? index : -1;
    // A drop-down list shows the selected string as its text.
    SetText(valid ? items_[static_cast<std::size_t>(index)] : std::string());
    NotifyBackend(Change::Selection);
    return valid ? index : CB_ERR;
}

std::string ComboBox::GetLBText(int index) const {
    if (index < 0 || index >= GetCount()) {
        return {};
    }
    return items_[static_cast<std::size_t>(index)];
}

int ComboBox::FindStringExact(int start, const std::string& text) const {
    // Searches after `start` to the end, then from the top back to `start`.
    const int count = GetCount();
    const int first = start < 0 || start >= count ? 0 : start + 1;
    for (int i = 0; i < count; ++i) {
        const int index = (first + i) % count;
        if (EqualNoCase(items_[static_cast<std::size_t>(index)], text)) {
            return index;
        }
    }
    return CB_ERR;
}

}  // namespace ui
