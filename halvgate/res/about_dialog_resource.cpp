#include "halvgate/res/about_dialog_resource.h"

#include <string>

#include "halvgate/res/about_dialog_ids.h"
#include "halvgate/res/icon_resources.h"
#include "ui/types.h"

namespace halvgate {
namespace {

using ui::ControlKind;
namespace S = ui::Style;

ui::DialogTemplate Build() {
    ui::DialogTemplate t;
    t.id = IDD_ABOUTBOX;
    t.caption = "About Halvern";
    t.x = 0;
    t.y = 0;
    t.cx = 235;
    t.cy = 82;
    t.controls = {
        // OK comes first, so that it has the focus when the box opens.
        {ui::IDOK, ControlKind::PushButton, "OK", 178, 60, 50, 14,
         S::Default | S::Group | S::TabStop, "IDOK"},
        {ui::IDC_STATIC, ControlKind::Icon, std::to_string(IDR_MAINFRAME), 11, 17, 20, 20, 0,
         "IDC_STATIC"},
        {ui::IDC_STATIC, ControlKind::Static, "Halvern 2001 Special Edition", 40, 10, 180, 8, 0,
         "IDC_STATIC"},
        {ui::IDC_STATIC, ControlKind::Static, "File and folder protection for Windows", 40, 22, 180,
         8, 0, "IDC_STATIC"},
        {IDC_WEB_ADDRESS, ControlKind::Edit, "", 40, 38, 150, 14,
         S::ReadOnly | S::AutoHScroll | S::Border, "IDC_WEB_ADDRESS"},
        {IDC_GO, ControlKind::PushButton, "GO", 196, 38, 32, 14, S::TabStop, "IDC_GO"},
    };
    return t;
}

}  // namespace

const ui::DialogTemplate& AboutDialogTemplate() {
    static const ui::DialogTemplate tmpl = Build();
    return tmpl;
}

}  // namespace halvgate
