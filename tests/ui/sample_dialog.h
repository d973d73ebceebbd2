// A small dialog with one control of each kind, whose handlers log every notification they
// receive, so that tests see what the dialog manager sent and in which order.
#pragma once

#include <string>
#include <vector>

#include "ui/dialog.h"

namespace ui::test {

constexpr int IDD_SAMPLE = 100;
constexpr int IDC_NAME = 1000;
constexpr int IDC_PASSWORD = 1001;
constexpr int IDC_REMEMBER = 1002;  // automatic check box
constexpr int IDC_PLAIN = 1003;     // check box without the automatic style
constexpr int IDC_ALPHA = 1004;     // radio group 1: Alpha, Beta, Gamma
constexpr int IDC_BETA = 1005;
constexpr int IDC_GAMMA = 1006;
constexpr int IDC_DELTA = 1007;  // radio group 2
constexpr int IDC_APPLY = 1010;
constexpr int IDC_LIST = 1020;
constexpr int IDC_COMBO = 1030;
constexpr int IDC_PROGRESS = 1031;
constexpr int IDC_SECRET = 1040;  // hidden push button
constexpr int IDC_LOCKED = 1041;  // disabled edit
constexpr int IDC_NUMBER = 1042;  // digits-only edit with a limit of 4
constexpr int IDC_NESTED = 1050;  // opens a nested SampleDialog
constexpr int IDC_ASK = 1060;     // asks a Yes/No/Cancel question
constexpr int IDC_FILE = 1061;    // open-file dialog into IDC_NAME
constexpr int IDC_FOLDER = 1062;  // folder browser into IDC_NAME
constexpr int IDC_SCAN = 1063;    // runs a modeless progress window that pumps messages
constexpr unsigned IDM_ABOUT = 0x10;

enum class DefaultButton { None, Apply, DisabledApply };

DialogTemplate SampleTemplate(DefaultButton defaultButton = DefaultButton::Apply,
                              int id = IDD_SAMPLE);

class SampleDialog : public Dialog {
  public:
    explicit SampleDialog(DefaultButton defaultButton = DefaultButton::Apply,
                          Dialog* parent = nullptr, int id = IDD_SAMPLE);

    std::vector<std::string> log;
    // What the handlers logged during OnInitDialog.
    std::vector<std::string> initLog;
    // The drop of the last row drag: -1 until a drag ended.
    int dropIndex = -1;
    int windowUnderPointer = 0;
    Point pointer;
    int nestedResult = 0;

  protected:
    bool OnInitDialog() override;
    void OnOK() override;
    void OnClose() override;
    void OnDestroy() override;
    void OnSysCommand(unsigned id) override;
    void OnMouseMove(Point client) override;
    void OnLButtonUp(Point client) override;

  private:
    void OnApply();
    void OnNested();
    void OnNameChanged();
    void OnButton(NotifyInfo& info);
    void OnList(NotifyInfo& info);
    void OnCombo();
    void OnAsk();
    void OnFile();
    void OnFolder();
    void OnScan();

    bool dragging_ = false;
    int dragged_ = -1;
};

}  // namespace ui::test
