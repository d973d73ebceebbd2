// Screenshots of dialog windows, also without a display (QT_QPA_PLATFORM=offscreen).
#pragma once

#include <QImage>
#include <string>

#include "ui/dialog.h"

namespace ui::qtbackend {

// The dialog's window as drawn, under a title bar with its icon and caption as a window
// manager would frame it. Null when the dialog has no Qt window.
QImage GrabDialog(Dialog& dialog);
bool SaveScreenshot(Dialog& dialog, const std::string& pngPath);

}  // namespace ui::qtbackend
