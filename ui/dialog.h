// The dialog class every window of the programs derives from, as an MFC dialog is written:
// a template, a message map binding control notifications to member functions, the MFC
// virtuals, modal and modeless life, and control access by id. The dialog-manager rules (Enter,
// Escape, the close box, automatic check boxes and radio groups, input only to enabled and
// visible controls) live here, once, for every backend: backends report raw user input through
// the User* functions and never decide what it means.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <variant>
#include <vector>

#include "ui/combo_box.h"
#include "ui/control.h"
#include "ui/dialog_template.h"
#include "ui/list_view.h"
#include "ui/progress_bar.h"
#include "ui/types.h"

namespace ui {

class BackendWindow;

// Control notifications a message map can bind.
enum class Notify {
    Clicked,       // BN_CLICKED: push button, check box, radio button
    Changed,       // EN_CHANGE: edit text changed (typed or set by the program)
    SelChange,     // CBN_SELCHANGE: drop-down list selection
    SetFocus,      // BN/EN/NM_SETFOCUS
    KillFocus,     // BN/EN/NM_KILLFOCUS
    ListClick,     // NM_CLICK on a list view (after the selection changed)
    ListDblClick,  // NM_DBLCLK
    ColumnClick,   // LVN_COLUMNCLICK
    BeginDrag,     // LVN_BEGINDRAG (left button)
    BeginRDrag,    // LVN_BEGINRDRAG (right button)
    ItemChanged,   // LVN_ITEMCHANGED: a row's state changed
};

struct NotifyInfo {
    int id = 0;
    Notify code = Notify::Clicked;
    int row = -1;     // list notifications
    int column = -1;  // column click, list click
    Point point;      // list notifications: in the list's client coordinates
    int result = 0;   // a handler may set the notification's result
};

// One line of a message map: a notification of a control bound to a member function, which
// takes no argument or the notification.
template <class T>
struct MessageMapEntry {
    Notify code;
    int id;
    std::variant<void (T::*)(), void (T::*)(NotifyInfo&)> handler;
};

class Dialog {
  public:
    explicit Dialog(const DialogTemplate& tmpl, Dialog* parent = nullptr);
    virtual ~Dialog();
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    // Modal: creates the window and its controls, runs OnInitDialog, runs the backend's modal
    // loop until EndDialog, destroys the window (OnDestroy) and returns the EndDialog result.
    // Returns -1 when no backend is installed or the window cannot be created.
    int DoModal();
    // Modeless: creates and shows the window; it lives until DestroyWindow.
    bool Create();
    void EndDialog(int result);
    void DestroyWindow();
    bool IsWindow() const { return created_; }
    bool IsModal() const { return modal_; }
    bool IsEnded() const { return ended_; }
    int Result() const { return result_; }

    const DialogTemplate& Template() const { return template_; }
    int TemplateId() const { return template_.id; }
    Dialog* Parent() const { return parent_; }
    const std::string& GetWindowText() const { return caption_; }
    void SetWindowText(const std::string& caption);
    void SetIcon(int iconResourceId);
    int GetIcon() const { return iconId_; }
    bool IsWindowEnabled() const { return windowEnabled_; }
    void EnableWindow(bool enable);
    // Shows or hides the window itself (a modeless window that hides while it works on).
    void ShowWindow(bool show);
    bool IsWindowVisible() const { return visible_; }
    // Disables a dialog for as long as a modal window it owns is up (null: nothing to do).
    class DisabledWhileModal {
      public:
        explicit DisabledWhileModal(Dialog* owner);
        ~DisabledWhileModal();
        DisabledWhileModal(const DisabledWhileModal&) = delete;
        DisabledWhileModal& operator=(const DisabledWhileModal&) = delete;

      private:
        Dialog* disabled_ = nullptr;
    };

    // System menu items added by the program (id and text), after the standard ones.
    void AppendSystemMenuItem(unsigned id, const std::string& text);
    const std::vector<std::pair<unsigned, std::string>>& SystemMenuItems() const {
        return systemMenu_;
    }

    // Control access by id. Item() of an id the template lacks is a programming error.
    bool HasItem(int id) const;
    Control& Item(int id) const;
    ListView& List(int id) const;
    ComboBox& Combo(int id) const;
    ProgressBar& Progress(int id) const;
    std::vector<Control*> Controls() const;
    std::string GetDlgItemText(int id) const;
    // At most maxCount - 1 characters, as GetDlgItemText with a buffer of maxCount does.
    std::string GetDlgItemText(int id, int maxCount) const;
    void SetDlgItemText(int id, const std::string& text);
    unsigned IsDlgButtonChecked(int id) const;
    void CheckDlgButton(int id, unsigned state);
    void CheckRadioButton(int firstId, int lastId, int checkId);
    void EnableDlgItem(int id, bool enable);
    void ShowDlgItem(int id, bool show);
    void GotoDlgCtrl(int id);
    int GetFocusId() const { return focusId_; }
    // The default push button: the first with Style::Default, or 0.
    int GetDefId() const;

    // Coordinates: the dialog's client origin on the screen, and child windows under points.
    Point ClientToScreen(Point client) const;
    Point ScreenToClient(Point screen) const;
    // The visible control under a client point (0 when it is the dialog itself).
    int ChildFromPoint(Point client) const;
    // A client point of the dialog in the client coordinates of control `id` (0: the dialog).
    Point ClientToControl(int id, Point client) const;
    void SetScreenOrigin(Point origin) { screenOrigin_ = origin; }
    void SetCapture();
    void ReleaseCapture();
    bool HasCapture() const { return capture_; }

    // Message box owned by this dialog.
    int MessageBox(const std::string& text, const std::string& caption, unsigned type);

    // User input, reported by backends and the headless script. Each applies the
    // dialog-manager rules and returns false when the input was refused (disabled or hidden
    // control, window disabled behind a nested modal dialog, unknown id).
    bool UserClick(int id);
    bool UserType(int id, const std::string& text);
    bool UserEnter();
    bool UserEscape();
    bool UserCloseBox();
    bool UserSetFocus(int id);
    bool UserSelectCombo(int id, int index);
    bool UserListClick(int id, int row, int column, bool toggle = false, bool extend = false);
    bool UserListDblClick(int id, int row, int column);
    bool UserColumnClick(int id, int column);
    bool UserBeginDrag(int id, int row, Point listPoint, bool rightButton = false);
    bool UserMouseMove(Point client);
    bool UserLButtonUp(Point client);
    bool UserSysCommand(unsigned id);

    // The window the backend built for this dialog, if any.
    BackendWindow* Window() const { return window_.get(); }

  protected:
    // MFC virtuals. OnInitDialog returns true to let the framework focus the first tab stop.
    virtual bool OnInitDialog();
    virtual void OnOK();      // default: EndDialog(IDOK)
    virtual void OnCancel();  // default: EndDialog(IDCANCEL)
    virtual void OnClose();   // default: the IDCANCEL command
    virtual void OnDestroy();
    virtual void OnShowWindow(bool show);
    virtual void OnSysCommand(unsigned id);
    virtual void OnMouseMove(Point client);
    virtual void OnLButtonUp(Point client);

    // Binds the message map of the derived class; call once from its constructor.
    template <class T>
    void SetMessageMap(T* self, std::span<const MessageMapEntry<T>> map) {
        for (const auto& entry : map) {
            auto handler = entry.handler;
            handlers_.push_back({entry.code, entry.id, [self, handler](NotifyInfo& info) {
                                     if (auto* plain = std::get_if<void (T::*)()>(&handler)) {
                                         (self->**plain)();
                                     } else {
                                         (self->*std::get<void (T::*)(NotifyInfo&)>(handler))(info);
                                     }
                                 }});
        }
    }

  public:
    // Sends a notification through the message map (used by controls and the input rules).
    // Returns true when a handler took it.
    bool SendNotify(NotifyInfo& info);
    // WM_COMMAND: the message map's Clicked handler of `id`, else OnOK / OnCancel for IDOK and
    // IDCANCEL.
    void SendCommand(int id);
    void ControlChanged(Control& control, Change what);

  private:
    struct Handler {
        Notify code;
        int id;
        std::function<void(NotifyInfo&)> call;
    };
    void CreateControls();
    void Destroy();
    // The dialog a modal dialog opened now disables: its parent, else the innermost modal one.
    Dialog* ModalTarget();
    bool WindowTakesInput() const;
    bool InputAllowed(int id) const;
    void Initialize();
    void MoveFocus(int id);
    void ClickRadio(Control& radio);
    bool ListButtonClick(Notify code, int id, int row, int column, bool toggle, bool extend);

    DialogTemplate template_;
    Dialog* parent_;
    std::string caption_;
    int iconId_ = 0;
    std::vector<std::unique_ptr<Control>> controls_;
    std::map<int, Control*> byId_;
    std::vector<Handler> handlers_;
    std::vector<std::pair<unsigned, std::string>> systemMenu_;
    std::unique_ptr<BackendWindow> window_;
    bool created_ = false;
    bool modal_ = false;
    bool ended_ = false;
    bool windowEnabled_ = true;
    bool visible_ = false;
    bool capture_ = false;
    int result_ = 0;
    int focusId_ = 0;
    Point screenOrigin_{100, 100};
};

}  // namespace ui
