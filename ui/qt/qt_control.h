// One control of a dialog shown as a Qt widget. The widget shows the model's state; what the
// user does reaches the model only through the dialog's User* input functions.
#pragma once

#include <QRect>
#include <QWidget>

#include "ui/control.h"

class QEvent;

namespace ui::qtbackend {

class QtControl {
  public:
    explicit QtControl(Control& model) : model_(model) {}
    virtual ~QtControl() = default;
    QtControl(const QtControl&) = delete;
    QtControl& operator=(const QtControl&) = delete;

    Control& Model() const { return model_; }
    virtual QWidget* Widget() const = 0;

    // Places the widget at the template's geometry and shows the whole state of the model.
    void Build();
    // Shows what changed in the model.
    void Update(Change what);
    // Shows at once what the control keeps for showing later (a list batches its updates).
    virtual void Flush() {}
    // Raw input to one of this control's widgets, seen before Qt handles it; true eats it.
    virtual bool Input(QObject* target, QEvent* event);

  protected:
    // The parts of the state particular to the kind; Build calls it for every part.
    virtual void UpdateContent(Change what) = 0;
    // Where the widget goes, in the dialog's client pixels: the template's rectangle by default.
    virtual QRect Placement() const;
    // Focus policy of the kind when the template gives no tab stop.
    virtual Qt::FocusPolicy UntabbedFocus() const { return Qt::ClickFocus; }

  private:
    Control& model_;
};

}  // namespace ui::qtbackend
