// A progress bar showing the model's range and position.
#pragma once

#include <QProgressBar>

#include "ui/progress_bar.h"
#include "ui/qt/qt_control.h"

namespace ui::qtbackend {

class QtProgressBar : public QtControl {
  public:
    QtProgressBar(ProgressBar& model, QWidget& parent);
    QWidget* Widget() const override { return bar_; }

  protected:
    void UpdateContent(Change what) override;
    Qt::FocusPolicy UntabbedFocus() const override { return Qt::NoFocus; }

  private:
    ProgressBar& progress_;
    QProgressBar* bar_;
};

}  // namespace ui::qtbackend
