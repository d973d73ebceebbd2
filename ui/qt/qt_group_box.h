// A group box: a frame with a caption around other controls (which are its siblings, as in
// the template, not its children).
#pragma once

#include <QGroupBox>

#include "ui/qt/qt_control.h"

namespace ui::qtbackend {

class QtGroupBox : public QtControl {
  public:
    QtGroupBox(Control& model, QWidget& parent);
    QWidget* Widget() const override { return box_; }

  protected:
    void UpdateContent(Change what) override;
    Qt::FocusPolicy UntabbedFocus() const override { return Qt::NoFocus; }

  private:
    QGroupBox* box_;
};

}  // namespace ui::qtbackend
