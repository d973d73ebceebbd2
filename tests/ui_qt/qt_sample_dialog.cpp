#include "tests/ui_qt/qt_sample_dialog.h"

#include <array>

#include "ui/resources.h"

namespace ui::qttest {
namespace {

Bitmap Square(int size, std::uint32_t colour) {
    Bitmap bitmap;
    bitmap.width = size;
    bitmap.height = size;
    bitmap.pixels.assign(static_cast<std::size_t>(size * size), 0xFFFFFFFF);
    // A coloured square inside a white border, which an image list makes transparent.
    for (int y = 2; y < size - 2; ++y) {
        for (int x = 2; x < size - 2; ++x) {
            bitmap.pixels[static_cast<std::size_t>(y * size + x)] = colour;
        }
    }
    return bitmap;
}

const char* NotifyName(Notify code) {
    switch (code) {
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

DialogTemplate QtSampleTemplate() {
    using namespace Style;
    DialogTemplate t;
    t.id = IDD_QT_SAMPLE;
    t.caption = "Qt Sample";
    t.cx = 320;
    t.cy = 220;
    t.iconId = IDI_SAMPLE;
    t.controls = {
        {IDC_GROUP, ControlKind::GroupBox, "&Person", 4, 4, 160, 62, 0, "IDC_GROUP"},
        {IDC_LABEL, ControlKind::Static, "&Name:", 10, 18, 36, 8, 0, "IDC_LABEL"},
        {IDC_NAME, ControlKind::Edit, "", 50, 16, 108, 12, TabStop | Border, "IDC_NAME"},
        {IDC_SECRET, ControlKind::Edit, "", 50, 32, 108, 12, TabStop | Password | Border,
         "IDC_SECRET"},
        {IDC_AUTO, ControlKind::CheckBox, "Automatic", 10, 50, 60, 10, TabStop | Auto, "IDC_AUTO"},
        {IDC_MANUAL, ControlKind::CheckBox, "Manual", 80, 50, 60, 10, TabStop, "IDC_MANUAL"},
        {IDC_FIRST, ControlKind::RadioButton, "First", 172, 8, 50, 10, Group | TabStop | Auto,
         "IDC_FIRST"},
        {IDC_SECOND, ControlKind::RadioButton, "Second", 230, 8, 50, 10, Auto, "IDC_SECOND"},
        {IDC_CHOICE, ControlKind::ComboBox, "", 172, 24, 100, 60, Group | TabStop, "IDC_CHOICE"},
        {IDC_PICTURE, ControlKind::Icon, std::to_string(IDI_SAMPLE), 284, 22, 20, 20, 0,
         "IDC_PICTURE"},
        {IDC_NOTES, ControlKind::Edit, "", 172, 42, 140, 24, TabStop | Multiline | Border,
         "IDC_NOTES"},
        {IDC_LIST, ControlKind::ListView, "", 4, 72, 312, 100, TabStop | Border, "IDC_LIST"},
        {IDC_PROGRESS, ControlKind::ProgressBar, "", 4, 178, 150, 10, 0, "IDC_PROGRESS"},
        {IDC_HIDDEN, ControlKind::PushButton, "Hidden", 160, 176, 40, 14, TabStop | Hidden,
         "IDC_HIDDEN"},
        {IDC_LOCKED, ControlKind::PushButton, "Locked", 160, 198, 40, 14, TabStop | Disabled,
         "IDC_LOCKED"},
        {IDC_ADD, ControlKind::PushButton, "&Add", 206, 198, 50, 14, TabStop | Default, "IDC_ADD"},
        {IDCANCEL, ControlKind::PushButton, "Cancel", 262, 198, 50, 14, TabStop, "IDCANCEL"},
    };
    return t;
}

void RegisterSampleIcon() {
    RegisterIcon(IDI_SAMPLE, Square(32, 0xFF2060C0));
}

QtSampleDialog::QtSampleDialog(Dialog* parent) : Dialog(QtSampleTemplate(), parent) {
    using Self = QtSampleDialog;
    static const std::array<MessageMapEntry<Self>, 12> kMap{{
        {Notify::Clicked, IDC_ADD, &Self::OnAdd},
        {Notify::Changed, IDC_NAME, &Self::OnNameChanged},
        {Notify::Clicked, IDC_AUTO, &Self::OnButton},
        {Notify::Clicked, IDC_MANUAL, &Self::OnButton},
        {Notify::Clicked, IDC_FIRST, &Self::OnButton},
        {Notify::Clicked, IDC_SECOND, &Self::OnButton},
        {Notify::ListClick, IDC_LIST, &Self::OnList},
        {Notify::ListDblClick, IDC_LIST, &Self::OnList},
        {Notify::ColumnClick, IDC_LIST, &Self::OnList},
        {Notify::BeginDrag, IDC_LIST, &Self::OnList},
        {Notify::BeginRDrag, IDC_LIST, &Self::OnList},
        {Notify::SelChange, IDC_CHOICE, &Self::OnChoice},
    }};
    SetMessageMap<Self>(this, kMap);
    images_.Create(16, 16, true, 2, 2);
    images_.SetBkColor(CLR_NONE);
    images_.Add(Square(16, 0xFFE0C000), RGB(255, 255, 255));
    images_.Add(Square(16, 0xFF008000), RGB(255, 255, 255));
}

bool QtSampleDialog::OnInitDialog() {
    ListView& list = List(IDC_LIST);
    list.InsertColumn(0, "Path", LVCFMT_LEFT, 150);
    list.InsertColumn(1, "Status", LVCFMT_CENTER, 80);
    list.InsertColumn(2, "Action", LVCFMT_LEFT, 70);
    list.SetImageList(&images_, LVSIL_SMALL);
    for (int row = 0; row < 12; ++row) {
        list.InsertItem(row, "C:\\DATA\\FILE" + std::to_string(row) + ".TXT", row % 2);
        list.SetItemText(row, 1, row % 3 == 0 ? "Inactive" : "Active");
        list.SetItemText(row, 2, "Disable");
    }
    ComboBox& choice = Combo(IDC_CHOICE);
    choice.AddString("Deny");
    choice.AddString("Prompt");
    choice.AddString("Password");
    choice.SetCurSel(0);
    Progress(IDC_PROGRESS).SetRange(0, 10);
    Progress(IDC_PROGRESS).SetPos(4);
    CheckDlgButton(IDC_FIRST, BST_CHECKED);
    AppendSystemMenuItem(0, "");
    AppendSystemMenuItem(IDM_ABOUT_SAMPLE, "&About Sample...");
    log.clear();
    return true;
}

void QtSampleDialog::OnCancel() {
    log.push_back("cancel");
    Dialog::OnCancel();
}

void QtSampleDialog::OnClose() {
    log.push_back("close");
    Dialog::OnClose();
}

void QtSampleDialog::OnAdd() {
    log.push_back("add");
}

void QtSampleDialog::OnNameChanged() {
    log.push_back("changed " + GetDlgItemText(IDC_NAME));
}

void QtSampleDialog::OnButton(NotifyInfo& info) {
    log.push_back("clicked " + std::to_string(info.id) + " check " +
                  std::to_string(IsDlgButtonChecked(info.id)));
}

void QtSampleDialog::OnList(NotifyInfo& info) {
    log.push_back(std::string(NotifyName(info.code)) + ' ' + std::to_string(info.row) + ' ' +
                  std::to_string(info.column));
    if (info.code == Notify::BeginDrag) {
        dragging_ = true;
        dragged_ = info.row;
        dragImage_ = List(IDC_LIST).CreateDragImage(info.row);
        ImageList::BeginDrag(*dragImage_, 0, {8, 8});
        const Rect bounds = List(IDC_LIST).Bounds();
        ImageList::DragEnter(
            ClientToScreen({bounds.left + info.point.x, bounds.top + info.point.y}));
        SetCapture();
    }
}

void QtSampleDialog::OnChoice() {
    log.push_back("selchange " + std::to_string(Combo(IDC_CHOICE).GetCurSel()));
}

void QtSampleDialog::OnSysCommand(unsigned id) {
    log.push_back("syscommand " + std::to_string(id));
    Dialog::OnSysCommand(id);
}

void QtSampleDialog::OnMouseMove(Point client) {
    lastMove = client;
    if (!dragging_) {
        return;
    }
    ImageList::DragMove(ClientToScreen(client));
    pointer_ = ClientToControl(IDC_LIST, client);
}

void QtSampleDialog::OnLButtonUp(Point client) {
    if (!dragging_) {
        return;
    }
    dragging_ = false;
    ReleaseCapture();
    ImageList::DragLeave();
    ImageList::EndDrag();
    pointer_ = ClientToControl(IDC_LIST, client);
    ListView& list = List(IDC_LIST);
    dropIndex = list.HitTest({pointer_.x, pointer_.y + 10});
    if (dropIndex < 0) {
        dropIndex = list.GetItemCount();
    }
    log.push_back("drop " + std::to_string(dragged_) + " at " + std::to_string(dropIndex));
}

}  // namespace ui::qttest
