#include "halvgate/mainwindow/protected_items_dlg.h"

#include "common/driver_device.h"
#include "common/nt_control_codes.h"
#include "common/os_family.h"
#include "common/registry_keys.h"
#include "halvgate/config/item_columns.h"
#include "halvgate/config/item_converter.h"
#include "halvgate/config/item_rights.h"
#include "halvgate/mainwindow/about_dlg.h"
#include "halvgate/mainwindow/item_image_list.h"
#include "halvgate/mainwindow/item_list_helper.h"
#include "halvgate/mainwindow/item_list_sorter.h"
#include "halvgate/res/icon_resources.h"
#include "halvgate/res/protected_items_dialog_ids.h"
#include "halvgate/res/protected_items_dialog_resource.h"
#include "ui/common_dialogs.h"

namespace halvgate {

using N = ui::Notify;

const ui::MessageMapEntry<CProtectedItemsDlg> CProtectedItemsDlg::kMessageMap[] = {
    {N::Clicked, IDC_BROWSE_FILE, &CProtectedItemsDlg::OnBrowseFile},
    {N::Clicked, IDC_BROWSE_DIR, &CProtectedItemsDlg::OnBrowseDir},
    {N::Changed, IDC_PATH, &CProtectedItemsDlg::OnPathChanged},
    {N::Clicked, IDC_PRESET_READ_ONLY, &CProtectedItemsDlg::OnPresetReadOnly},
    {N::Clicked, IDC_PRESET_NO_ACCESS, &CProtectedItemsDlg::OnPresetNoAccess},
    {N::Clicked, IDC_PRESET_FULL_HIDDEN, &CProtectedItemsDlg::OnPresetFullHidden},
    {N::Clicked, IDC_PRESET_INVISIBLE_ONLY, &CProtectedItemsDlg::OnPresetInvisibleOnly},
    {N::Clicked, IDC_CLEAR, &CProtectedItemsDlg::OnClear},
    {N::Clicked, IDC_RIGHT_CREATE, &CProtectedItemsDlg::OnRightClicked},
    {N::Clicked, IDC_RIGHT_OPEN, &CProtectedItemsDlg::OnRightClicked},
    {N::Clicked, IDC_RIGHT_READ, &CProtectedItemsDlg::OnRightClicked},
    {N::Clicked, IDC_RIGHT_WRITE_MODIFY, &CProtectedItemsDlg::OnWriteModifyClicked},
    {N::Clicked, IDC_RIGHT_WRITE_APPEND, &CProtectedItemsDlg::OnWriteAppendClicked},
    {N::Clicked, IDC_RIGHT_EXECUTE, &CProtectedItemsDlg::OnRightClicked},
    {N::Clicked, IDC_RIGHT_RENAME, &CProtectedItemsDlg::OnRightClicked},
    {N::Clicked, IDC_RIGHT_DELETE, &CProtectedItemsDlg::OnRightClicked},
    {N::Clicked, IDC_RIGHT_SET_ATTRIBUTE, &CProtectedItemsDlg::OnRightClicked},
    {N::Clicked, IDC_RIGHT_INVISIBLE, &CProtectedItemsDlg::OnRightClicked},
    {N::Clicked, IDC_ADD_ITEM, &CProtectedItemsDlg::OnAddItem},
    {N::BeginDrag, IDC_ITEM_LIST, &CProtectedItemsDlg::OnBeginDrag},
    {N::BeginRDrag, IDC_ITEM_LIST, &CProtectedItemsDlg::OnBeginRightDrag},
    {N::ColumnClick, IDC_ITEM_LIST, &CProtectedItemsDlg::OnColumnClick},
    {N::ListClick, IDC_ITEM_LIST, &CProtectedItemsDlg::OnListClick},
    {N::SetFocus, IDC_ITEM_LIST, &CProtectedItemsDlg::OnListFocus},
    {N::KillFocus, IDC_ITEM_LIST, &CProtectedItemsDlg::OnListFocus},
    {N::Clicked, IDC_DELETE, &CProtectedItemsDlg::OnDelete},
    {N::Clicked, IDC_DELETE_ALL, &CProtectedItemsDlg::OnDeleteAll},
    {N::Clicked, IDC_ACTIVATE, &CProtectedItemsDlg::OnActivate},
    {N::Clicked, IDC_ACTIVATE_ALL, &CProtectedItemsDlg::OnActivateAll},
    {N::Clicked, IDC_DEACTIVATE, &CProtectedItemsDlg::OnDeactivate},
    {N::Clicked, IDC_DEACTIVATE_ALL, &CProtectedItemsDlg::OnDeactivateAll},
    {N::Clicked, IDC_APPLY, &CProtectedItemsDlg::OnApply},
    {N::Clicked, IDC_RELOAD, &CProtectedItemsDlg::OnReload},
    {N::Clicked, IDC_CLOSE, &CProtectedItemsDlg::OnCloseButton},
    {N::Clicked, IDC_ABOUT, &CProtectedItemsDlg::OnAbout},
};

namespace {

constexpr int kRightIds[] = {
    IDC_RIGHT_CREATE,        IDC_RIGHT_OPEN,      IDC_RIGHT_READ,   IDC_RIGHT_WRITE_MODIFY,
    IDC_RIGHT_WRITE_APPEND,  IDC_RIGHT_EXECUTE,   IDC_RIGHT_RENAME, IDC_RIGHT_DELETE,
    IDC_RIGHT_SET_ATTRIBUTE, IDC_RIGHT_INVISIBLE,
};

// Rights that "Open" implies: checked and locked while it is checked.
constexpr int kOpenLockedIds[] = {
    IDC_RIGHT_READ,   IDC_RIGHT_WRITE_MODIFY, IDC_RIGHT_WRITE_APPEND,  IDC_RIGHT_EXECUTE,
    IDC_RIGHT_RENAME, IDC_RIGHT_DELETE,       IDC_RIGHT_SET_ATTRIBUTE,
};

constexpr const char* kFileFilter =
    "Executable Files (*.exe;*.com;*.dll;*.vxd;*.386;*.drv;*.ocx;*.vbx;*.ovr)|"
    "*.exe;*.com;*.dll;*.vxd;*.386;*.drv;*.ocx;*.vbx;*.ovr|"
    "Document Files (*.doc;*.txt)|*.doc;*.txt|"
    "Image Files (*.jpg;*.gif;*.bmp)|*.jpg;*.gif;*.bmp|"
    "All Files (*.*)|*.*||";
// The structure size older Windows versions accept.
constexpr unsigned kOpenFileNameSize = 76;

}  // namespace

CProtectedItemsDlg::CProtectedItemsDlg(ui::Dialog* parent)
    : ui::Dialog(ProtectedItemsDialogTemplate(), parent) {
    SetMessageMap<CProtectedItemsDlg>(this, kMessageMap);
    header_.SetDefaults();
}

CProtectedItemsDlg::~CProtectedItemsDlg() = default;

bool CProtectedItemsDlg::IsWindows9x() const {
    return halvern::IsWindows9x(halvern::COsFamily().GetPlatformId());
}

ui::ListView& CProtectedItemsDlg::ItemList() const {
    return List(IDC_ITEM_LIST);
}

void CProtectedItemsDlg::SetChangesPending() {
    changesPending_ = 1;
}

// The list and its buttons

void CProtectedItemsDlg::InsertItemColumns() {
    ui::ListView& list = ItemList();
    for (int column = 0; column < kNtColumnCount; ++column) {
        list.InsertColumn(column, kNtItemColumns[column].heading, ui::LVCFMT_CENTER,
                          kNtItemColumns[column].width);
    }
    drag_.dragging = false;
    if (itemImages_) {
        ItemImageList().Attach(list, *itemImages_);
    }
}

void CProtectedItemsDlg::RefreshApplyButtons() {
    EnableDlgItem(IDC_APPLY, changesPending_ != 0);
    EnableDlgItem(IDC_RELOAD, changesPending_ != 0);
}

void CProtectedItemsDlg::RefreshListButtons() {
    const ui::ListView& list = ItemList();
    const bool selected = list.GetSelectedCount() > 0;
    const bool rows = list.GetItemCount() > 0;
    EnableDlgItem(IDC_DELETE, selected);
    EnableDlgItem(IDC_ACTIVATE, selected);
    EnableDlgItem(IDC_DEACTIVATE, selected);
    EnableDlgItem(IDC_DELETE_ALL, rows);
    EnableDlgItem(IDC_ACTIVATE_ALL, rows);
    EnableDlgItem(IDC_DEACTIVATE_ALL, rows);
}

void CProtectedItemsDlg::OnListClick() {
    RefreshListButtons();
    const int row = CItemListHelper().FirstSelectedRow(ItemList());
    if (row < 0) {
        return;
    }
    SetDlgItemText(IDC_PATH, ItemList().GetItemText(row, kPathColumn).substr(0, kPathChars));
    std::uint32_t mask = 0;
    CItemConverter converter;
    if (IsWindows9x()) {
        converter.MaskFromRow9x(*this, row, mask);
        converter.MaskToCheckBoxes9x(*this, mask);
    } else {
        converter.MaskFromRow(*this, row, mask);
        converter.MaskToCheckBoxes(*this, mask);
    }
    EnableRights();
    ApplyOpenLock();
}

void CProtectedItemsDlg::OnListFocus() {
    RefreshListButtons();
}

void CProtectedItemsDlg::OnColumnClick(ui::NotifyInfo& info) {
    CItemListSorter().SortByColumn(ItemList(), info.column);
    SetChangesPending();
    RefreshListButtons();
    RefreshApplyButtons();
}

void CProtectedItemsDlg::OnDelete() {
    ui::ListView& list = ItemList();
    for (int row = list.GetItemCount() - 1; row >= 0; --row) {
        if (list.GetItemState(row, ui::LVIS_SELECTED) != 0) {
            list.DeleteItem(row);
            SetChangesPending();
            RefreshApplyButtons();
        }
    }
    RefreshListButtons();
}

void CProtectedItemsDlg::OnDeleteAll() {
    ItemList().DeleteAllItems();
    SetChangesPending();
    RefreshApplyButtons();
    RefreshListButtons();
}

void CProtectedItemsDlg::SetStatus(const char* text, bool selectedOnly) {
    ui::ListView& list = ItemList();
    for (int row = 0; row < list.GetItemCount(); ++row) {
        if (selectedOnly && list.GetItemState(row, ui::LVIS_SELECTED) == 0) {
            continue;
        }
        if (list.GetItemText(row, kStatusColumn) != text) {
            list.SetItemText(row, kStatusColumn, text);
            SetChangesPending();
        }
    }
    RefreshApplyButtons();
    RefreshListButtons();
}

void CProtectedItemsDlg::OnActivate() {
    SetStatus(kTextActive, true);
}

void CProtectedItemsDlg::OnActivateAll() {
    SetStatus(kTextActive, false);
}

void CProtectedItemsDlg::OnDeactivate() {
    SetStatus(kTextInactive, true);
}

void CProtectedItemsDlg::OnDeactivateAll() {
    SetStatus(kTextInactive, false);
}

// Row drag-and-drop

void CProtectedItemsDlg::OnBeginDrag(ui::NotifyInfo& info) {
    drag_.BeginDrag(*this, ItemList(), info.row, info.point);
    info.result = 0;
}

void CProtectedItemsDlg::OnBeginRightDrag(ui::NotifyInfo& info) {
    info.result = 0;
}

void CProtectedItemsDlg::OnMouseMove(ui::Point client) {
    drag_.Track(*this, client);
    ui::Dialog::OnMouseMove(client);
}

void CProtectedItemsDlg::OnLButtonUp(ui::Point client) {
    if (drag_.EndDrag(*this, ItemList(), client)) {
        SetChangesPending();
        RefreshApplyButtons();
        RefreshListButtons();
    }
    ui::Dialog::OnLButtonUp(client);
}

// The item editor

void CProtectedItemsDlg::OnPathChanged() {
    EnableDlgItem(IDC_ADD_ITEM, !GetDlgItemText(IDC_PATH).empty());
}

void CProtectedItemsDlg::OnBrowseFile() {
    ui::OpenFileRequest request;
    request.filter = kFileFilter;
    request.title = "Select file";
    request.initialDir = "";
    request.flags = ui::OFN_EXPLORER;
    request.structSize = kOpenFileNameSize;
    if (ui::GetOpenFileName(this, request)) {
        SetDlgItemText(IDC_PATH, request.path);
    }
}

void CProtectedItemsDlg::OnBrowseDir() {
    ui::BrowseFolderRequest request;
    request.title = "Choose a folder / directory";
    request.rootCsidl = ui::CSIDL_DRIVES;
    request.flags = 0;
    if (ui::BrowseForFolder(this, request) && !request.path.empty()) {
        SetDlgItemText(IDC_PATH, request.path);
    }
}

void CProtectedItemsDlg::EnableRights() {
    for (int id : kRightIds) {
        EnableDlgItem(id, true);
    }
}

void CProtectedItemsDlg::ClearRights() {
    for (int id : kRightIds) {
        CheckDlgButton(id, ui::BST_UNCHECKED);
    }
    if (IsWindows9x()) {
        CheckDlgButton(IDC_RIGHT_RECURSIVE, ui::BST_UNCHECKED);
    }
    EnableRights();
}

void CProtectedItemsDlg::ApplyOpenLock() {
    if (IsDlgButtonChecked(IDC_RIGHT_OPEN) != ui::BST_CHECKED) {
        return;
    }
    for (int id : kOpenLockedIds) {
        CheckDlgButton(id, ui::BST_CHECKED);
        EnableDlgItem(id, false);
    }
}

void CProtectedItemsDlg::CheckPreset(std::initializer_list<int> rights) {
    ClearRights();
    for (int id : rights) {
        CheckDlgButton(id, ui::BST_CHECKED);
    }
    ApplyOpenLock();
}

void CProtectedItemsDlg::OnPresetReadOnly() {
    CheckPreset({IDC_RIGHT_CREATE, IDC_RIGHT_WRITE_MODIFY, IDC_RIGHT_WRITE_APPEND, IDC_RIGHT_RENAME,
                 IDC_RIGHT_DELETE, IDC_RIGHT_SET_ATTRIBUTE});
}

void CProtectedItemsDlg::OnPresetNoAccess() {
    CheckPreset({IDC_RIGHT_CREATE, IDC_RIGHT_OPEN, IDC_RIGHT_READ, IDC_RIGHT_WRITE_MODIFY,
                 IDC_RIGHT_WRITE_APPEND, IDC_RIGHT_EXECUTE, IDC_RIGHT_RENAME, IDC_RIGHT_DELETE,
                 IDC_RIGHT_SET_ATTRIBUTE});
}

void CProtectedItemsDlg::OnPresetFullHidden() {
    ClearRights();
    for (int id : kRightIds) {
        CheckDlgButton(id, ui::BST_CHECKED);
    }
    if (IsWindows9x()) {
        CheckDlgButton(IDC_RIGHT_RECURSIVE, ui::BST_CHECKED);
    }
    ApplyOpenLock();
}

void CProtectedItemsDlg::OnPresetInvisibleOnly() {
    CheckPreset({IDC_RIGHT_INVISIBLE});
}

void CProtectedItemsDlg::OnClear() {
    ClearRights();
}

void CProtectedItemsDlg::OnRightClicked() {
    EnableRights();
    ApplyOpenLock();
}

void CProtectedItemsDlg::OnWriteModifyClicked() {
    EnableRights();
    ApplyOpenLock();
    CheckDlgButton(IDC_RIGHT_WRITE_APPEND, IsDlgButtonChecked(IDC_RIGHT_WRITE_MODIFY));
}

void CProtectedItemsDlg::OnWriteAppendClicked() {
    EnableRights();
    ApplyOpenLock();
    CheckDlgButton(IDC_RIGHT_WRITE_MODIFY, IsDlgButtonChecked(IDC_RIGHT_WRITE_APPEND));
}

std::uint32_t CProtectedItemsDlg::MaskFromEditor() {
    std::uint32_t mask = 0;
    CItemConverter converter;
    if (IsWindows9x()) {
        converter.MaskFromCheckBoxes9x(*this, mask);
    } else {
        converter.MaskFromCheckBoxes(*this, mask);
    }
    return mask;
}

// Other windows

void CProtectedItemsDlg::OnAbout() {
    CAboutDlg about(this);
    about.DoModal();
}

void CProtectedItemsDlg::OnSysCommand(unsigned id) {
    if (id == IDM_ABOUTBOX) {
        OnAbout();
        return;
    }
    ui::Dialog::OnSysCommand(id);
}

}  // namespace halvgate
