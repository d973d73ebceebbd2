// Resource ids of Halvgate's icon and bitmaps, and their registration at program start.
#pragma once

namespace halvgate {

constexpr int IDR_MAINFRAME = 128;  // the program's icon

// The 16x16 pictures of the list rows, 16 colours, white transparent.
constexpr int IDB_KEY = 130;
constexpr int IDB_FOLDER_OPEN = 132;
constexpr int IDB_PROGRAM = 133;
constexpr int IDB_SHEET_SEARCH = 134;
constexpr int IDB_PROGRAM_DENIED = 135;
constexpr int IDB_FOLDER_CLOSED = 136;
constexpr int IDB_SHEET_TEXT = 137;

// Registers the icon and the bitmaps with the dialog framework.
void RegisterIconResources();

}  // namespace halvgate
