// The open-file dialog and the shell folder browser, as the programs call them.
#pragma once

#include "ui/backend.h"

namespace ui {

class Dialog;

// CFileDialog(TRUE, ...).DoModal(): true when the user chose a file (request.path).
bool GetOpenFileName(Dialog* owner, OpenFileRequest& request);
// SHBrowseForFolder + SHGetPathFromIDList: true when the user chose a folder with a path.
bool BrowseForFolder(Dialog* owner, BrowseFolderRequest& request);
// Dispatches one pending message (PeekMessage/TranslateMessage/DispatchMessage).
bool PumpOneMessage();

}  // namespace ui
