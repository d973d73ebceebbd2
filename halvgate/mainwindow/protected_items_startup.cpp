// The protected items window's dialog initialisation: Halvgate's start-up.
#include <cstdint>

#include "common/config_paths.h"
#include "common/driver_device.h"
#include "common/nt_control_codes.h"
#include "common/registry_keys.h"
#include "common/registry_store.h"
#include "halvgate/access/login_dlg.h"
#include "halvgate/mainwindow/item_image_list.h"
#include "halvgate/mainwindow/protected_items_dlg.h"
#include "halvgate/res/icon_resources.h"
#include "halvgate/res/protected_items_dialog_ids.h"
#include "halvgate/res/string_table.h"
#include "platform/win32_api.h"
#include "ui/resources.h"

namespace halvgate {
namespace {

constexpr std::uint32_t kDriverNotConsulted = 1;
constexpr std::uint32_t kAnotherInstance = 0;
constexpr int kLoginOk = 1;
constexpr int kLoginClosed = 2;

}  // namespace

bool CProtectedItemsDlg::OnInitDialog() {
    ui::Dialog::OnInitDialog();

    const std::string about = ui::LoadString(IDS_ABOUTBOX);
    if (Template().systemMenu && !about.empty()) {
        AppendSystemMenuItem(0, "");
        AppendSystemMenuItem(IDM_ABOUTBOX, about);
    }
    SetIcon(IDR_MAINFRAME);

    noSwitchBack_ = 0;
    changesPending_ = 0;
    closeAfterStartUp_ = false;

    CheckDlgButton(IDC_ACTION_DISABLE, ui::BST_CHECKED);
    if (IsWindows9x()) {
        StartUpWindows9x();
    } else {
        StartUpNt();
    }
    if (closeAfterStartUp_) {
        OnClose();
    }
    return true;
}

void CProtectedItemsDlg::StartUpNt() {
    halvern::CDriverDevice driver;
    // A driver that cannot be asked lets this instance run.
    std::uint32_t mayRun = kDriverNotConsulted;
    driver.SendQuery(halvern::IOCTL_HALVGATE_QUERY_INSTANCE, mayRun);
    if (mayRun == kAnotherInstance) {
        noSwitchBack_ = 1;
        MessageBox(
            "There's another instance of Halvern 2001...\r\nIf there's not, you may need to "
            "restart your computer first, then please try again",
            "Error", ui::MB_OK);
        EndDialog(ui::IDOK);
        return;
    }

    itemImages_ = std::make_unique<ui::ImageList>();
    if (!ItemImageList().Build(*itemImages_)) {
        itemImages_.reset();
    }
    InsertItemColumns();
    RefreshApplyButtons();
    RefreshListButtons();
    EnableDlgItem(IDC_ADD_ITEM, false);

    // Without a Windows directory the paths stay empty: the load finds nothing and Apply
    // reports its failure.
    halvern::CConfigPaths().BuildConfigPaths(itemFilePath_, moduleFilePath_);

    driver.SendCommand(halvern::IOCTL_HALVGATE_PROTECTION_OFF);
    LoadConfiguration(itemFilePath_, moduleFilePath_, true, true, true);
    // The "All" buttons follow the rows just loaded.
    RefreshListButtons();
    driver.SendCommand(halvern::IOCTL_HALVGATE_PROTECTION_ON);

    if (header_.LogonPasswordSet() != 0) {
        ReadLoginChoices();
        if (header_.ProtectionStatus() == 1) {
            driver.SendCommand(halvern::IOCTL_HALVGATE_STATUS_ACTIVE);
        }
        driver.SendCommand(halvern::IOCTL_HALVGATE_PROTECTION_ON);
        RunLogin();
    } else {
        switchOff_ = 1;
        loginOnly_ = 0;
        driver.SendCommand(halvern::IOCTL_HALVGATE_PROTECTION_OFF);
    }
}

// The Windows 9x start-up holds the driver's session and loads the driver's item table; those
// steps come with the Windows 9x driver client. What is the window's own is done here.
void CProtectedItemsDlg::StartUpWindows9x() {
    EnableDlgItem(IDC_SAFE_PROGRAMS, false);
    ShowDlgItem(IDC_SAFE_PROGRAMS, false);
    EnableDlgItem(IDC_ACTION_PROMPT, false);
    ShowDlgItem(IDC_ACTION_PROMPT, false);
    EnableDlgItem(IDC_ACTION_ASK_PASSWORD, false);
    ShowDlgItem(IDC_ACTION_ASK_PASSWORD, false);
    ShowDlgItem(IDC_RIGHT_RECURSIVE, true);
    EnableDlgItem(IDC_RIGHT_RECURSIVE, true);
    changesPending_ = 0;
    RefreshApplyButtons();
    RefreshListButtons();
    GotoDlgCtrl(IDC_PATH);
}

void CProtectedItemsDlg::ReadLoginChoices() {
    loginOnly_ = 0;
    switchOff_ = 0;
    halvern::CRegistryStore store;
    store.ReadValue(win::HKEY_LOCAL_MACHINE, halvern::kServiceKey, halvern::reg::kLoginOnly,
                    &loginOnly_, sizeof loginOnly_);
    store.ReadValue(win::HKEY_LOCAL_MACHINE, halvern::kServiceKey, halvern::reg::kDisableEnable,
                    &switchOff_, sizeof switchOff_);
    if (loginOnly_ == 0 && switchOff_ == 0) {
        switchOff_ = 1;
    }
}

void CProtectedItemsDlg::RunLogin() {
    win::DWORD verified = 0;
    CLoginDlg login(header_, verified, switchOff_, loginOnly_);
    while (verified == 0) {
        const int result = login.DoModal();
        if (result == kLoginOk) {
            continue;
        }
        if (result == kLoginClosed) {
            closeAfterStartUp_ = true;
            EndDialog(ui::IDOK);
        }
        break;
    }
    if (verified == 0) {
        closeAfterStartUp_ = true;
        EndDialog(ui::IDOK);
        return;
    }
    halvern::CRegistryStore store;
    store.WriteBinaryValue(win::HKEY_LOCAL_MACHINE, halvern::kServiceKey, halvern::reg::kLoginOnly,
                           &loginOnly_, sizeof loginOnly_);
    store.WriteBinaryValue(win::HKEY_LOCAL_MACHINE, halvern::kServiceKey,
                           halvern::reg::kDisableEnable, &switchOff_, sizeof switchOff_);
    if (switchOff_ != 0) {
        SwitchProtectionOff();
    }
    if (loginOnly_ != 0) {
        if (IsWindows9x()) {
            SwitchProtectionOff();
        } else {
            halvern::CDriverDevice().SendCommand(halvern::IOCTL_HALVGATE_LOGIN_ONLY);
        }
        EndDialog(ui::IDOK);
    }
}

void CProtectedItemsDlg::SwitchProtectionOff() {
    if (!IsWindows9x()) {
        halvern::CDriverDevice().SendCommand(halvern::IOCTL_HALVGATE_PROTECTION_OFF);
    }
}

void CProtectedItemsDlg::SwitchProtectionOn() {
    if (!IsWindows9x()) {
        halvern::CDriverDevice().SendCommand(halvern::IOCTL_HALVGATE_PROTECTION_ON);
    }
}

}  // namespace halvgate
