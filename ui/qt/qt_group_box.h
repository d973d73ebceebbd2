// A group box: a frame with a caption around other controls (which are its siblings, as in
// the template, not its children). A caption longer than the frame is wide wraps onto more
// lines inside the frame instead of being cut off.
#pragma once

#include <QWidget>

#include "ui/qt/qt_control.h"

namespace ui::qtbackend {

class QtGroupBox : public QtControl {
  public:
    QtGroupBox(Control& model, QWidget& parent);
    QWidget* Widget() const override { return frame_; }
    // The caption's lines, in the frame's coordinates, as drawn.
    static QRect CaptionRect(const QWidget& frame, const QString& caption);

  protected:
    void UpdateContent(Change what) override;
    Qt::FocusPolicy UntabbedFocus() const override { return Qt::NoFocus; }

  private:
    QWidget* frame_;
};

}  // namespace ui::qtbackend
