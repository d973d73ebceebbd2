// Resource ids of the protected items window (dialog 102) and its controls.
#pragma once

namespace halvgate {

constexpr int IDD_PROTECTED_ITEMS = 102;

constexpr int IDC_PATH = 1000;
constexpr int IDC_BROWSE_FILE = 1001;
constexpr int IDC_BROWSE_DIR = 1002;
constexpr int IDC_PRESET_READ_ONLY = 1003;
constexpr int IDC_PRESET_NO_ACCESS = 1004;
constexpr int IDC_PRESET_FULL_HIDDEN = 1005;
constexpr int IDC_PRESET_INVISIBLE_ONLY = 1006;
constexpr int IDC_RIGHT_CREATE = 1007;
constexpr int IDC_RIGHT_OPEN = 1008;
constexpr int IDC_RIGHT_READ = 1009;
constexpr int IDC_RIGHT_WRITE_MODIFY = 1010;
constexpr int IDC_RIGHT_WRITE_APPEND = 1011;
constexpr int IDC_RIGHT_EXECUTE = 1012;
constexpr int IDC_RIGHT_RENAME = 1013;
constexpr int IDC_RIGHT_DELETE = 1014;
constexpr int IDC_RIGHT_SET_ATTRIBUTE = 1015;
constexpr int IDC_RIGHT_INVISIBLE = 1016;
constexpr int IDC_ADD_ITEM = 1020;
constexpr int IDC_ITEM_LIST = 1021;
constexpr int IDC_ACTIVATE = 1022;
constexpr int IDC_DEACTIVATE = 1023;
constexpr int IDC_DELETE = 1024;
constexpr int IDC_RELOAD = 1025;
constexpr int IDC_APPLY = 1026;
constexpr int IDC_ACTIVATE_ALL = 1027;
constexpr int IDC_DEACTIVATE_ALL = 1028;
constexpr int IDC_DELETE_ALL = 1029;
constexpr int IDC_CLOSE = 1030;
constexpr int IDC_SETTINGS = 1031;
constexpr int IDC_ABOUT = 1032;
constexpr int IDC_SAFE_PROGRAMS = 1033;
constexpr int IDC_CLEAR = 1037;
constexpr int IDC_ACTION_DISABLE = 1039;
constexpr int IDC_ACTION_PROMPT = 1040;
constexpr int IDC_AUTHORIZED_MODULES = 1044;
constexpr int IDC_UNAUTHORIZED_MODULES = 1045;
constexpr int IDC_RIGHT_RECURSIVE = 1046;
constexpr int IDC_ACTION_ASK_PASSWORD = 1069;

// The system-menu command that opens the About box.
constexpr unsigned IDM_ABOUTBOX = 0x10;

}  // namespace halvgate
