#include "halvgate/config/item_converter.h"

#include <string>

#include "halvgate/config/item_rights.h"
#include "halvgate/res/protected_items_dialog_ids.h"
#include "ui/dialog.h"
#include "ui/list_view.h"

namespace halvgate {
namespace {

// The row text of a Windows 9x driver record takes at most this many characters.
constexpr std::size_t kDriverRowTextChars = 255;

bool Checked(ui::Dialog& window, int id) {
    return window.IsDlgButtonChecked(id) == ui::BST_CHECKED;
}

void Check(ui::Dialog& window, int id, bool checked) {
    window.CheckDlgButton(id, checked ? ui::BST_CHECKED : ui::BST_UNCHECKED);
}

const char* YesNo(bool yes) {
    return yes ? kTextYes : kTextNo;
}

// The restriction value R of the check boxes shared by both families.
std::uint32_t RestrictionFromCheckBoxes(ui::Dialog& window) {
    std::uint32_t r = 0;
    for (const ItemRight& right : kAccessRights) {
        if (Checked(window, right.checkBoxId)) {
            r |= right.bit;
        }
    }
    if (Checked(window, IDC_RIGHT_INVISIBLE)) {
        r |= kInvisibleBit;
    }
    if (Checked(window, IDC_ACTION_PROMPT)) {
        r |= kPromptBit;
    }
    if (Checked(window, IDC_ACTION_ASK_PASSWORD)) {
        r |= kAskPasswordBit;
    }
    return r;
}

void CheckBoxesFromMask(ui::Dialog& window, std::uint32_t mask) {
    const bool prompt = (mask & kPromptBit) == 0;
    const bool askPassword = (mask & kAskPasswordBit) == 0;
    Check(window, IDC_ACTION_PROMPT, prompt);
    Check(window, IDC_ACTION_ASK_PASSWORD, askPassword);
    Check(window, IDC_ACTION_DISABLE, !prompt && !askPassword);
    for (const ItemRight& right : kAccessRights) {
        Check(window, right.checkBoxId, (mask & right.bit) == 0);
    }
    Check(window, IDC_RIGHT_INVISIBLE, (mask & kInvisibleBit) == 0);
}

// Status and action cells, the same in both layouts.
void StatusAndActionToRow(ui::ListView& list, std::uint32_t mask, unsigned status, int row) {
    if (status == kStatusInactive) {
        list.SetItemText(row, kStatusColumn, kTextInactive);
    } else if (status == kStatusActive) {
        list.SetItemText(row, kStatusColumn, kTextActive);
    }
    const char* action = kTextDisable;
    if ((mask & kPromptBit) == 0) {
        action = kTextPrompt;
    } else if ((mask & kAskPasswordBit) == 0) {
        action = kTextPassword;
    }
    list.SetItemText(row, kActionColumn, action);
}

int StatusFromRow(ui::ListView& list, int row) {
    return list.GetItemText(row, kStatusColumn) == kTextActive ? 1 : 0;
}

// R from the action cell and the rights columns of one layout.
std::uint32_t RestrictionFromRow(ui::ListView& list, int row, bool layout9x) {
    std::uint32_t r = 0;
    const std::string action = list.GetItemText(row, kActionColumn);
    if (action == kTextPrompt) {
        r = kPromptBit;
    } else if (action == kTextPassword) {
        r |= kAskPasswordBit;
    }
    for (const ItemRight& right : kAccessRights) {
        if (list.GetItemText(row, layout9x ? right.column9x : right.ntColumn) == kTextNo) {
            r |= right.bit;
        }
    }
    if (layout9x) {
        if (list.GetItemText(row, kInvisibleColumn9x) == kTextYes) {
            r |= kInvisibleBit;
        }
        if (list.GetItemText(row, kRecursiveColumn9x) == kTextNo) {
            r |= kRecursiveBit;
        }
    } else if (list.GetItemText(row, kNtVisibleColumn) == kTextNo) {
        r |= kInvisibleBit;
    }
    return r;
}

// A driver-mask bit from a "Yes"/"No" cell; any other text leaves the bit as it is.
void SetBitFromCell(std::uint32_t& mask, std::uint32_t bit, const std::string& cell,
                    const char* setText) {
    const char* clearText = std::string(setText) == kTextYes ? kTextNo : kTextYes;
    if (cell == setText) {
        mask |= bit;
    } else if (cell == clearText) {
        mask &= ~bit;
    }
}

}  // namespace

int CItemConverter::MaskFromCheckBoxes(ui::Dialog& window, std::uint32_t& mask) {
    mask = ~RestrictionFromCheckBoxes(window);
    return kStatusActive;
}

void CItemConverter::MaskToCheckBoxes(ui::Dialog& window, std::uint32_t mask) {
    CheckBoxesFromMask(window, mask);
}

void CItemConverter::MaskToRow(ui::ListView& list, std::uint32_t mask, unsigned status, int row) {
    StatusAndActionToRow(list, mask, status, row);
    for (const ItemRight& right : kAccessRights) {
        list.SetItemText(row, right.ntColumn, YesNo((mask & right.bit) != 0));
    }
    list.SetItemText(row, kNtVisibleColumn, YesNo((mask & kInvisibleBit) != 0));
}

int CItemConverter::MaskFromRow(ui::Dialog& window, int row, std::uint32_t& mask) {
    return MaskFromListRow(window.List(IDC_ITEM_LIST), row, mask);
}

int CItemConverter::MaskFromListRow(ui::ListView& list, int row, std::uint32_t& mask) {
    mask = ~RestrictionFromRow(list, row, false);
    return StatusFromRow(list, row);
}

int CItemConverter::MaskFromCheckBoxes9x(ui::Dialog& window, std::uint32_t& mask) {
    std::uint32_t r = RestrictionFromCheckBoxes(window);
    if (!Checked(window, IDC_RIGHT_RECURSIVE)) {
        r |= kRecursiveBit;
    }
    mask = ~r;
    return kStatusActive;
}

void CItemConverter::MaskToCheckBoxes9x(ui::Dialog& window, std::uint32_t mask) {
    CheckBoxesFromMask(window, mask);
    Check(window, IDC_RIGHT_RECURSIVE, (mask & kRecursiveBit) != 0);
}

void CItemConverter::MaskToRow9x(ui::ListView& list, std::uint32_t mask, unsigned status, int row) {
    StatusAndActionToRow(list, mask, status, row);
    list.SetItemText(row, kRecursiveColumn9x, YesNo((mask & kRecursiveBit) != 0));
    for (const ItemRight& right : kAccessRights) {
        list.SetItemText(row, right.column9x, YesNo((mask & right.bit) != 0));
    }
    list.SetItemText(row, kInvisibleColumn9x, YesNo((mask & kInvisibleBit) == 0));
}

int CItemConverter::MaskFromRow9x(ui::Dialog& window, int row, std::uint32_t& mask) {
    ui::ListView& list = window.List(IDC_ITEM_LIST);
    mask = ~RestrictionFromRow(list, row, true);
    return StatusFromRow(list, row);
}

void CItemConverter::RowToDriverRecord(ui::ListView& list, int row, DriverItemRecord& record) {
    std::string text = list.GetItemText(row, kPathColumn).substr(0, kDriverRowTextChars);
    for (char& c : text) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    record.bytes.fill(0);
    record.SetNumber(static_cast<std::uint32_t>(row) + 1);
    if (text.size() >= 2 && text[1] == ':') {
        record.SetDrive(static_cast<std::uint8_t>(static_cast<std::uint8_t>(text[0]) - 0x40));
        record.SetPath(std::string_view(text).substr(2));
    } else {
        record.SetDrive(DriverItemRecord::kNoDrive);
        record.SetPath(text);
    }

    std::uint32_t mask = kDriverMaskBase;
    const std::string action = list.GetItemText(row, kActionColumn);
    mask = action == kTextPrompt ? (mask | kPromptBit) : (mask & ~kPromptBit);
    mask = action == kTextPassword ? (mask | kAskPasswordBit) : (mask & ~kAskPasswordBit);
    SetBitFromCell(mask, kRecursiveBit, list.GetItemText(row, kRecursiveColumn9x), kTextNo);
    for (const ItemRight& right : kAccessRights) {
        SetBitFromCell(mask, right.bit, list.GetItemText(row, right.column9x), kTextYes);
    }
    SetBitFromCell(mask, kInvisibleBit, list.GetItemText(row, kInvisibleColumn9x), kTextNo);
    record.SetMask(mask);
    record.SetStatus(list.GetItemText(row, kStatusColumn) == kTextActive ? 1 : 0);
}

std::string CItemConverter::DriverRecordText(const DriverItemRecord& record) {
    std::string text;
    if (record.Drive() < DriverItemRecord::kNoDrive) {
        text.push_back(static_cast<char>(0x40 + record.Drive()));
        text.push_back(':');
    }
    return text + record.Path();
}

void CItemConverter::DriverRecordToRow(const DriverItemRecord& record, ui::ListView& list,
                                       int row) {
    const std::uint32_t mask = record.Mask();
    list.SetItemText(row, kPathColumn, DriverRecordText(record));
    list.SetItemText(row, kStatusColumn, record.Status() == 1 ? kTextActive : kTextInactive);
    const char* action = kTextDisable;
    if ((mask & kPromptBit) != 0) {
        action = kTextPrompt;
    }
    if ((mask & kAskPasswordBit) != 0) {
        action = kTextPassword;
    }
    list.SetItemText(row, kActionColumn, action);
    list.SetItemText(row, kRecursiveColumn9x, YesNo((mask & kRecursiveBit) == 0));
    for (const ItemRight& right : kAccessRights) {
        list.SetItemText(row, right.column9x, YesNo((mask & right.bit) != 0));
    }
    list.SetItemText(row, kInvisibleColumn9x, YesNo((mask & kInvisibleBit) == 0));
}

}  // namespace halvgate
