// A multi-line edit field (Style::Multiline), otherwise as the single-line one.
#pragma once

#include <QPlainTextEdit>

#include "ui/qt/qt_control.h"

namespace ui::qtbackend {

class QtMultilineEdit : public QtControl {
  public:
    QtMultilineEdit(Control& model, QWidget& parent, QObject& context);
    QWidget* Widget() const override { return edit_; }

  protected:
    void UpdateContent(Change what) override;

  private:
    QPlainTextEdit* edit_;
    bool showing_ = false;  // the model's text is being put in: no typing to report
};

}  // namespace ui::qtbackend
