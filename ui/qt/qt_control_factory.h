// Makes the Qt widget of a control by its kind.
#pragma once

#include <memory>

#include "ui/qt/qt_control.h"

namespace ui::qtbackend {

// `parent` is the dialog's window; `context` scopes the signal connections to the window's
// life.
std::unique_ptr<QtControl> MakeQtControl(Control& model, QWidget& parent, QObject& context);

}  // namespace ui::qtbackend
