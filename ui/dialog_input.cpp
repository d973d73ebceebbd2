// The dialog manager: what raw user input means for a dialog and its controls.
#include <algorithm>
#include <cctype>

#include "ui/backend.h"
#include "ui/dialog.h"

namespace ui {
namespace {

bool TakesFocus(ControlKind kind) {
    switch (kind) {
        case ControlKind::Static:
        case ControlKind::GroupBox:
        case ControlKind::Icon:
        case ControlKind::ProgressBar:
            return false;
        default:
            return true;
    }
}

void Beep() {
    if (Backend* backend = InstalledBackend()) {
        backend->Beep();
    }
}

}  // namespace

bool Dialog::SendNotify(NotifyInfo& info) {
    for (std::size_t i = 0; i < handlers_.size(); ++i) {
        if (handlers_[i].code == info.code && handlers_[i].id == info.id) {
            // A copy: the handler may end or change this dialog.
            const auto call = handlers_[i].call;
            call(info);
            return true;
        }
    }
    return false;
}

void Dialog::SendCommand(int id) {
    NotifyInfo info;
    info.id = id;
    info.code = Notify::Clicked;
    if (SendNotify(info)) {
        return;
    }
    if (id == IDOK) {
        OnOK();
    } else if (id == IDCANCEL) {
        OnCancel();
    }
}

bool Dialog::WindowTakesInput() const {
    return created_ && windowEnabled_ && visible_;
}

bool Dialog::InputAllowed(int id) const {
    return WindowTakesInput() && HasItem(id) && Item(id).AcceptsInput();
}

void Dialog::ClickRadio(Control& radio) {
    // The group runs from the nearest control with Style::Group at or before the button up to
    // the next control with Style::Group, in template order.
    const auto& controls = template_.controls;
    std::size_t at = 0;
    while (at < controls_.size() && controls_[at].get() != &radio) {
        ++at;
    }
    std::size_t first = at;
    while (first > 0 && (controls[first].style & Style::Group) == 0) {
        --first;
    }
    std::size_t last = at + 1;
    while (last < controls.size() && (controls[last].style & Style::Group) == 0) {
        ++last;
    }
    for (std::size_t i = first; i < last; ++i) {
        Control& other = *controls_[i];
        if (&other != &radio && other.Kind() == ControlKind::RadioButton) {
            other.SetCheck(BST_UNCHECKED);
        }
    }
    radio.SetCheck(BST_CHECKED);
}

bool Dialog::UserClick(int id) {
    if (!InputAllowed(id)) {
        return false;
    }
    Control& control = Item(id);
    const bool automatic = (control.Template().style & Style::Auto) != 0;
    switch (control.Kind()) {
        case ControlKind::PushButton:
            MoveFocus(id);
            SendCommand(id);
            break;
        case ControlKind::CheckBox:
            MoveFocus(id);
            if (automatic) {
                control.SetCheck(control.GetCheck() == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED);
            }
            SendCommand(id);
            break;
        case ControlKind::RadioButton:
            MoveFocus(id);
            if (automatic) {
                ClickRadio(control);
            }
            SendCommand(id);
            break;
        default:
            if (TakesFocus(control.Kind())) {
                MoveFocus(id);
            }
            break;
    }
    return true;
}

bool Dialog::UserType(int id, const std::string& text) {
    if (!InputAllowed(id)) {
        return false;
    }
    Control& edit = Item(id);
    if (edit.Kind() != ControlKind::Edit || (edit.Template().style & Style::ReadOnly) != 0) {
        return false;
    }
    std::string typed = text;
    if ((edit.Template().style & Style::Number) != 0) {
        // A digits-only edit rejects every other key.
        std::erase_if(typed, [](char c) { return !std::isdigit(static_cast<unsigned char>(c)); });
    }
    if (edit.GetLimitText() > 0 && static_cast<int>(typed.size()) > edit.GetLimitText()) {
        typed.resize(static_cast<std::size_t>(edit.GetLimitText()));
    }
    MoveFocus(id);
    edit.SetText(typed);
    const int end = static_cast<int>(typed.size());
    edit.SetSel(end, end);
    return true;
}

bool Dialog::UserEnter() {
    if (!WindowTakesInput()) {
        return false;
    }
    if (HasItem(focusId_)) {
        Control& focused = Item(focusId_);
        if (focused.Kind() == ControlKind::PushButton && focused.AcceptsInput()) {
            SendCommand(focusId_);
            return true;
        }
    }
    // Without a default push button Enter is the IDOK command, which an OK button that cannot
    // be pressed does not give either.
    const int defId = GetDefId() != 0 ? GetDefId() : IDOK;
    if (HasItem(defId) && !Item(defId).AcceptsInput()) {
        Beep();
        return false;
    }
    SendCommand(defId);
    return true;
}

bool Dialog::UserEscape() {
    if (!WindowTakesInput()) {
        return false;
    }
    SendCommand(IDCANCEL);
    return true;
}

bool Dialog::UserCloseBox() {
    return UserSysCommand(SC_CLOSE);
}

bool Dialog::UserSysCommand(unsigned id) {
    if (!WindowTakesInput() || !template_.systemMenu) {
        return false;
    }
    // Standard commands (SC_*) and the items the program appended.
    const bool standard = id >= 0xF000;
    const bool appended = std::any_of(systemMenu_.begin(), systemMenu_.end(),
                                      [id](const auto& item) { return item.first == id; });
    if (!standard && !appended) {
        return false;
    }
    OnSysCommand(id);
    return true;
}

bool Dialog::UserSetFocus(int id) {
    if (!InputAllowed(id) || !TakesFocus(Item(id).Kind())) {
        return false;
    }
    MoveFocus(id);
    return true;
}

bool Dialog::UserSelectCombo(int id, int index) {
    if (!InputAllowed(id) || Item(id).Kind() != ControlKind::ComboBox) {
        return false;
    }
    ComboBox& combo = Combo(id);
    if (index < 0 || index >= combo.GetCount()) {
        return false;
    }
    MoveFocus(id);
    combo.SetCurSel(index);
    NotifyInfo info;
    info.id = id;
    info.code = Notify::SelChange;
    SendNotify(info);
    return true;
}

bool Dialog::UserListClick(int id, int row, int column, bool toggle, bool extend) {
    return ListButtonClick(Notify::ListClick, id, row, column, toggle, extend);
}

bool Dialog::UserListDblClick(int id, int row, int column) {
    return ListButtonClick(Notify::ListDblClick, id, row, column, false, false);
}

// A click selects as the list's rules say, then notifies with the row under it (-1 below the
// last row).
bool Dialog::ListButtonClick(Notify code, int id, int row, int column, bool toggle, bool extend) {
    if (!InputAllowed(id) || Item(id).Kind() != ControlKind::ListView) {
        return false;
    }
    ListView& list = List(id);
    const bool onRow = row >= 0 && row < list.GetItemCount();
    MoveFocus(id);
    list.UserSelect(onRow ? row : -1, toggle, extend);
    NotifyInfo info;
    info.id = id;
    info.code = code;
    info.row = onRow ? row : -1;
    info.column = onRow ? column : -1;
    info.point = list.CellPoint(info.row, std::max(column, 0));
    SendNotify(info);
    return true;
}

bool Dialog::UserColumnClick(int id, int column) {
    if (!InputAllowed(id) || Item(id).Kind() != ControlKind::ListView) {
        return false;
    }
    ListView& list = List(id);
    // A header without the sort style is not a button.
    if ((list.Template().style & Style::NoSortHeader) != 0 || column < 0 ||
        column >= list.GetColumnCount()) {
        return false;
    }
    NotifyInfo info;
    info.id = id;
    info.code = Notify::ColumnClick;
    info.column = column;
    SendNotify(info);
    return true;
}

bool Dialog::UserBeginDrag(int id, int row, Point listPoint, bool rightButton) {
    if (!InputAllowed(id) || Item(id).Kind() != ControlKind::ListView) {
        return false;
    }
    ListView& list = List(id);
    if (row < 0 || row >= list.GetItemCount()) {
        return false;
    }
    NotifyInfo info;
    info.id = id;
    info.code = rightButton ? Notify::BeginRDrag : Notify::BeginDrag;
    info.row = row;
    info.point = listPoint;
    SendNotify(info);
    return true;
}

bool Dialog::UserMouseMove(Point client) {
    if (!WindowTakesInput()) {
        return false;
    }
    OnMouseMove(client);
    return true;
}

bool Dialog::UserLButtonUp(Point client) {
    if (!WindowTakesInput()) {
        return false;
    }
    OnLButtonUp(client);
    return true;
}

}  // namespace ui
