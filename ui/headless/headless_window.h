// The headless side of one dialog window: the dialog's own model is the state; this only
// tells the backend when the window is shown and closed, for the transcript and for finding
// the window that takes the next step.
#pragma once

#include "ui/backend.h"

namespace ui::headless {

class HeadlessBackend;

class HeadlessWindow : public BackendWindow {
  public:
    HeadlessWindow(HeadlessBackend& backend, Dialog& dialog);
    ~HeadlessWindow() override;
    HeadlessWindow(const HeadlessWindow&) = delete;
    HeadlessWindow& operator=(const HeadlessWindow&) = delete;

    void Show(bool show) override;
    void ControlChanged(Control& control, Change what) override;
    void CaptionChanged() override;

    Dialog& GetDialog() const { return dialog_; }
    bool IsShown() const { return shown_; }
    // The backend went away first (a dialog that outlives it): record nothing more.
    void Detach() { backend_ = nullptr; }

  private:
    HeadlessBackend* backend_;
    Dialog& dialog_;
    bool shown_ = false;
    bool announced_ = false;
};

}  // namespace ui::headless
