// The font the dialogs are drawn with: the one whose average character width and height fit
// the dialog base units (6 by 13 pixels), so that captions fit the templates' geometry.
#pragma once

#include <QFont>

namespace ui::qtbackend {

QFont DialogFont();

}  // namespace ui::qtbackend
