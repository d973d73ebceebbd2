// The Qt side of one dialog: its top-level window, a widget per control, and the filter that
// turns raw Qt input on them into the dialog's User* input. Qt's own dialog behaviour (default
// buttons, Escape, closing) never applies: the window is a plain widget and every such event
// goes to the dialog.
#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <map>
#include <memory>
#include <vector>

#include "ui/dialog.h"
#include "ui/qt/qt_control.h"

namespace ui::qtbackend {

class DialogView : public QObject {
  public:
    DialogView(Dialog& dialog, QWidget* parentWindow);
    ~DialogView() override;

    QWidget* Window() const { return window_; }
    QtControl* ControlOf(const Control& control) const;
    QtControl* ControlWithId(int id) const;
    void Show(bool show);
    void ShowCaption();
    void ShowFocus();
    // The focus moved in the model: every control shows what that means for it.
    void ShowFocusChange();
    // Shows every change the controls keep for later.
    void Flush();
    // Stops all input to the dialog and deletes the view once Qt is back in its event loop:
    // the dialog may go away in the middle of one of its own event handlers.
    void Retire();

  protected:
    bool eventFilter(QObject* target, QEvent* event) override;

  private:
    QtControl* ControlUnder(QObject* target) const;
    bool Route(QObject* target, QEvent* event);
    bool RouteMouse(QWidget* target, QEvent* event);
    void ShowSystemMenu(QPoint at);
    void TellScreenOrigin();

    Dialog& dialog_;
    QPointer<QWidget> window_;
    // Signal connections of the controls live as long as this context.
    QObject* context_;
    std::vector<std::unique_ptr<QtControl>> controls_;
    std::map<const Control*, QtControl*> byModel_;
    std::map<const QWidget*, QtControl*> byWidget_;
    bool placed_ = false;
    // A mouse event Qt passes on to the parent widgets is routed only once.
    struct RoutedMouse {
        int type = 0;
        quint64 timestamp = 0;
        QPointF global;
    } lastMouse_;
};

}  // namespace ui::qtbackend
