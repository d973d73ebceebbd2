// The protected items window: "Add Item to List" with its validation rules, and modifying an
// existing item.
#include <array>
#include <cstdint>
#include <string>

#include "common/registry_keys.h"
#include "common/registry_store.h"
#include "halvgate/config/item_converter.h"
#include "halvgate/config/item_rights.h"
#include "halvgate/mainwindow/item_image_list.h"
#include "halvgate/mainwindow/item_list_helper.h"
#include "halvgate/mainwindow/protected_items_dlg.h"
#include "halvgate/res/protected_items_dialog_ids.h"
#include "platform/win32_api.h"

namespace halvgate {
namespace {

constexpr win::UINT kWindowsDirChars = 250;
// Rights whose restriction would lock the user out of the program's own folder.
constexpr std::uint32_t kOpenBit = 0x40;
constexpr std::uint32_t kReadBit = 0x1;
constexpr std::uint32_t kExecuteBit = 0x8000;
constexpr std::uint32_t kLockoutRights = kInvisibleBit | kOpenBit | kReadBit | kExecuteBit;

bool IsExistingDirectory(const std::string& path) {
    const win::DWORD attributes = win::GetFileAttributesA(path.c_str());
    return attributes != win::INVALID_FILE_ATTRIBUTES &&
           (attributes & win::FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// The Windows directory, or empty when it cannot be had whole.
std::string WindowsDirectory() {
    std::array<char, kWindowsDirChars> buffer{};
    const win::UINT length = win::GetWindowsDirectoryA(buffer.data(), kWindowsDirChars);
    if (length == 0 || length >= kWindowsDirChars) {
        return {};
    }
    return std::string(buffer.data(), length);
}

// ApplicationPath without one trailing backslash, or empty when it is not set.
std::string ApplicationPath() {
    std::array<char, halvern::CRegistryStore::kReadCapacity + 1> buffer{};
    if (!halvern::CRegistryStore().ReadValue(win::HKEY_LOCAL_MACHINE, halvern::kServiceKey,
                                             halvern::reg::kApplicationPath, buffer.data(),
                                             halvern::CRegistryStore::kReadCapacity)) {
        return {};
    }
    std::string path(buffer.data());
    if (path.size() > 1 && path.back() == '\\') {
        path.pop_back();
    }
    return path;
}

}  // namespace

bool CProtectedItemsDlg::RefusedByRules(const std::string& path, std::uint32_t mask) {
    if (path.empty()) {
        MessageBox("Please supply file / folder to protect", "Error", ui::MB_OK);
        GotoDlgCtrl(IDC_PATH);
        return true;
    }
    if (path == "*" || path == "*.*") {
        MessageBox("This item is not permitted", "Error", ui::MB_OK);
        return true;
    }
    if (path.size() >= 4 && (path.substr(3) == "*" || path.substr(3) == "*.*")) {
        if (MessageBox("Are you sure to add this item ?", "Warning",
                       ui::MB_YESNO | ui::MB_ICONEXCLAMATION) != ui::IDYES) {
            return true;
        }
    }
    const std::string windows = WindowsDirectory();
    if (!windows.empty() && EqualsNoCase(path, windows)) {
        MessageBox(
            "Windows folder may not be protected.\r\nYou may instead protect *.EXE, *.DLL, etc. "
            "files inside Windows folder",
            "Error", ui::MB_OK | ui::MB_ICONSTOP);
        return true;
    }
    if (!windows.empty() && path.size() > 3 &&
        EqualsNoCase(path.substr(0, 1), windows.substr(0, 1)) &&
        EqualsNoCase(path.substr(3), "Documents and Settings")) {
        MessageBox(
            "Documents and Settings folder may not be protected.\r\nYou may instead protect "
            "MYFILE.TXT file inside this folder.",
            "Error", ui::MB_OK | ui::MB_ICONSTOP);
        return true;
    }
    if ((~mask & kLockoutRights) != 0) {
        // An empty ApplicationPath would be a prefix of every path: it protects nothing.
        const std::string own = ApplicationPath();
        if (!own.empty() && StartsWithNoCase(path, own)) {
            MessageBox(
                "Halvern 2001 directory and files should be accessible...\r\nJust make them read "
                "only will be OK\r\nPlease change your protection...",
                "Error", ui::MB_OK);
            return true;
        }
    }
    return false;
}

void CProtectedItemsDlg::OnAddItem() {
    const std::string path = GetDlgItemText(IDC_PATH, kPathChars + 1);
    if (RefusedByRules(path, MaskFromEditor())) {
        return;
    }
    ui::ListView& list = ItemList();
    CItemListHelper helper;
    const int existing = helper.FindRowByName(list, path);
    if (existing >= 0) {
        for (int row = 0; row < list.GetItemCount(); ++row) {
            list.SetItemState(row, 0, ui::LVIS_SELECTED | ui::LVIS_FOCUSED);
        }
        list.SetItemState(existing, ui::LVIS_SELECTED | ui::LVIS_FOCUSED,
                          ui::LVIS_SELECTED | ui::LVIS_FOCUSED);
        RefreshListButtons();
        if (MessageBox("Item already exists, modify item instead ?", "Warning",
                       ui::MB_YESNOCANCEL) == ui::IDYES) {
            ModifySelectedItem();
        }
        return;
    }
    const bool windows9x = IsWindows9x();
    const bool limited = windows9x && lastItemIndex_ > 0;
    if (limited && static_cast<win::DWORD>(list.GetItemCount()) >= lastItemIndex_) {
        MessageBox("The protection list is full: no more items can be added", "Error", ui::MB_OK);
        return;
    }

    const bool directory = IsExistingDirectory(path);
    const int row =
        list.InsertItem(list.GetItemCount(), path,
                        directory ? ItemImageList::kFolderClosed : ItemImageList::kSheetText);
    CItemConverter converter;
    const std::uint32_t mask = MaskFromEditor();
    if (windows9x) {
        converter.MaskToRow9x(list, mask, kStatusActive, row);
    } else {
        converter.MaskToRow(list, mask, kStatusActive, row);
    }

    // A Windows 9x folder protects nothing inside it without its companion wildcard item.
    if (windows9x && directory && lastItemIndex_ > 0) {
        if (static_cast<win::DWORD>(row + 1) < lastItemIndex_) {
            const std::string wildcard = path + (path.back() == '\\' ? "*" : "\\*");
            const int companion = list.InsertItem(row + 1, wildcard, ItemImageList::kSheetText);
            converter.MaskToRow9x(list, mask | kRecursiveBit, kStatusActive, companion);
        } else {
            MessageBox(
                "If you protect folder in Windows 9x, you'll also need to protect all files "
                "inside the folder, by adding '\\*'.\r\nFor example, if you protect "
                "C:\\folder_name, you'll also need to protect C:\\folder_name\\*",
                "Information", ui::MB_OK);
        }
    }
    SetChangesPending();
    RefreshApplyButtons();
    RefreshListButtons();
}

void CProtectedItemsDlg::ModifySelectedItem() {
    ui::ListView& list = ItemList();
    CItemListHelper helper;
    const int selected = helper.FirstSelectedRow(list);
    if (selected < 0) {
        MessageBox("Please select item first", "Information", ui::MB_OK);
        return;
    }
    const std::string path = GetDlgItemText(IDC_PATH, kPathChars + 1);
    int target = selected;
    const int found = helper.FindRowByName(list, path);
    if (found >= 0 && found != selected) {
        const std::string question = "Changing item to " + path +
                                     " will change protection options, since this item already "
                                     "exists. Continue ?";
        if (MessageBox(question, "Warning", ui::MB_YESNOCANCEL) != ui::IDYES) {
            return;
        }
        target = found;
    }
    list.SetItemText(target, kPathColumn, path);
    CItemConverter converter;
    const std::uint32_t mask = MaskFromEditor();
    if (IsWindows9x()) {
        converter.MaskToRow9x(list, mask, kStatusActive, target);
    } else {
        converter.MaskToRow(list, mask, kStatusActive, target);
    }
    SetChangesPending();
    RefreshApplyButtons();
}

}  // namespace halvgate
