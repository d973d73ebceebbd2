// The list columns of each family: heading and width in pixels, all centred.
#pragma once

#include "halvgate/config/item_rights.h"

namespace halvgate {

struct ItemColumn {
    const char* heading;
    int width;
};

constexpr ItemColumn kNtItemColumns[kNtColumnCount] = {
    {"File/Folder", 180}, {"Status", 56}, {"Action", 64},  {"Overwrite", 64}, {"Open", 45},
    {"Read", 45},         {"Modify", 50}, {"Append", 50},  {"Exec", 45},      {"Rename", 56},
    {"Delete", 50},       {"Attrib", 50}, {"Visible", 50},
};

constexpr ItemColumn kItemColumns9x[kColumnCount9x] = {
    {"File", 150},  {"Status", 50}, {"Action", 64}, {"Recursive", 60}, {"Create", 50},
    {"Open", 40},   {"Read", 40},   {"Modify", 50}, {"Append", 50},    {"Exec", 40},
    {"Rename", 60}, {"Delete", 55}, {"Attrib", 45}, {"Invisible", 50},
};

}  // namespace halvgate
