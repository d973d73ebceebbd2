// Dialog template 142: the login that guards Halvern Monitor, and its control ids.
#pragma once

#include "ui/dialog_template.h"

namespace halvgate {

constexpr int IDD_LOGIN = 142;

constexpr int IDC_LOGIN_PASSWORD = 1000;
constexpr int IDC_LOGIN_OK = 1001;
constexpr int IDC_LOGIN_RESCUE_DISK = 1002;
constexpr int IDC_LOGIN_CLOSE = 1003;
// Left in the template from an earlier layout: never shown, and clicks on them do nothing.
constexpr int IDC_LOGIN_DISABLE_CHECK = 1007;
constexpr int IDC_LOGIN_ONLY_CHECK = 1008;
constexpr int IDC_LOGIN_DISABLE_PROTECTION = 1039;
constexpr int IDC_LOGIN_ONLY = 1040;

const ui::DialogTemplate& LoginDialogTemplate();

}  // namespace halvgate
