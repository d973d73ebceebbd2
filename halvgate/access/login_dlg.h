// The login that guards Halvern Monitor while a logon password is set (dialog 142). The user
// proves the password, or uses the rescue disk instead, and chooses how to log in.
//
// Usage, as start-up runs it:
//   CLoginDlg login(header, verified, switchOff, loginOnly);   // clears `verified`
//   int result = login.DoModal();   // 1 after OK, Enter or an accepted disk; 2 after Close,
//                                   // Escape or the close box
// Afterwards `verified` is 1 when the field held the password or a disk was accepted, whatever
// the result; `switchOff` and `loginOnly` then hold the chosen option (1 or 0). A wrong
// password shows "Invalid password !" and keeps the dialog open; Enter ends it unchecked.
#pragma once

#include "common/config_header.h"
#include "platform/win32_types.h"
#include "ui/dialog.h"

namespace halvgate {

class CLoginDlg : public ui::Dialog {
  public:
    // `header` supplies the encoded logon password (offset 56), read each time it is checked;
    // the three flags are the caller's and must outlive the dialog. `switchOff` and
    // `loginOnly` choose which options open checked.
    CLoginDlg(const halvern::ConfigHeader& header, win::DWORD& verified, win::DWORD& switchOff,
              win::DWORD& loginOnly);
    ~CLoginDlg() override = default;

  protected:
    bool OnInitDialog() override;
    void OnClose() override;
    void OnDestroy() override;

  private:
    static const ui::MessageMapEntry<CLoginDlg> kMessageMap[];

    void OnLogin();
    void OnRescueDisk();
    void OnCloseButton();
    void OnDisableProtection();
    void OnLoginOnly();

    bool FieldHoldsPassword() const;
    void TakeOptions();
    void ReturnToPasswordField();
    void WipePasswordField();

    const halvern::ConfigHeader& header_;
    win::DWORD& verified_;
    win::DWORD& switchOff_;
    win::DWORD& loginOnly_;
    win::DWORD rescueAccepted_ = 0;
};

}  // namespace halvgate
