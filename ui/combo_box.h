// A drop-down list: a list of strings and the current selection.
#pragma once

#include <string>
#include <vector>

#include "ui/control.h"

namespace ui {

class ComboBox : public Control {
  public:
    static constexpr int CB_ERR = -1;
    using Control::Control;

    int AddString(const std::string& text);  // appended; returns its index
    int InsertString(int index, const std::string& text);
    int DeleteString(int index);
    void ResetContent();
    int GetCount() const { return static_cast<int>(items_.size()); }
    int GetCurSel() const { return current_; }
    int SetCurSel(int index);  // -1 clears; an index out of range clears and returns CB_ERR
    std::string GetLBText(int index) const;
    int FindStringExact(int start, const std::string& text) const;  // case-insensitive

  private:
    std::vector<std::string> items_;
    int current_ = -1;
};

}  // namespace ui
