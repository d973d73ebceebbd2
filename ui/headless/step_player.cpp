#include "ui/headless/step_player.h"

#include <algorithm>

#include "ui/dialog.h"
#include "ui/headless/quoting.h"

namespace ui::headless {
namespace {

std::string WithoutMnemonic(const std::string& caption) {
    std::string plain;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&' && i + 1 < caption.size()) {
            // "&&" shows one ampersand.
            if (caption[i + 1] == '&') {
                ++i;
            } else {
                continue;
            }
        }
        plain += caption[i];
    }
    return plain;
}

bool NeedsMask(const Step& step, const Control* control) {
    const bool carriesText = step.kind == StepKind::Type || step.kind == StepKind::ExpectText;
    // When the control is unknown the text may be a password: keep it out of the transcript.
    return carriesText && (control == nullptr || control->IsPassword());
}

std::string DescribeDialog(const Dialog& dialog) {
    return std::to_string(dialog.TemplateId()) + ' ' + Quote(dialog.GetWindowText());
}

}  // namespace

Control* ResolveControl(const Dialog& dialog, const ControlRef& ref) {
    if (ref.by == ControlRef::By::Id) {
        return dialog.HasItem(ref.id) ? &dialog.Item(ref.id) : nullptr;
    }
    const std::string wanted = WithoutMnemonic(ref.text);
    for (Control* control : dialog.Controls()) {
        const bool match = ref.by == ControlRef::By::Name
                               ? control->Template().name == ref.text
                               : WithoutMnemonic(control->Template().caption) == wanted;
        if (match && control->Id() != IDC_STATIC) {
            return control;
        }
    }
    return nullptr;
}

void StepPlayer::Fail(const Step& step, const std::string& why) {
    transcript_.Add(EntryKind::Failure, step.line, why);
}

void StepPlayer::Refused(const Step& step, Dialog& dialog, const Control* control) {
    std::string why = "not accepted";
    if (!dialog.IsWindowEnabled()) {
        why = "the dialog is disabled";
    } else if (!dialog.IsWindowVisible()) {
        why = "the dialog is hidden";
    } else if (control != nullptr && !control->IsVisible()) {
        why = "the control is hidden";
    } else if (control != nullptr && !control->IsEnabled()) {
        why = "the control is disabled";
    } else if (control != nullptr && (control->Template().style & Style::ReadOnly) != 0) {
        why = "the control is read-only";
    } else if (control != nullptr && step.kind == StepKind::Type &&
               control->Kind() != ControlKind::Edit) {
        why = "the control is not an edit";
    } else if (control != nullptr && step.kind == StepKind::Focus) {
        why = "the control takes no focus";
    } else if ((step.kind == StepKind::Close || step.kind == StepKind::SysMenu) &&
               !dialog.Template().systemMenu) {
        why = "the dialog has no system menu";
    } else if (step.kind == StepKind::SysMenu) {
        why = "the system menu has no such command";
    } else if (step.kind == StepKind::Enter) {
        const int defId = dialog.GetDefId() != 0 ? dialog.GetDefId() : IDOK;
        const char* button = dialog.GetDefId() != 0 ? "the default button" : "the OK button";
        if (dialog.HasItem(defId)) {
            why = std::string(button) +
                  (dialog.Item(defId).IsVisible() ? " is disabled" : " is hidden");
        }
    }
    transcript_.Add(EntryKind::Refused, step.line,
                    StepText(step, NeedsMask(step, control)) + ": " + why);
}

void StepPlayer::Play(const Step& step, Dialog& dialog) {
    const bool namesControl = NamesControl(step.kind);
    Control* control = namesControl ? ResolveControl(dialog, step.control) : nullptr;
    transcript_.Add(EntryKind::Step, step.line, StepText(step, NeedsMask(step, control)));
    if (namesControl && control == nullptr) {
        Fail(step, StepText(step, NeedsMask(step, nullptr)) + ": dialog " + DescribeDialog(dialog) +
                       " has no control " + step.control.ToString());
        return;
    }
    bool accepted = true;
    switch (step.kind) {
        case StepKind::Type:
            accepted = dialog.UserType(control->Id(), step.text);
            break;
        case StepKind::Click:
            accepted = dialog.UserClick(control->Id());
            break;
        case StepKind::Check:
        case StepKind::Uncheck: {
            const unsigned wanted = step.kind == StepKind::Check ? BST_CHECKED : BST_UNCHECKED;
            if (control->Kind() != ControlKind::CheckBox &&
                control->Kind() != ControlKind::RadioButton) {
                Fail(step, StepText(step, false) + ": control " + step.control.ToString() +
                               " is not a check box or radio button");
                return;
            }
            if (control->GetCheck() != wanted) {
                accepted = dialog.UserClick(control->Id());
            }
            break;
        }
        case StepKind::Focus:
            accepted = dialog.UserSetFocus(control->Id());
            break;
        case StepKind::Pick: {
            if (control->Kind() != ControlKind::ComboBox) {
                Fail(step, StepText(step, false) + ": control " + step.control.ToString() +
                               " is not a drop-down list");
                return;
            }
            auto& combo = dialog.Combo(control->Id());
            const int index = step.byIndex ? step.number : combo.FindStringExact(-1, step.text);
            if (index < 0 || index >= combo.GetCount()) {
                Fail(step, StepText(step, false) + ": no such item in the list");
                return;
            }
            accepted = dialog.UserSelectCombo(control->Id(), index);
            break;
        }
        case StepKind::Select:
        case StepKind::ClickRow:
        case StepKind::DoubleClickRow:
        case StepKind::Column:
        case StepKind::Drag:
            PlayList(step, dialog, *control);
            return;
        case StepKind::Enter:
            accepted = dialog.UserEnter();
            break;
        case StepKind::Escape:
            accepted = dialog.UserEscape();
            break;
        case StepKind::Close:
            accepted = dialog.UserCloseBox();
            break;
        case StepKind::SysMenu:
            accepted = dialog.UserSysCommand(static_cast<unsigned>(step.number));
            break;
        case StepKind::Answer:
        case StepKind::AnswerFile:
        case StepKind::AnswerFolder:
            Fail(step, StepText(step, false) + ": no message box or file dialog is open");
            return;
        case StepKind::Pump:
            Fail(step, "pump: no message pump is running (the dialog waits for input)");
            return;
        case StepKind::Call:
            step.call(dialog);
            return;
        default:
            Expect(step, dialog, control);
            return;
    }
    if (!accepted) {
        Refused(step, dialog, control);
    }
}

void StepPlayer::PlayList(const Step& step, Dialog& dialog, Control& control) {
    if (control.Kind() != ControlKind::ListView) {
        Fail(step,
             StepText(step, false) + ": control " + step.control.ToString() + " is not a list");
        return;
    }
    const int id = control.Id();
    ListView& list = dialog.List(id);
    bool accepted = true;
    switch (step.kind) {
        case StepKind::Select:
            if (step.rows.empty()) {
                accepted = dialog.UserListClick(id, -1, 0);
            } else if (step.toggle || step.extend) {
                accepted = dialog.UserListClick(id, step.rows.front(), 0, step.toggle, step.extend);
            } else {
                // The first row by a plain click, the others added with Ctrl.
                for (std::size_t i = 0; i < step.rows.size() && accepted; ++i) {
                    accepted = dialog.UserListClick(id, step.rows[i], 0, i > 0, false);
                }
            }
            break;
        case StepKind::ClickRow:
            accepted = dialog.UserListClick(id, step.row, step.column);
            break;
        case StepKind::DoubleClickRow:
            accepted = dialog.UserListDblClick(id, step.row, step.column);
            break;
        case StepKind::Column:
            accepted = dialog.UserColumnClick(id, step.column);
            break;
        case StepKind::Drag: {
            if (step.row < 0 || step.row >= list.GetItemCount()) {
                Fail(step,
                     StepText(step, false) + ": the list has no row " + std::to_string(step.row));
                return;
            }
            if (!dialog.UserBeginDrag(id, step.row, list.CellPoint(step.row, 0))) {
                accepted = false;
                break;
            }
            // The pointer stops just inside the top of the target row, or below the last row.
            Point target = list.CellPoint(step.target, 0);
            if (step.target >= 0 && step.target < list.GetItemCount()) {
                target.y = list.GetItemRect(step.target).top + 2;
            }
            const Rect bounds = list.Bounds();
            const Point inDialog{bounds.left + target.x, bounds.top + target.y};
            dialog.UserMouseMove(inDialog);
            dialog.UserLButtonUp(inDialog);
            break;
        }
        default:
            break;
    }
    if (!accepted) {
        Refused(step, dialog, &control);
    }
}

void StepPlayer::Expect(const Step& step, Dialog& dialog, const Control* control) {
    const auto fail = [&](const std::string& found) {
        Fail(step, StepText(step, false) + ": " + found);
    };
    switch (step.kind) {
        case StepKind::ExpectDialog: {
            const bool match = step.byIndex ? dialog.TemplateId() == step.number
                                            : dialog.GetWindowText() == step.text;
            if (!match) {
                fail("the active dialog is " + DescribeDialog(dialog));
            }
            return;
        }
        case StepKind::ExpectMessage:
            if (!lastMessage_) {
                fail("no message box was shown");
            } else if (lastMessage_->text != step.text ||
                       (step.hasCaption && lastMessage_->caption != step.caption)) {
                fail("the last message box was " + Quote(lastMessage_->text) + ' ' +
                     Quote(lastMessage_->caption));
            }
            return;
        default:
            break;
    }
    switch (step.kind) {
        case StepKind::ExpectText:
            if (control->GetText() != step.text) {
                const bool mask = control->IsPassword();
                Fail(step, StepText(step, mask) + ": found " +
                               (mask ? std::string("\"********\"") : Quote(control->GetText())));
            }
            return;
        case StepKind::ExpectState: {
            bool holds = false;
            switch (step.state) {
                case ControlState::Checked:
                    holds = control->GetCheck() == BST_CHECKED;
                    break;
                case ControlState::Unchecked:
                    holds = control->GetCheck() == BST_UNCHECKED;
                    break;
                case ControlState::Enabled:
                    holds = control->IsEnabled();
                    break;
                case ControlState::Disabled:
                    holds = !control->IsEnabled();
                    break;
                case ControlState::Visible:
                    holds = control->IsVisible();
                    break;
                case ControlState::Hidden:
                    holds = !control->IsVisible();
                    break;
                case ControlState::Focused:
                    holds = dialog.GetFocusId() == control->Id();
                    break;
            }
            if (!holds) {
                fail("it is not");
            }
            return;
        }
        default:
            break;
    }
    if (control->Kind() != ControlKind::ListView) {
        fail("control " + step.control.ToString() + " is not a list");
        return;
    }
    const ListView& list = dialog.List(control->Id());
    switch (step.kind) {
        case StepKind::ExpectRows:
            if (list.GetItemCount() != step.number) {
                fail("the list has " + std::to_string(list.GetItemCount()) + " rows");
            }
            return;
        case StepKind::ExpectCell:
            if (step.row < 0 || step.row >= list.GetItemCount()) {
                fail("the list has no row " + std::to_string(step.row));
            } else if (list.GetItemText(step.row, step.column) != step.text) {
                fail("found " + Quote(list.GetItemText(step.row, step.column)));
            }
            return;
        case StepKind::ExpectSelected: {
            std::vector<int> selected;
            for (int row = list.GetNextItem(-1, LVNI_SELECTED); row >= 0;
                 row = list.GetNextItem(row, LVNI_SELECTED)) {
                selected.push_back(row);
            }
            std::vector<int> wanted = step.rows;
            std::sort(wanted.begin(), wanted.end());
            if (selected != wanted) {
                std::string found = "selected:";
                for (int row : selected) {
                    found += ' ' + std::to_string(row);
                }
                fail(selected.empty() ? std::string("no row is selected") : found);
            }
            return;
        }
        default:
            return;
    }
}

}  // namespace ui::headless
