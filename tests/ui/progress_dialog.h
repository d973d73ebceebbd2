// A modeless progress window with a "Stop" button that asks before it sets the stop flag.
#pragma once

#include "ui/dialog.h"

namespace ui::test {

constexpr int IDD_PROGRESS = 150;

class ProgressDialog : public Dialog {
  public:
    ProgressDialog(bool& stop, Dialog* owner);
    bool destroyed = false;

  protected:
    void OnCancel() override;
    void OnDestroy() override;

  private:
    bool& stop_;
};

}  // namespace ui::test
