// A static label: word-wrapped text, left, centred or right aligned.
#pragma once

#include <QLabel>

#include "ui/qt/qt_control.h"

namespace ui::qtbackend {

class QtStatic : public QtControl {
  public:
    QtStatic(Control& model, QWidget& parent);
    QWidget* Widget() const override { return label_; }

  protected:
    void UpdateContent(Change what) override;
    Qt::FocusPolicy UntabbedFocus() const override { return Qt::NoFocus; }

  private:
    QLabel* label_;
};

}  // namespace ui::qtbackend
