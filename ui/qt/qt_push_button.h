// A push button. Clicks go to the dialog; the default look follows the model's default button.
#pragma once

#include <QPushButton>

#include "ui/qt/qt_control.h"

namespace ui::qtbackend {

class QtPushButton : public QtControl {
  public:
    QtPushButton(Control& model, QWidget& parent, QObject& context);
    QWidget* Widget() const override { return button_; }

  protected:
    void UpdateContent(Change what) override;

  private:
    QPushButton* button_;
};

}  // namespace ui::qtbackend
