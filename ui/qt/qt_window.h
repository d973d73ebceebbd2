// The backend window of one dialog: forwards the dialog's changes to its Qt view.
#pragma once

#include <QWidget>

#include "ui/backend.h"
#include "ui/qt/qt_dialog_view.h"

namespace ui::qtbackend {

class QtWindow : public BackendWindow {
  public:
    explicit QtWindow(Dialog& dialog);
    ~QtWindow() override;
    QtWindow(const QtWindow&) = delete;
    QtWindow& operator=(const QtWindow&) = delete;

    void Show(bool show) override;
    void ControlChanged(Control& control, Change what) override;
    void CaptionChanged() override;

    QWidget* Widget() const { return view_->Window(); }
    // Shows at once every change of the model that is waiting for the event loop.
    void Flush() { view_->Flush(); }
    // The widget of control `id`, or null.
    QWidget* ControlWidget(int id) const;
    // The widget of a control of the dialog (also of those without an id), or null.
    QWidget* ControlWidget(const Control& control) const;

  private:
    DialogView* view_;  // retired, not deleted, with the window
};

// The Qt window of a dialog shown by the Qt backend, or null.
QtWindow* QtWindowOf(const Dialog& dialog);

}  // namespace ui::qtbackend
