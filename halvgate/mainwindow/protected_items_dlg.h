// The protected items window, Halvgate's main window (dialog 102). Its item list is the only
// store of protected items; Apply hands the list to the protection driver, Close applies or
// discards what is pending and switches protection back on.
//
// Its dialog initialisation is the program's start-up: the instance check, switching
// protection off while the window is open, loading the configuration and the login.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "common/config_header.h"
#include "halvgate/mainwindow/list_drag_state.h"
#include "platform/win32_types.h"
#include "ui/dialog.h"
#include "ui/image_list.h"

namespace halvgate {

class CProtectedItemsDlg : public ui::Dialog {
  public:
    // The longest path the window takes from its entry field or a list cell.
    static constexpr int kPathChars = 254;

    explicit CProtectedItemsDlg(ui::Dialog* parent = nullptr);
    ~CProtectedItemsDlg() override;

    // NT: the 13 item columns, and the item pictures attached to the list.
    void InsertItemColumns();
    // NT: reads what the flags name from the configuration files, then asks the driver to
    // reload them; returns the driver's answer to that request.
    int LoadConfiguration(const std::string& itemFile, const std::string& moduleFile,
                          bool loadHeader, bool loadItems, bool loadModuleLists);
    void RefreshApplyButtons();
    void RefreshListButtons();
    void OnApply();
    void OnClose() override;

    // Gives the selected row (or the row of the same path) the settings of the editor.
    void ModifySelectedItem();

    bool ChangesPending() const { return changesPending_ != 0; }
    void SetChangesPending();
    halvern::ConfigHeader& Header() { return header_; }
    const std::string& ItemFilePath() const { return itemFilePath_; }
    const std::string& ModuleFilePath() const { return moduleFilePath_; }
    // Destruction then leaves NT protection as it is (another instance, or uninstall).
    void SetNoSwitchBack() { noSwitchBack_ = 1; }
    win::DWORD SwitchOffFlag() const { return switchOff_; }
    win::DWORD LoginOnlyFlag() const { return loginOnly_; }

  protected:
    bool OnInitDialog() override;
    void OnDestroy() override;
    void OnSysCommand(unsigned id) override;
    void OnMouseMove(ui::Point client) override;
    void OnLButtonUp(ui::Point client) override;

  private:
    static const ui::MessageMapEntry<CProtectedItemsDlg> kMessageMap[];

    // Start-up (protected_items_startup.cpp)
    void StartUpNt();
    void StartUpWindows9x();
    void ReadLoginChoices();
    void RunLogin();
    void SwitchProtectionOff();
    void SwitchProtectionOn();

    // Adding items (protected_items_add_item.cpp)
    void OnAddItem();
    bool RefusedByRules(const std::string& path, std::uint32_t mask);

    // The item editor
    void OnBrowseFile();
    void OnBrowseDir();
    void OnPathChanged();
    void OnPresetReadOnly();
    void OnPresetNoAccess();
    void OnPresetFullHidden();
    void OnPresetInvisibleOnly();
    void OnClear();
    void OnRightClicked();
    void OnWriteModifyClicked();
    void OnWriteAppendClicked();
    void ClearRights();
    void EnableRights();
    void ApplyOpenLock();
    void CheckPreset(std::initializer_list<int> rights);
    std::uint32_t MaskFromEditor();

    // The list
    void OnListClick();
    void OnListFocus();
    void OnColumnClick(ui::NotifyInfo& info);
    void OnBeginDrag(ui::NotifyInfo& info);
    void OnBeginRightDrag(ui::NotifyInfo& info);
    void OnDelete();
    void OnDeleteAll();
    void OnActivate();
    void OnActivateAll();
    void OnDeactivate();
    void OnDeactivateAll();
    void SetStatus(const char* text, bool selectedOnly);
    void OnReload();
    void OnCloseButton();
    void OnAbout();

    bool ApplyNt();
    bool IsWindows9x() const;
    ui::ListView& ItemList() const;

    win::DWORD changesPending_ = 0;
    ListDragState drag_;
    win::DWORD switchOff_ = 0;
    win::DWORD loginOnly_ = 0;
    win::DWORD noSwitchBack_ = 0;
    win::DWORD lastItemIndex_ = 0;
    std::array<char, 17> sessionUserName_{};
    bool sessionHeld_ = false;
    bool closeAfterStartUp_ = false;
    std::unique_ptr<ui::ImageList> itemImages_;
    halvern::ConfigHeader header_;
    std::string itemFilePath_;
    std::string moduleFilePath_;
};

}  // namespace halvgate
