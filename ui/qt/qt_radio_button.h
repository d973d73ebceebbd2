// A radio button. Neither Qt's exclusivity nor its toggling apply: the dialog clears the other
// buttons of the group and the button shows the model's check state.
#pragma once

#include <QRadioButton>

#include "ui/qt/qt_control.h"

namespace ui::qtbackend {

class QtRadioButton : public QtControl {
  public:
    QtRadioButton(Control& model, QWidget& parent, QObject& context);
    QWidget* Widget() const override { return button_; }

  protected:
    void UpdateContent(Change what) override;

  private:
    QRadioButton* button_;
};

}  // namespace ui::qtbackend
