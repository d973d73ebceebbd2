// The protected items window: loading, applying and reloading the configuration, Close and
// the window's destruction.
#include "common/driver_device.h"
#include "common/nt_control_codes.h"
#include "halvgate/config/config_file.h"
#include "halvgate/mainwindow/protected_items_dlg.h"
#include "halvgate/res/protected_items_dialog_ids.h"

namespace halvgate {
namespace {

// The module lists of the program guard are read here once their file is supported; until
// then the hidden lists stay empty after a load.
void LoadModuleLists(const std::string&, ui::ListView&, ui::ListView&) {}

}  // namespace

int CProtectedItemsDlg::LoadConfiguration(const std::string& itemFile,
                                          const std::string& moduleFile, bool loadHeader,
                                          bool loadItems, bool loadModuleLists) {
    CConfigFile file;
    if (loadHeader && !file.ReadHeader(itemFile.c_str(), header_)) {
        file.SetDefaultHeader(header_);
    }
    if (loadItems) {
        ItemList().DeleteAllItems();
        file.ReadItems(itemFile.c_str(), ItemList());
    }
    if (loadModuleLists) {
        List(IDC_AUTHORIZED_MODULES).DeleteAllItems();
        List(IDC_UNAUTHORIZED_MODULES).DeleteAllItems();
        LoadModuleLists(moduleFile, List(IDC_AUTHORIZED_MODULES), List(IDC_UNAUTHORIZED_MODULES));
    }
    return halvern::CDriverDevice().SendCommand(halvern::IOCTL_HALVGATE_RELOAD_CONFIG);
}

void CProtectedItemsDlg::OnReload() {
    if (!IsWindows9x()) {
        LoadConfiguration(itemFilePath_, moduleFilePath_, true, true, true);
    }
    changesPending_ = 0;
    RefreshApplyButtons();
    RefreshListButtons();
}

bool CProtectedItemsDlg::ApplyNt() {
    // Written beside the old file and renamed over it: a failed write leaves the configuration
    // the driver already has intact.
    if (!CConfigFile().ReplaceItemFile(itemFilePath_.c_str(), header_, ItemList())) {
        MessageBox("Error detected when trying to apply", "Error", ui::MB_OK);
        return false;
    }
    halvern::CDriverDevice().SendCommand(halvern::IOCTL_HALVGATE_RELOAD_CONFIG);
    MessageBox("Changes had been applied successfully", "Success!", ui::MB_OK);
    changesPending_ = 0;
    RefreshApplyButtons();
    RefreshListButtons();
    return true;
}

void CProtectedItemsDlg::OnApply() {
    if (!IsWindows9x()) {
        ApplyNt();
    }
}

void CProtectedItemsDlg::OnCloseButton() {
    OnClose();
}

void CProtectedItemsDlg::OnClose() {
    if (changesPending_ != 0) {
        const int answer =
            MessageBox("Changes had been made. Save and apply changes before leaving ?", "Warning",
                       ui::MB_YESNOCANCEL);
        if (answer == ui::IDCANCEL) {
            return;
        }
        if (answer == ui::IDYES) {
            OnApply();
            // A failed apply keeps the window open, so that the edits are not lost unnoticed.
            if (changesPending_ != 0) {
                return;
            }
        }
        changesPending_ = 0;
    }
    if (switchOff_ != 0) {
        SwitchProtectionOn();
    }
    EndDialog(ui::IDCANCEL);
}

void CProtectedItemsDlg::OnDestroy() {
    if (!IsWindows9x() && noSwitchBack_ == 0) {
        SwitchProtectionOn();
    }
    ui::Dialog::OnDestroy();
}

}  // namespace halvgate
