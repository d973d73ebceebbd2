// A dialog with a control of every kind, whose handlers log what they receive, for the Qt
// backend's tests.
#pragma once

#include <string>
#include <vector>

#include "ui/dialog.h"
#include "ui/image_list.h"

namespace ui::qttest {

constexpr int IDD_QT_SAMPLE = 300;
constexpr int IDI_SAMPLE = 310;
constexpr int IDC_GROUP = 2000;
constexpr int IDC_LABEL = 2001;
constexpr int IDC_NAME = 2002;    // edit; its changes are logged
constexpr int IDC_SECRET = 2003;  // password edit
constexpr int IDC_AUTO = 2004;    // automatic check box
constexpr int IDC_MANUAL = 2005;  // check box without the automatic style
constexpr int IDC_FIRST = 2006;   // radio group: First, Second
constexpr int IDC_SECOND = 2007;
constexpr int IDC_LIST = 2008;    // three columns, the second centred; small icons
constexpr int IDC_CHOICE = 2009;  // drop-down list
constexpr int IDC_PROGRESS = 2010;
constexpr int IDC_PICTURE = 2011;            // icon IDI_SAMPLE
constexpr int IDC_NOTES = 2012;              // multi-line edit
constexpr int IDC_HIDDEN = 2013;             // hidden push button
constexpr int IDC_LOCKED = 2014;             // disabled push button
constexpr int IDC_ADD = 2015;                // the default push button
constexpr unsigned IDM_ABOUT_SAMPLE = 0x10;  // appended to the system menu

DialogTemplate QtSampleTemplate();
// Registers the icon resource the sample shows.
void RegisterSampleIcon();

class QtSampleDialog : public Dialog {
  public:
    explicit QtSampleDialog(Dialog* parent = nullptr);

    std::vector<std::string> log;
    int dropIndex = -1;
    Point lastMove;

  protected:
    bool OnInitDialog() override;
    void OnCancel() override;
    void OnClose() override;
    void OnSysCommand(unsigned id) override;
    void OnMouseMove(Point client) override;
    void OnLButtonUp(Point client) override;

  private:
    void OnAdd();
    void OnNameChanged();
    void OnButton(NotifyInfo& info);
    void OnList(NotifyInfo& info);
    void OnChoice();

    ImageList images_;
    std::unique_ptr<ImageList> dragImage_;
    bool dragging_ = false;
    int dragged_ = -1;
    Point pointer_;
};

}  // namespace ui::qttest
