#include "ui/dialog.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "ui/backend.h"
#include "ui/message_box.h"

namespace ui {
namespace {

// The modal dialogs whose loops run now, innermost last.
std::vector<Dialog*>& RunningModals() {
    static std::vector<Dialog*> running;
    return running;
}

[[noreturn]] void MissingControl(int dialogId, int id) {
    std::fprintf(stderr, "dialog %d has no control %d\n", dialogId, id);
    std::abort();
}

std::unique_ptr<Control> MakeControl(Dialog& owner, const ControlTemplate& tmpl) {
    switch (tmpl.kind) {
        case ControlKind::ListView:
            return std::make_unique<ListView>(owner, tmpl);
        case ControlKind::ComboBox:
            return std::make_unique<ComboBox>(owner, tmpl);
        case ControlKind::ProgressBar:
            return std::make_unique<ProgressBar>(owner, tmpl);
        default:
            return std::make_unique<Control>(owner, tmpl);
    }
}

}  // namespace

Dialog::Dialog(const DialogTemplate& tmpl, Dialog* parent)
    : template_(tmpl), parent_(parent), caption_(tmpl.caption), iconId_(tmpl.iconId) {
    // Controls exist from the start so that their state can be read at any time; each
    // DoModal or Create builds them afresh from the template.
    CreateControls();
}

Dialog::~Dialog() {
    auto& running = RunningModals();
    running.erase(std::remove(running.begin(), running.end(), this), running.end());
    window_.reset();
}

void Dialog::CreateControls() {
    byId_.clear();
    controls_.clear();
    for (const auto& tmpl : template_.controls) {
        controls_.push_back(MakeControl(*this, tmpl));
        if (tmpl.id != IDC_STATIC) {
            byId_.emplace(tmpl.id, controls_.back().get());
        }
    }
}

Dialog* Dialog::ModalTarget() {
    if (parent_ != nullptr) {
        return parent_;
    }
    const auto& running = RunningModals();
    return running.empty() ? nullptr : running.back();
}

void Dialog::Initialize() {
    ended_ = false;
    result_ = 0;
    focusId_ = 0;
    capture_ = false;
    windowEnabled_ = true;
    visible_ = false;
    created_ = true;
    if (OnInitDialog()) {
        for (const auto& control : controls_) {
            const bool focusable = (control->Template().style & Style::TabStop) != 0;
            if (focusable && control->AcceptsInput() && control->Id() != IDC_STATIC) {
                MoveFocus(control->Id());
                break;
            }
        }
    }
}

int Dialog::DoModal() {
    Backend* backend = InstalledBackend();
    if (backend == nullptr || created_) {
        return -1;
    }
    CreateControls();
    modal_ = true;
    window_ = backend->CreateWindow(*this);
    if (window_ == nullptr) {
        modal_ = false;
        return -1;
    }
    {
        const DisabledWhileModal ownerDisabled(ModalTarget());
        Initialize();
        // EndDialog during OnInitDialog ends the dialog before it is ever shown.
        if (!ended_) {
            ShowWindow(true);
            RunningModals().push_back(this);
            backend->RunModalLoop(*this);
            RunningModals().pop_back();
        }
    }
    if (visible_) {
        ShowWindow(false);
    }
    Destroy();
    return result_;
}

bool Dialog::Create() {
    Backend* backend = InstalledBackend();
    if (backend == nullptr || created_) {
        return false;
    }
    CreateControls();
    modal_ = false;
    window_ = backend->CreateWindow(*this);
    if (window_ == nullptr) {
        return false;
    }
    Initialize();
    ShowWindow(true);
    return true;
}

void Dialog::EndDialog(int result) {
    result_ = result;
    ended_ = true;
}

void Dialog::DestroyWindow() {
    if (!created_) {
        return;
    }
    if (modal_) {
        // A modal dialog is destroyed by its DoModal once its loop has returned.
        EndDialog(IDCANCEL);
        return;
    }
    if (visible_) {
        ShowWindow(false);
    }
    Destroy();
}

void Dialog::Destroy() {
    OnDestroy();
    window_.reset();
    created_ = false;
    modal_ = false;
    capture_ = false;
}

void Dialog::SetWindowText(const std::string& caption) {
    caption_ = caption;
    if (window_ != nullptr) {
        window_->CaptionChanged();
    }
}

void Dialog::SetIcon(int iconResourceId) {
    iconId_ = iconResourceId;
    if (window_ != nullptr) {
        window_->CaptionChanged();
    }
}

void Dialog::EnableWindow(bool enable) {
    if (windowEnabled_ == enable) {
        return;
    }
    windowEnabled_ = enable;
    if (window_ != nullptr) {
        window_->WindowEnabledChanged();
    }
}

void Dialog::ShowWindow(bool show) {
    if (!created_ || visible_ == show) {
        return;
    }
    visible_ = show;
    OnShowWindow(show);
    if (window_ != nullptr) {
        window_->Show(show);
    }
}

Dialog::DisabledWhileModal::DisabledWhileModal(Dialog* owner) {
    if (owner != nullptr && owner->IsWindow() && owner->IsWindowEnabled()) {
        disabled_ = owner;
        owner->EnableWindow(false);
    }
}

Dialog::DisabledWhileModal::~DisabledWhileModal() {
    if (disabled_ != nullptr && disabled_->IsWindow()) {
        disabled_->EnableWindow(true);
    }
}

void Dialog::AppendSystemMenuItem(unsigned id, const std::string& text) {
    systemMenu_.emplace_back(id, text);
}

bool Dialog::HasItem(int id) const {
    return byId_.contains(id);
}

Control& Dialog::Item(int id) const {
    const auto found = byId_.find(id);
    if (found == byId_.end()) {
        MissingControl(template_.id, id);
    }
    return *found->second;
}

ListView& Dialog::List(int id) const {
    auto* list = dynamic_cast<ListView*>(&Item(id));
    if (list == nullptr) {
        MissingControl(template_.id, id);
    }
    return *list;
}

ComboBox& Dialog::Combo(int id) const {
    auto* combo = dynamic_cast<ComboBox*>(&Item(id));
    if (combo == nullptr) {
        MissingControl(template_.id, id);
    }
    return *combo;
}

ProgressBar& Dialog::Progress(int id) const {
    auto* progress = dynamic_cast<ProgressBar*>(&Item(id));
    if (progress == nullptr) {
        MissingControl(template_.id, id);
    }
    return *progress;
}

std::vector<Control*> Dialog::Controls() const {
    std::vector<Control*> all;
    all.reserve(controls_.size());
    for (const auto& control : controls_) {
        all.push_back(control.get());
    }
    return all;
}

std::string Dialog::GetDlgItemText(int id) const {
    return Item(id).GetText();
}

std::string Dialog::GetDlgItemText(int id, int maxCount) const {
    if (maxCount <= 0) {
        return {};
    }
    return Item(id).GetText().substr(0, static_cast<std::size_t>(maxCount - 1));
}

void Dialog::SetDlgItemText(int id, const std::string& text) {
    Item(id).SetText(text);
}

unsigned Dialog::IsDlgButtonChecked(int id) const {
    return Item(id).GetCheck();
}

void Dialog::CheckDlgButton(int id, unsigned state) {
    Item(id).SetCheck(state);
}

void Dialog::CheckRadioButton(int firstId, int lastId, int checkId) {
    for (const auto& control : controls_) {
        const int id = control->Id();
        const bool button =
            control->Kind() == ControlKind::RadioButton || control->Kind() == ControlKind::CheckBox;
        if (button && id >= firstId && id <= lastId) {
            control->SetCheck(id == checkId ? BST_CHECKED : BST_UNCHECKED);
        }
    }
}

void Dialog::EnableDlgItem(int id, bool enable) {
    Item(id).EnableWindow(enable);
}

void Dialog::ShowDlgItem(int id, bool show) {
    Item(id).ShowWindow(show);
}

void Dialog::GotoDlgCtrl(int id) {
    if (HasItem(id)) {
        MoveFocus(id);
    }
}

void Dialog::MoveFocus(int id) {
    if (id == focusId_) {
        return;
    }
    const int previous = focusId_;
    focusId_ = id;
    for (const auto& [target, code] :
         {std::pair{previous, Notify::KillFocus}, std::pair{id, Notify::SetFocus}}) {
        if (!HasItem(target)) {
            continue;
        }
        ControlChanged(Item(target), Change::Focus);
        NotifyInfo info;
        info.id = target;
        info.code = code;
        SendNotify(info);
    }
}

int Dialog::GetDefId() const {
    for (const auto& control : controls_) {
        if (control->Kind() == ControlKind::PushButton &&
            (control->Template().style & Style::Default) != 0) {
            return control->Id();
        }
    }
    return 0;
}

Point Dialog::ClientToScreen(Point client) const {
    return {client.x + screenOrigin_.x, client.y + screenOrigin_.y};
}

Point Dialog::ScreenToClient(Point screen) const {
    return {screen.x - screenOrigin_.x, screen.y - screenOrigin_.y};
}

int Dialog::ChildFromPoint(Point client) const {
    // The first control in template order is the topmost; group boxes let the pointer through.
    for (const auto& control : controls_) {
        if (control->IsVisible() && control->Kind() != ControlKind::GroupBox &&
            control->Bounds().Contains(client)) {
            return control->Id();
        }
    }
    return 0;
}

Point Dialog::ClientToControl(int id, Point client) const {
    if (id == 0 || !HasItem(id)) {
        return client;
    }
    const Rect bounds = Item(id).Bounds();
    return {client.x - bounds.left, client.y - bounds.top};
}

void Dialog::SetCapture() {
    capture_ = true;
}

void Dialog::ReleaseCapture() {
    capture_ = false;
}

int Dialog::MessageBox(const std::string& text, const std::string& caption, unsigned type) {
    return ui::MessageBox(this, text, caption, type);
}

void Dialog::ControlChanged(Control& control, Change what) {
    if (window_ != nullptr) {
        window_->ControlChanged(control, what);
    }
}

bool Dialog::OnInitDialog() {
    return true;
}

void Dialog::OnOK() {
    EndDialog(IDOK);
}

void Dialog::OnCancel() {
    EndDialog(IDCANCEL);
}

void Dialog::OnClose() {
    SendCommand(IDCANCEL);
}

void Dialog::OnDestroy() {}

void Dialog::OnShowWindow(bool) {}

void Dialog::OnSysCommand(unsigned id) {
    if ((id & 0xFFF0) == SC_CLOSE) {
        OnClose();
    }
}

void Dialog::OnMouseMove(Point) {}

void Dialog::OnLButtonUp(Point) {}

}  // namespace ui
