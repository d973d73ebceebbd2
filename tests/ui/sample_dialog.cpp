#include "tests/ui/sample_dialog.h"

#include <array>

#include "tests/ui/progress_dialog.h"
#include "ui/common_dialogs.h"

namespace ui::test {
namespace {

ControlTemplate Make(int id, ControlKind kind, std::string caption, int x, int y, int cx, int cy,
                     std::uint32_t style, std::string name) {
    return {id, kind, std::move(caption), x, y, cx, cy, style, std::move(name)};
}

const char* NotifyName(Notify code) {
    switch (code) {
        case Notify::Clicked:
            return "clicked";
        case Notify::ItemChanged:
            return "itemchanged";
        case Notify::ListClick:
            return "listclick";
        case Notify::ListDblClick:
            return "listdblclick";
        case Notify::ColumnClick:
            return "columnclick";
        case Notify::BeginDrag:
            return "begindrag";
        case Notify::BeginRDrag:
            return "beginrdrag";
        default:
            return "other";
    }
}

}  // namespace

DialogTemplate SampleTemplate(DefaultButton defaultButton, int id) {
    using namespace Style;
    DialogTemplate tmpl;
    tmpl.id = id;
    tmpl.caption = "Sample";
    tmpl.cx = 300;
    tmpl.cy = 200;
    const std::uint32_t applyStyle = TabStop |
                                     (defaultButton == DefaultButton::None ? 0 : Default) |
                                     (defaultButton == DefaultButton::DisabledApply ? Disabled : 0);
    tmpl.controls = {
        Make(IDC_STATIC, ControlKind::Static, "&Name:", 4, 4, 40, 8, 0, ""),
        Make(IDC_NAME, ControlKind::Edit, "", 50, 4, 100, 12, TabStop, "IDC_NAME"),
        Make(IDC_PASSWORD, ControlKind::Edit, "", 50, 20, 100, 12, TabStop | Password,
             "IDC_PASSWORD"),
        Make(IDC_REMEMBER, ControlKind::CheckBox, "&Remember", 4, 36, 60, 10, TabStop | Auto,
             "IDC_REMEMBER"),
        Make(IDC_PLAIN, ControlKind::CheckBox, "Plain", 70, 36, 60, 10, TabStop, "IDC_PLAIN"),
        Make(IDC_ALPHA, ControlKind::RadioButton, "Alpha", 4, 50, 40, 10, Group | TabStop | Auto,
             "IDC_ALPHA"),
        Make(IDC_BETA, ControlKind::RadioButton, "Beta", 50, 50, 40, 10, Auto, "IDC_BETA"),
        Make(IDC_GAMMA, ControlKind::RadioButton, "Gamma", 100, 50, 40, 10, Auto, "IDC_GAMMA"),
        Make(IDC_DELTA, ControlKind::RadioButton, "Delta", 150, 50, 40, 10, Group | TabStop | Auto,
             "IDC_DELTA"),
        Make(IDC_LIST, ControlKind::ListView, "", 4, 64, 200, 100, TabStop | Border, "IDC_LIST"),
        Make(IDC_COMBO, ControlKind::ComboBox, "", 210, 64, 80, 60, TabStop, "IDC_COMBO"),
        Make(IDC_PROGRESS, ControlKind::ProgressBar, "", 210, 130, 80, 10, 0, "IDC_PROGRESS"),
        Make(IDC_SECRET, ControlKind::PushButton, "Secret", 160, 4, 50, 14, TabStop | Hidden,
             "IDC_SECRET"),
        Make(IDC_LOCKED, ControlKind::Edit, "locked", 160, 20, 50, 12, TabStop | Disabled,
             "IDC_LOCKED"),
        Make(IDC_NUMBER, ControlKind::Edit, "", 220, 20, 30, 12, TabStop | Number, "IDC_NUMBER"),
        Make(IDC_APPLY, ControlKind::PushButton, "&Apply", 100, 180, 50, 14, applyStyle,
             "IDC_APPLY"),
        Make(IDC_NESTED, ControlKind::PushButton, "&More...", 40, 180, 50, 14, TabStop,
             "IDC_NESTED"),
        Make(IDC_ASK, ControlKind::PushButton, "Ask", 4, 166, 30, 12, TabStop, "IDC_ASK"),
        Make(IDC_FILE, ControlKind::PushButton, "File...", 40, 166, 30, 12, TabStop, "IDC_FILE"),
        Make(IDC_FOLDER, ControlKind::PushButton, "Dir...", 76, 166, 30, 12, TabStop, "IDC_FOLDER"),
        Make(IDC_SCAN, ControlKind::PushButton, "Scan", 112, 166, 30, 12, TabStop, "IDC_SCAN"),
        Make(IDOK, ControlKind::PushButton, "OK", 160, 180, 50, 14, TabStop, "IDOK"),
        Make(IDCANCEL, ControlKind::PushButton, "Cancel", 220, 180, 50, 14, TabStop, "IDCANCEL"),
    };
    return tmpl;
}

SampleDialog::SampleDialog(DefaultButton defaultButton, Dialog* parent, int id)
    : Dialog(SampleTemplate(defaultButton, id), parent) {
    using Self = SampleDialog;
    static const std::array<MessageMapEntry<Self>, 19> kMap{{
        {Notify::Clicked, IDC_ASK, &Self::OnAsk},
        {Notify::Clicked, IDC_FILE, &Self::OnFile},
        {Notify::Clicked, IDC_FOLDER, &Self::OnFolder},
        {Notify::Clicked, IDC_SCAN, &Self::OnScan},
        {Notify::Clicked, IDC_APPLY, &Self::OnApply},
        {Notify::Clicked, IDC_NESTED, &Self::OnNested},
        {Notify::Changed, IDC_NAME, &Self::OnNameChanged},
        {Notify::Clicked, IDC_REMEMBER, &Self::OnButton},
        {Notify::Clicked, IDC_PLAIN, &Self::OnButton},
        {Notify::Clicked, IDC_ALPHA, &Self::OnButton},
        {Notify::Clicked, IDC_BETA, &Self::OnButton},
        {Notify::Clicked, IDC_GAMMA, &Self::OnButton},
        {Notify::ItemChanged, IDC_LIST, &Self::OnList},
        {Notify::ListClick, IDC_LIST, &Self::OnList},
        {Notify::ListDblClick, IDC_LIST, &Self::OnList},
        {Notify::ColumnClick, IDC_LIST, &Self::OnList},
        {Notify::BeginDrag, IDC_LIST, &Self::OnList},
        {Notify::BeginRDrag, IDC_LIST, &Self::OnList},
        {Notify::SelChange, IDC_COMBO, &Self::OnCombo},
    }};
    SetMessageMap<Self>(this, kMap);
}

bool SampleDialog::OnInitDialog() {
    SetDlgItemText(IDC_NAME, "initial");
    Item(IDC_NUMBER).LimitText(4);
    ListView& list = List(IDC_LIST);
    list.InsertColumn(0, "Path", LVCFMT_LEFT, 150);
    list.InsertColumn(1, "Status", LVCFMT_LEFT, 80);
    for (int row = 0; row < 5; ++row) {
        list.InsertItem(row, "row" + std::to_string(row));
        list.SetItemText(row, 1, row % 2 == 0 ? "Active" : "Inactive");
        list.SetItemData(row, static_cast<std::uintptr_t>(100 + row));
    }
    ComboBox& combo = Combo(IDC_COMBO);
    combo.AddString("Deny");
    combo.AddString("Prompt");
    combo.AddString("Password");
    combo.SetCurSel(0);
    AppendSystemMenuItem(IDM_ABOUT, "&About...");
    initLog = log;
    log.clear();
    log.push_back("init");
    return true;
}

void SampleDialog::OnOK() {
    log.push_back("ok");
    Dialog::OnOK();
}

void SampleDialog::OnClose() {
    log.push_back("close");
    Dialog::OnClose();
}

void SampleDialog::OnDestroy() {
    log.push_back("destroy");
}

void SampleDialog::OnApply() {
    log.push_back("apply");
}

void SampleDialog::OnNested() {
    SampleDialog nested(DefaultButton::None, nullptr, IDD_SAMPLE + 1);
    nestedResult = nested.DoModal();
    log.push_back("nested " + std::to_string(nestedResult));
}

void SampleDialog::OnNameChanged() {
    log.push_back("changed " + GetDlgItemText(IDC_NAME));
}

void SampleDialog::OnButton(NotifyInfo& info) {
    log.push_back("clicked " + std::to_string(info.id) + " check " +
                  std::to_string(IsDlgButtonChecked(info.id)));
}

void SampleDialog::OnList(NotifyInfo& info) {
    log.push_back(std::string(NotifyName(info.code)) + ' ' + std::to_string(info.row) + ' ' +
                  std::to_string(info.column));
    if (info.code == Notify::BeginDrag) {
        dragging_ = true;
        dragged_ = info.row;
        windowUnderPointer = IDC_LIST;
        SetCapture();
    }
}

void SampleDialog::OnCombo() {
    log.push_back("selchange " + std::to_string(Combo(IDC_COMBO).GetCurSel()));
}

void SampleDialog::OnSysCommand(unsigned id) {
    log.push_back("syscommand " + std::to_string(id));
    Dialog::OnSysCommand(id);
}

void SampleDialog::OnAsk() {
    const int answer = MessageBox("Save changes ?", "Warning", MB_YESNOCANCEL | MB_ICONWARNING);
    log.push_back("answer " + std::to_string(answer));
}

void SampleDialog::OnFile() {
    OpenFileRequest request;
    request.filter = "Executable Files (*.exe)|*.exe|All Files (*.*)|*.*||";
    request.title = "Select file";
    if (GetOpenFileName(this, request)) {
        SetDlgItemText(IDC_NAME, request.path);
    }
}

void SampleDialog::OnFolder() {
    BrowseFolderRequest request;
    request.title = "Choose a folder / directory";
    if (BrowseForFolder(this, request)) {
        SetDlgItemText(IDC_NAME, request.path);
    }
}

void SampleDialog::OnScan() {
    // As a long job does: a modeless window, messages pumped between pieces of work.
    bool stop = false;
    ProgressDialog progress(stop, this);
    progress.Create();
    EnableWindow(false);
    int done = 0;
    for (; done < 5 && !stop; ++done) {
        while (PumpOneMessage()) {
        }
        progress.Progress(IDC_PROGRESS).SetPos((done + 1) * 20);
    }
    EnableWindow(true);
    progress.DestroyWindow();
    log.push_back("scanned " + std::to_string(done) + (stop ? " stopped" : ""));
}

void SampleDialog::OnMouseMove(Point client) {
    if (!dragging_) {
        return;
    }
    windowUnderPointer = ChildFromPoint(client);
    pointer = ClientToControl(windowUnderPointer, client);
}

void SampleDialog::OnLButtonUp(Point client) {
    if (!dragging_) {
        return;
    }
    dragging_ = false;
    ReleaseCapture();
    windowUnderPointer = ChildFromPoint(client);
    // The row goes before the row 10 pixels below the pointer, or to the end.
    ListView& list = List(IDC_LIST);
    dropIndex = list.HitTest({pointer.x, pointer.y + 10});
    if (dropIndex < 0) {
        dropIndex = list.GetItemCount();
    }
    log.push_back("drop " + std::to_string(dragged_) + " at " + std::to_string(dropIndex));
}

}  // namespace ui::test
