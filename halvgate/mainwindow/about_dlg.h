// The About box: the program's name and the maker's web address, which GO opens in the
// registered web browser.
#pragma once

#include "ui/dialog.h"

namespace halvgate {

class CAboutDlg : public ui::Dialog {
  public:
    static constexpr const char* kWebAddress = "http://www.halvern.example/";

    explicit CAboutDlg(ui::Dialog* parent = nullptr);

  protected:
    bool OnInitDialog() override;

  private:
    static const ui::MessageMapEntry<CAboutDlg> kMessageMap[];
    void OnGo();
};

}  // namespace halvgate
