// Halvgate's string table.
#pragma once

namespace halvgate {

constexpr int IDS_ABOUTBOX = 101;  // text of the About item of the system menu

// Registers every string of the table with the dialog framework.
void RegisterStringTable();

}  // namespace halvgate
