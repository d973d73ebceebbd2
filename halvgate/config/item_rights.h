// The access rights of a protected item: their check boxes in the protected items window, their
// list columns in each family's layout and their bits in the item mask. Bit values are those
// the drivers use: never change one.
#pragma once

#include <cstdint>

#include "halvgate/res/protected_items_dialog_ids.h"

namespace halvgate {

struct ItemRight {
    const char* name;
    int checkBoxId;
    int ntColumn;  // column of the 13-column NT layout
    int column9x;  // column of the 14-column Windows 9x layout
    std::uint32_t bit;
};

// The nine access rights, in column order.
constexpr ItemRight kAccessRights[] = {
    {"Create", IDC_RIGHT_CREATE, 3, 4, 0x20},
    {"Open", IDC_RIGHT_OPEN, 4, 5, 0x40},
    {"Read", IDC_RIGHT_READ, 5, 6, 0x1},
    {"Write (Modify)", IDC_RIGHT_WRITE_MODIFY, 6, 7, 0x4000},
    {"Write (Append)", IDC_RIGHT_WRITE_APPEND, 7, 8, 0x2},
    {"Execute", IDC_RIGHT_EXECUTE, 8, 9, 0x8000},
    {"Rename", IDC_RIGHT_RENAME, 9, 10, 0x8},
    {"Delete", IDC_RIGHT_DELETE, 10, 11, 0x10},
    {"Set Attribute", IDC_RIGHT_SET_ATTRIBUTE, 11, 12, 0x80},
};

constexpr std::uint32_t kInvisibleBit = 0x2000;     // item mask: set = visible
constexpr std::uint32_t kRecursiveBit = 0x10000;    // item mask: set = recursive (9x only)
constexpr std::uint32_t kPromptBit = 0x40000;       // item mask: clear = action Prompt
constexpr std::uint32_t kAskPasswordBit = 0x80000;  // item mask: clear = action Ask Password

// The driver mask of a 9x driver item record starts from this value (bits 0..7 and 11..15).
constexpr std::uint32_t kDriverMaskBase = 0xF8FF;

// Columns shared by both layouts.
constexpr int kPathColumn = 0;
constexpr int kStatusColumn = 1;
constexpr int kActionColumn = 2;
// NT layout
constexpr int kNtVisibleColumn = 12;
constexpr int kNtColumnCount = 13;
// Windows 9x layout
constexpr int kRecursiveColumn9x = 3;
constexpr int kInvisibleColumn9x = 13;
constexpr int kColumnCount9x = 14;

// Status codes and cell texts.
constexpr std::uint16_t kStatusInactive = 0;
constexpr std::uint16_t kStatusActive = 1;
constexpr const char* kTextActive = "Active";
constexpr const char* kTextInactive = "Inactive";
constexpr const char* kTextDisable = "Disable";
constexpr const char* kTextPrompt = "Prompt";
constexpr const char* kTextPassword = "Password";
constexpr const char* kTextYes = "Yes";
constexpr const char* kTextNo = "No";

}  // namespace halvgate
