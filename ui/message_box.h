// MessageBox for code without an owner window (the access prompt agent).
#pragma once

#include <string>

namespace ui {

class Dialog;

// Shows a message box through the installed backend; owner may be null. Returns the button's
// id, or 0 when no backend is installed.
int MessageBox(Dialog* owner, const std::string& text, const std::string& caption, unsigned type);

}  // namespace ui
