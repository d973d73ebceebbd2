// A single-line edit field. Typing reports the new text to the dialog; the field then shows
// the model's text, keeping the cursor where it was when the model took the text as typed.
#pragma once

#include <QLineEdit>

#include "ui/qt/qt_control.h"

namespace ui::qtbackend {

class QtEdit : public QtControl {
  public:
    QtEdit(Control& model, QWidget& parent, QObject& context);
    QWidget* Widget() const override { return edit_; }

  protected:
    void UpdateContent(Change what) override;

  private:
    QLineEdit* edit_;
    bool typing_ = false;  // the dialog is taking what the user typed
};

}  // namespace ui::qtbackend
