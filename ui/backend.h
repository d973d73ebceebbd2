// What a backend provides: a window per dialog that shows the dialog's state, the modal loop,
// message boxes, the common dialogs and the image drag. The headless backend plays a script;
// the Qt backend shows real widgets. Neither decides what input means: that is the dialog's.
#pragma once

#include <memory>
#include <string>

#include "ui/types.h"

namespace ui {

class Control;
class Dialog;
class ImageList;
enum class Change;

// The backend's side of one dialog window.
class BackendWindow {
  public:
    virtual ~BackendWindow() = default;
    virtual void Show(bool show) = 0;
    virtual void ControlChanged(Control& control, Change what) = 0;
    virtual void CaptionChanged() = 0;
    // The dialog was enabled or disabled as a whole (behind a nested modal window).
    virtual void WindowEnabledChanged() {}
};

// GetOpenFileName: `filter` is the MFC form, pairs of description and patterns separated by
// '|' and ended by "||". Windows paths of the machine in and out.
struct OpenFileRequest {
    std::string filter;
    std::string title;
    std::string initialDir;
    unsigned flags = 0;
    unsigned structSize = 76;
    int filterIndex = 1;
    std::string path;  // out: the chosen file
};
constexpr unsigned OFN_EXPLORER = 0x00080000;
constexpr unsigned OFN_FILEMUSTEXIST = 0x00001000;
constexpr unsigned OFN_HIDEREADONLY = 0x00000004;

// SHBrowseForFolder rooted at a shell folder; `path` receives the chosen folder's path.
struct BrowseFolderRequest {
    std::string title;
    int rootCsidl = CSIDL_DRIVES;
    unsigned flags = 0;
    std::string path;  // out
};

class Backend {
  public:
    virtual ~Backend() = default;
    virtual std::unique_ptr<BackendWindow> CreateWindow(Dialog& dialog) = 0;
    // Runs until dialog.IsEnded(); nested modal dialogs run nested loops.
    virtual void RunModalLoop(Dialog& dialog) = 0;
    // Dispatches one pending event, if any; false when there was none (PeekMessage semantics).
    virtual bool PumpOneMessage() = 0;
    // Returns IDOK, IDCANCEL, IDYES or IDNO as the user answered; 0 on failure.
    virtual int MessageBox(Dialog* owner, const std::string& text, const std::string& caption,
                           unsigned type) = 0;
    virtual bool GetOpenFileName(Dialog* owner, OpenFileRequest& request) = 0;
    virtual bool BrowseForFolder(Dialog* owner, BrowseFolderRequest& request) = 0;
    virtual void Beep() = 0;

    // Image drag in screen coordinates.
    virtual void DragBegin(const ImageList& image, int index, Point hotspot) = 0;
    virtual void DragMove(Point screen) = 0;
    virtual void DragShow(bool show) = 0;
    virtual void DragEnd() = 0;
};

// The backend every dialog uses (not owned); returns the previous one.
Backend* InstallBackend(Backend* backend);
Backend* InstalledBackend();

class ScopedBackend {
  public:
    explicit ScopedBackend(Backend& backend) : previous_(InstallBackend(&backend)) {}
    ~ScopedBackend() { InstallBackend(previous_); }
    ScopedBackend(const ScopedBackend&) = delete;
    ScopedBackend& operator=(const ScopedBackend&) = delete;

  private:
    Backend* previous_;
};

}  // namespace ui
