// Message boxes: the buttons, icon and caption the MB_ flags ask for.
#pragma once

#include <QWidget>
#include <string>

namespace ui::qtbackend {

// Returns IDOK, IDCANCEL, IDYES or IDNO as the user answered. `owner` may be null.
int ShowMessageBox(QWidget* owner, const std::string& text, const std::string& caption,
                   unsigned type);

}  // namespace ui::qtbackend
