#include "halvgate/mainwindow/about_dlg.h"

#include <array>
#include <string>

#include "common/registry_store.h"
#include "halvgate/res/about_dialog_ids.h"
#include "halvgate/res/about_dialog_resource.h"
#include "platform/win32_api.h"

namespace halvgate {

const ui::MessageMapEntry<CAboutDlg> CAboutDlg::kMessageMap[] = {
    {ui::Notify::Clicked, IDC_GO, &CAboutDlg::OnGo},
};

namespace {

constexpr const char* kBrowserCommandKey = "http\\shell\\open\\command";
constexpr win::DWORD kBrowserCommandCapacity = 250;
// WinExec returns a value above 31 when the program started.
constexpr win::UINT kWinExecFirstSuccess = 32;

}  // namespace

CAboutDlg::CAboutDlg(ui::Dialog* parent) : ui::Dialog(AboutDialogTemplate(), parent) {
    SetMessageMap<CAboutDlg>(this, kMessageMap);
}

bool CAboutDlg::OnInitDialog() {
    ui::Dialog::OnInitDialog();
    SetDlgItemText(IDC_WEB_ADDRESS, kWebAddress);
    return true;
}

void CAboutDlg::OnGo() {
    // One byte more than the read takes, so that a full value still ends with a terminator.
    std::array<char, kBrowserCommandCapacity + 1> command{};
    halvern::CRegistryStore store;
    if (!store.ReadValue(win::HKEY_CLASSES_ROOT, kBrowserCommandKey, "", command.data(),
                         kBrowserCommandCapacity)) {
        return;
    }
    const std::string line = std::string(command.data()) + " " + kWebAddress;
    if (win::WinExec(line.c_str(), win::SW_SHOWNORMAL) < kWinExecFirstSuccess) {
        MessageBox("Sorry, error executing WEB browser program...", "Error", ui::MB_OK);
    }
}

}  // namespace halvgate
