#include "ui/control.h"

#include <algorithm>

#include "ui/dialog.h"

namespace ui {

Control::Control(Dialog& owner, const ControlTemplate& tmpl)
    : owner_(owner),
      template_(tmpl),
      text_(tmpl.caption),
      enabled_((tmpl.style & Style::Disabled) == 0),
      visible_((tmpl.style & Style::Hidden) == 0) {}

Control::~Control() = default;

Rect Control::Bounds() const {
    const int left = DluToPixelsX(template_.x);
    const int top = DluToPixelsY(template_.y);
    return {left, top, left + DluToPixelsX(template_.cx), top + DluToPixelsY(template_.cy)};
}

void Control::SetText(const std::string& text) {
    text_ = text;
    selStart_ = 0;
    selEnd_ = 0;
    NotifyBackend(Change::Text);
    // An edit reports every change of its text, whoever made it, as EN_CHANGE does.
    if (template_.kind == ControlKind::Edit && owner_.IsWindow()) {
        NotifyInfo info;
        info.id = Id();
        info.code = Notify::Changed;
        owner_.SendNotify(info);
    }
}

void Control::SetCheck(unsigned state) {
    if (check_ == state) {
        return;
    }
    check_ = state;
    NotifyBackend(Change::Check);
}

void Control::EnableWindow(bool enable) {
    if (enabled_ == enable) {
        return;
    }
    enabled_ = enable;
    NotifyBackend(Change::Enabled);
}

void Control::ShowWindow(bool show) {
    if (visible_ == show) {
        return;
    }
    visible_ = show;
    NotifyBackend(Change::Visible);
}

void Control::LimitText(int maxChars) {
    limit_ = std::max(0, maxChars);
}

void Control::SetSel(int start, int end) {
    const int length = static_cast<int>(text_.size());
    if (start < 0) {
        // EM_SETSEL with a start of -1 removes the selection and leaves the caret.
        selStart_ = selEnd_;
    } else {
        if (end < 0) {
            end = length;
        }
        start = std::min(start, length);
        end = std::min(end, length);
        selStart_ = std::min(start, end);
        selEnd_ = std::max(start, end);
    }
    NotifyBackend(Change::Selection);
}

bool Control::IsDefaultButton() const {
    return template_.kind == ControlKind::PushButton && owner_.GetDefId() == Id();
}

void Control::NotifyBackend(Change what) {
    owner_.ControlChanged(*this, what);
}

}  // namespace ui
