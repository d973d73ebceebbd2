#include "halvgate/res/protected_items_dialog_resource.h"

#include "halvgate/res/icon_resources.h"
#include "halvgate/res/protected_items_dialog_ids.h"

namespace halvgate {
namespace {

using ui::ControlKind;
namespace S = ui::Style;

constexpr std::uint32_t kButton = S::TabStop;
constexpr std::uint32_t kCheck = S::Auto | S::TabStop;

ui::DialogTemplate Build() {
    ui::DialogTemplate t;
    t.id = IDD_PROTECTED_ITEMS;
    t.caption = "Halvern 2001 Special Edition";
    t.x = 0;
    t.y = 0;
    t.cx = 520;
    t.cy = 358;
    t.systemMenu = true;
    t.minimizeBox = true;
    t.iconId = IDR_MAINFRAME;
    t.controls = {
        // Path of the item
        {ui::IDC_STATIC, ControlKind::GroupBox, "Enter File / Folder to Protect", 7, 4, 506, 32, 0,
         "IDC_STATIC"},
        {IDC_PATH, ControlKind::Edit, "", 14, 16, 390, 14, S::TabStop | S::AutoHScroll | S::Border,
         "IDC_PATH"},
        {IDC_BROWSE_FILE, ControlKind::PushButton, "File...", 410, 16, 44, 14, kButton,
         "IDC_BROWSE_FILE"},
        {IDC_BROWSE_DIR, ControlKind::PushButton, "Dir...", 462, 16, 44, 14, kButton,
         "IDC_BROWSE_DIR"},

        // Presets
        {ui::IDC_STATIC, ControlKind::GroupBox, "Choose Protection to Apply", 7, 40, 506, 84, 0,
         "IDC_STATIC"},
        {IDC_PRESET_READ_ONLY, ControlKind::PushButton, "Read Only", 14, 52, 56, 14,
         kButton | S::Group, "IDC_PRESET_READ_ONLY"},
        {ui::IDC_STATIC, ControlKind::Static,
         "Choose this if you would like the file / folder to be read only", 76, 52, 430, 16, 0,
         "IDC_STATIC"},
        {IDC_PRESET_NO_ACCESS, ControlKind::PushButton, "No Access", 14, 70, 56, 14, kButton,
         "IDC_PRESET_NO_ACCESS"},
        {ui::IDC_STATIC, ControlKind::Static,
         "Choose this if you would like the file / folder cannot be accessed. The file / folder "
         "is still visible",
         76, 70, 430, 16, 0, "IDC_STATIC"},
        {IDC_PRESET_FULL_HIDDEN, ControlKind::PushButton, "Full Hidden", 14, 88, 56, 14, kButton,
         "IDC_PRESET_FULL_HIDDEN"},
        {ui::IDC_STATIC, ControlKind::Static,
         "Choose this if you would like the file / folder to be invisible and cannot be accessed",
         76, 88, 430, 16, 0, "IDC_STATIC"},
        {IDC_PRESET_INVISIBLE_ONLY, ControlKind::PushButton, "Invisible Only", 14, 106, 56, 14,
         kButton, "IDC_PRESET_INVISIBLE_ONLY"},
        {ui::IDC_STATIC, ControlKind::Static,
         "Choose this if you would like the file / folder to be invisible, but can still be "
         "accessed",
         76, 106, 430, 16, 0, "IDC_STATIC"},

        // Individual rights and the action
        {ui::IDC_STATIC, ControlKind::GroupBox,
         "For advanced users : You can set protection settings  ( restrict file access )  "
         "manually here",
         7, 128, 506, 62, 0, "IDC_STATIC"},
        {IDC_ACTION_DISABLE, ControlKind::RadioButton, "Disable", 16, 142, 50, 10,
         S::Auto | S::Group | S::TabStop, "IDC_ACTION_DISABLE"},
        {IDC_ACTION_PROMPT, ControlKind::RadioButton, "Prompt", 76, 142, 50, 10, S::Auto,
         "IDC_ACTION_PROMPT"},
        {IDC_ACTION_ASK_PASSWORD, ControlKind::RadioButton, "Ask Password", 136, 142, 64, 10,
         S::Auto, "IDC_ACTION_ASK_PASSWORD"},
        {IDC_RIGHT_CREATE, ControlKind::CheckBox, "Create", 16, 158, 76, 10, kCheck | S::Group,
         "IDC_RIGHT_CREATE"},
        {IDC_RIGHT_OPEN, ControlKind::CheckBox, "Open", 96, 158, 76, 10, kCheck, "IDC_RIGHT_OPEN"},
        {IDC_RIGHT_READ, ControlKind::CheckBox, "Read", 176, 158, 76, 10, kCheck, "IDC_RIGHT_READ"},
        {IDC_RIGHT_WRITE_MODIFY, ControlKind::CheckBox, "Write (Modify)", 256, 158, 76, 10, kCheck,
         "IDC_RIGHT_WRITE_MODIFY"},
        {IDC_RIGHT_WRITE_APPEND, ControlKind::CheckBox, "Write (Append)", 336, 158, 76, 10, kCheck,
         "IDC_RIGHT_WRITE_APPEND"},
        {IDC_RIGHT_EXECUTE, ControlKind::CheckBox, "Execute", 16, 172, 76, 10, kCheck,
         "IDC_RIGHT_EXECUTE"},
        {IDC_RIGHT_RENAME, ControlKind::CheckBox, "Rename", 96, 172, 76, 10, kCheck,
         "IDC_RIGHT_RENAME"},
        {IDC_RIGHT_DELETE, ControlKind::CheckBox, "Delete", 176, 172, 76, 10, kCheck,
         "IDC_RIGHT_DELETE"},
        {IDC_RIGHT_SET_ATTRIBUTE, ControlKind::CheckBox, "Set Attribute", 256, 172, 76, 10, kCheck,
         "IDC_RIGHT_SET_ATTRIBUTE"},
        {IDC_RIGHT_INVISIBLE, ControlKind::CheckBox, "Invisible", 336, 172, 76, 10, kCheck,
         "IDC_RIGHT_INVISIBLE"},
        {IDC_RIGHT_RECURSIVE, ControlKind::CheckBox, "Recursive", 416, 158, 60, 10,
         kCheck | S::Hidden, "IDC_RIGHT_RECURSIVE"},
        {IDC_CLEAR, ControlKind::PushButton, "Clear", 456, 170, 50, 14, kButton | S::Group,
         "IDC_CLEAR"},

        // Row above the list
        {IDC_SAFE_PROGRAMS, ControlKind::PushButton, "Define safe programs...", 7, 196, 96, 14,
         kButton, "IDC_SAFE_PROGRAMS"},
        {IDC_ADD_ITEM, ControlKind::PushButton, "Add Item to List", 248, 196, 84, 14,
         kButton | S::Default, "IDC_ADD_ITEM"},
        {IDC_SETTINGS, ControlKind::PushButton, "Settings...", 398, 196, 54, 14, kButton,
         "IDC_SETTINGS"},
        {IDC_ABOUT, ControlKind::PushButton, "About...", 458, 196, 54, 14, kButton, "IDC_ABOUT"},

        // The protected items
        {IDC_ITEM_LIST, ControlKind::ListView, "", 7, 214, 506, 118,
         S::TabStop | S::ShowSelAlways | S::Border, "IDC_ITEM_LIST"},

        // Below the list
        {IDC_ACTIVATE, ControlKind::PushButton, "Activate", 7, 338, 44, 14, kButton,
         "IDC_ACTIVATE"},
        {IDC_ACTIVATE_ALL, ControlKind::PushButton, "All", 53, 338, 22, 14, kButton,
         "IDC_ACTIVATE_ALL"},
        {IDC_DEACTIVATE, ControlKind::PushButton, "Deactivate", 83, 338, 48, 14, kButton,
         "IDC_DEACTIVATE"},
        {IDC_DEACTIVATE_ALL, ControlKind::PushButton, "All", 133, 338, 22, 14, kButton,
         "IDC_DEACTIVATE_ALL"},
        {IDC_APPLY, ControlKind::PushButton, "Apply", 226, 338, 54, 14, kButton | S::Default,
         "IDC_APPLY"},
        {IDC_DELETE, ControlKind::PushButton, "Delete", 318, 338, 44, 14, kButton, "IDC_DELETE"},
        {IDC_DELETE_ALL, ControlKind::PushButton, "All", 364, 338, 22, 14, kButton,
         "IDC_DELETE_ALL"},
        {IDC_RELOAD, ControlKind::PushButton, "Reload", 400, 338, 50, 14, kButton, "IDC_RELOAD"},
        {IDC_CLOSE, ControlKind::PushButton, "Close", 458, 338, 54, 14, kButton, "IDC_CLOSE"},

        // The program guard's module lists, kept out of sight
        {IDC_AUTHORIZED_MODULES, ControlKind::ListView, "", 7, 214, 40, 20, S::Hidden,
         "IDC_AUTHORIZED_MODULES"},
        {IDC_UNAUTHORIZED_MODULES, ControlKind::ListView, "", 50, 214, 40, 20, S::Hidden,
         "IDC_UNAUTHORIZED_MODULES"},
    };
    return t;
}

}  // namespace

const ui::DialogTemplate& ProtectedItemsDialogTemplate() {
    static const ui::DialogTemplate tmpl = Build();
    return tmpl;
}

}  // namespace halvgate
