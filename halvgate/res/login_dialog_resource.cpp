#include "halvgate/res/login_dialog_resource.h"

namespace halvgate {
namespace {

using ui::ControlKind;
namespace S = ui::Style;

ui::ControlTemplate Label(const char* text, int x, int y, int cx) {
    return {ui::IDC_STATIC, ControlKind::Static, text, x, y, cx, 8, 0, "IDC_STATIC"};
}

ui::DialogTemplate Build() {
    ui::DialogTemplate t;
    t.id = IDD_LOGIN;
    t.caption = "Login to Halvern 2001";
    t.x = 0;
    t.y = 0;
    t.cx = 250;
    t.cy = 170;
    // The two options are plain radio buttons: their handlers set both states, so that two
    // options stored as chosen open both checked and the first click leaves one.
    t.controls = {
        {ui::IDC_STATIC, ControlKind::GroupBox, "Password Required", 7, 7, 236, 30, 0,
         "IDC_STATIC"},
        {IDC_LOGIN_PASSWORD, ControlKind::Edit, "", 15, 18, 220, 13,
         S::Password | S::AutoHScroll | S::Border | S::TabStop, "IDC_LOGIN_PASSWORD"},
        {IDC_LOGIN_DISABLE_PROTECTION, ControlKind::RadioButton, "", 12, 44, 10, 10,
         S::Group | S::TabStop, "IDC_LOGIN_DISABLE_PROTECTION"},
        Label("Disable all protection when in Halvern Monitor", 24, 45, 210),
        Label("If this option is checked, you can access protected files / ", 24, 56, 215),
        Label("folders when in Halvern Monitor", 24, 65, 215),
        {IDC_LOGIN_ONLY, ControlKind::RadioButton, "", 12, 80, 10, 10, 0, "IDC_LOGIN_ONLY"},
        Label("Login Only", 24, 81, 210),
        Label("If this option is checked, you're just logging in. Usually", 24, 92, 215),
        Label("you check this option if you would like to access all", 24, 101, 215),
        Label("protected files / folders, and don't want to change settings.", 24, 110, 215),
        {IDC_LOGIN_DISABLE_CHECK, ControlKind::CheckBox,
         "Disable all protections when in Halvern Monitor", 12, 122, 200, 10, S::Hidden | S::Group,
         "IDC_LOGIN_DISABLE_CHECK"},
        {IDC_LOGIN_ONLY_CHECK, ControlKind::CheckBox, "Login Only", 12, 133, 200, 10, S::Hidden,
         "IDC_LOGIN_ONLY_CHECK"},
        {IDC_LOGIN_OK, ControlKind::PushButton, "OK", 25, 149, 60, 14, S::Group | S::TabStop,
         "IDC_LOGIN_OK"},
        {IDC_LOGIN_RESCUE_DISK, ControlKind::PushButton, "Rescue Disk", 95, 149, 60, 14, S::TabStop,
         "IDC_LOGIN_RESCUE_DISK"},
        {IDC_LOGIN_CLOSE, ControlKind::PushButton, "Close", 165, 149, 60, 14, S::TabStop,
         "IDC_LOGIN_CLOSE"},
    };
    return t;
}

}  // namespace

const ui::DialogTemplate& LoginDialogTemplate() {
    static const ui::DialogTemplate tmpl = Build();
    return tmpl;
}

}  // namespace halvgate
