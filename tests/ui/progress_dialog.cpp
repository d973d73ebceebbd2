#include "tests/ui/progress_dialog.h"

#include "tests/ui/sample_dialog.h"

namespace ui::test {
namespace {

DialogTemplate ProgressTemplate() {
    DialogTemplate tmpl;
    tmpl.id = IDD_PROGRESS;
    tmpl.caption = "Working ...";
    tmpl.cx = 200;
    tmpl.cy = 60;
    tmpl.controls = {
        {IDC_PROGRESS, ControlKind::ProgressBar, "", 4, 20, 190, 10, 0, "IDC_PROGRESS"},
        {IDCANCEL, ControlKind::PushButton, "Stop", 70, 40, 50, 14, Style::TabStop, "IDCANCEL"},
    };
    return tmpl;
}

}  // namespace

ProgressDialog::ProgressDialog(bool& stop, Dialog* owner)
    : Dialog(ProgressTemplate(), owner), stop_(stop) {}

void ProgressDialog::OnCancel() {
    if (MessageBox("Are you sure to stop now ?", "Warning", MB_YESNOCANCEL) == IDYES) {
        stop_ = true;
        ShowWindow(false);
    }
}

void ProgressDialog::OnDestroy() {
    destroyed = true;
}

}  // namespace ui::test
