// A control of a dialog: the state both backends show (text, check state, enabled, visible,
// selection of an edit's text). Setting state from the program notifies the backend, and for
// an edit sends the text-change notification exactly as typing does.
#pragma once

#include <string>

#include "ui/dialog_template.h"
#include "ui/types.h"

namespace ui {

class Dialog;

// What changed, so that a backend updates only that.
enum class Change { Text, Check, Enabled, Visible, Focus, Selection, Rows, Columns, Images, Range };

class Control {
  public:
    Control(Dialog& owner, const ControlTemplate& tmpl);
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    int Id() const { return template_.id; }
    ControlKind Kind() const { return template_.kind; }
    const ControlTemplate& Template() const { return template_; }
    Dialog& Owner() const { return owner_; }
    // Bounds in pixels, in the client coordinates of the dialog.
    Rect Bounds() const;

    const std::string& GetText() const { return text_; }
    void SetText(const std::string& text);
    unsigned GetCheck() const { return check_; }
    void SetCheck(unsigned state);
    bool IsEnabled() const { return enabled_; }
    void EnableWindow(bool enable);
    bool IsVisible() const { return visible_; }
    void ShowWindow(bool show);

    // Edit controls
    void LimitText(int maxChars);  // 0 removes the limit
    int GetLimitText() const { return limit_; }
    void SetSel(int start, int end);
    int GetSelStart() const { return selStart_; }
    int GetSelEnd() const { return selEnd_; }

    bool IsPassword() const { return (template_.style & Style::Password) != 0; }
    bool IsDefaultButton() const;
    // Takes input only while enabled and visible.
    bool AcceptsInput() const { return enabled_ && visible_; }

  protected:
    void NotifyBackend(Change what);

  private:
    Dialog& owner_;
    ControlTemplate template_;
    std::string text_;
    unsigned check_ = BST_UNCHECKED;
    bool enabled_ = true;
    bool visible_ = true;
    int limit_ = 0;
    int selStart_ = 0;
    int selEnd_ = 0;
};

}  // namespace ui
