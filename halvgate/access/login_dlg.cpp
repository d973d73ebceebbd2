#include "halvgate/access/login_dlg.h"

#include <array>
#include <string>

#include "common/file_util.h"
#include "common/password_codec.h"
#include "common/rescue_transform.h"
#include "halvgate/access/rescue_disk.h"
#include "halvgate/res/login_dialog_resource.h"
#include "ui/types.h"

namespace halvgate {

const ui::MessageMapEntry<CLoginDlg> CLoginDlg::kMessageMap[] = {
    {ui::Notify::Clicked, IDC_LOGIN_OK, &CLoginDlg::OnLogin},
    {ui::Notify::Clicked, IDC_LOGIN_RESCUE_DISK, &CLoginDlg::OnRescueDisk},
    {ui::Notify::Clicked, IDC_LOGIN_CLOSE, &CLoginDlg::OnCloseButton},
    {ui::Notify::Clicked, IDC_LOGIN_DISABLE_PROTECTION, &CLoginDlg::OnDisableProtection},
    {ui::Notify::Clicked, IDC_LOGIN_ONLY, &CLoginDlg::OnLoginOnly},
};

namespace {

// The field is read with room for sixteen characters: a password set through the Windows 9x
// settings may have sixteen, and a fifteen-character read could never match it.
constexpr int kPasswordReadCapacity = 17;

void ShowError(ui::Dialog* owner, const char* text) {
    owner->MessageBox(text, "Error", ui::MB_OK | ui::MB_ICONERROR);
}

}  // namespace

CLoginDlg::CLoginDlg(const halvern::ConfigHeader& header, win::DWORD& verified,
                     win::DWORD& switchOff, win::DWORD& loginOnly)
    : ui::Dialog(LoginDialogTemplate(), nullptr),
      header_(header),
      verified_(verified),
      switchOff_(switchOff),
      loginOnly_(loginOnly) {
    SetMessageMap<CLoginDlg>(this, kMessageMap);
    verified_ = 0;
}

bool CLoginDlg::OnInitDialog() {
    ui::Dialog::OnInitDialog();
    GotoDlgCtrl(IDC_LOGIN_PASSWORD);
    CheckDlgButton(IDC_LOGIN_DISABLE_PROTECTION, switchOff_ != 0 ? ui::BST_CHECKED : 0);
    CheckDlgButton(IDC_LOGIN_ONLY, loginOnly_ != 0 ? ui::BST_CHECKED : 0);
    rescueAccepted_ = 0;
    return false;
}

void CLoginDlg::OnLogin() {
    if (FieldHoldsPassword()) {
        verified_ = 1;
        TakeOptions();
        EndDialog(ui::IDOK);
        return;
    }
    verified_ = 0;
    ReturnToPasswordField();
    ShowError(this, "Invalid password !");
}

void CLoginDlg::OnRescueDisk() {
    if (MessageBox("Please insert your rescue disk in drive A.\r\nPress OK button when ready...",
                   "Information", ui::MB_OKCANCEL | ui::MB_ICONINFORMATION) != ui::IDOK) {
        ReturnToPasswordField();
        return;
    }
    std::array<win::BYTE, halvern::CRescueTransform::kSize> disk{};
    std::array<win::BYTE, halvern::CRescueTransform::kSize> code{};
    CRescueDisk rescue;
    const char* failure = nullptr;
    if (!halvern::CFileUtil().ReadExact(CRescueDisk::kDiskPath, disk.data(),
                                        static_cast<win::UINT>(disk.size()))) {
        failure = "Error reading rescue disk !";
    } else if (!rescue.ReadRescueCode(code.data())) {
        failure = "Halvern not installed properly !";
    } else if (!rescue.DiskMatchesCode(disk.data(), code.data())) {
        failure = "Invalid password !";
    }
    halvern::CPasswordCodec::Wipe(disk.data(), disk.size());
    halvern::CPasswordCodec::Wipe(code.data(), code.size());
    if (failure != nullptr) {
        verified_ = 0;
        ShowError(this, failure);
        ReturnToPasswordField();
        return;
    }
    verified_ = 1;
    TakeOptions();
    rescueAccepted_ = 1;
    EndDialog(ui::IDOK);
}

void CLoginDlg::OnCloseButton() {
    verified_ = 0;
    EndDialog(ui::IDCANCEL);
}

void CLoginDlg::OnClose() {
    verified_ = 0;
    EndDialog(ui::IDCANCEL);
}

void CLoginDlg::OnDisableProtection() {
    CheckDlgButton(IDC_LOGIN_DISABLE_PROTECTION, ui::BST_CHECKED);
    CheckDlgButton(IDC_LOGIN_ONLY, ui::BST_UNCHECKED);
}

void CLoginDlg::OnLoginOnly() {
    CheckDlgButton(IDC_LOGIN_DISABLE_PROTECTION, ui::BST_UNCHECKED);
    CheckDlgButton(IDC_LOGIN_ONLY, ui::BST_CHECKED);
}

// Every way out of the dialog ends here, Enter and Escape included, which end it unchecked: the
// field decides the verified flag, unless a rescue disk was accepted.
void CLoginDlg::OnDestroy() {
    if (rescueAccepted_ != 0 || FieldHoldsPassword()) {
        verified_ = 1;
        TakeOptions();
    } else {
        verified_ = 0;
    }
    WipePasswordField();
    ui::Dialog::OnDestroy();
}

bool CLoginDlg::FieldHoldsPassword() const {
    std::string typed = GetDlgItemText(IDC_LOGIN_PASSWORD, kPasswordReadCapacity);
    const bool matches =
        halvern::CPasswordCodec().Matches(typed.c_str(), header_.LogonPassword().data());
    halvern::CPasswordCodec::Wipe(typed.data(), typed.size());
    return matches;
}

void CLoginDlg::TakeOptions() {
    switchOff_ = IsDlgButtonChecked(IDC_LOGIN_DISABLE_PROTECTION) == ui::BST_CHECKED ? 1 : 0;
    loginOnly_ = IsDlgButtonChecked(IDC_LOGIN_ONLY) == ui::BST_CHECKED ? 1 : 0;
}

// After a failed attempt the whole text is selected, so that the next one replaces it.
void CLoginDlg::ReturnToPasswordField() {
    Item(IDC_LOGIN_PASSWORD).SetSel(0, -1);
    GotoDlgCtrl(IDC_LOGIN_PASSWORD);
}

// The control's text is overwritten in place before it is emptied, so that the clear text does
// not outlive the window in the control's storage.
void CLoginDlg::WipePasswordField() {
    ui::Control& field = Item(IDC_LOGIN_PASSWORD);
    const std::size_t length = field.GetText().size();
    if (length == 0) {
        return;
    }
    field.SetText(std::string(length, ' '));
    field.SetText(std::string());
}

}  // namespace halvgate
