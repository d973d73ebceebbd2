// A check box. A click does not toggle the box by itself: the dialog decides (automatic boxes
// toggle there) and the box shows the model's check state.
#pragma once

#include <QCheckBox>

#include "ui/qt/qt_control.h"

namespace ui::qtbackend {

class QtCheckBox : public QtControl {
  public:
    QtCheckBox(Control& model, QWidget& parent, QObject& context);
    QWidget* Widget() const override { return box_; }

  protected:
    void UpdateContent(Change what) override;

  private:
    QCheckBox* box_;
};

}  // namespace ui::qtbackend
