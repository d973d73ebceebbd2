// A static picture: the icon resource whose id the caption holds.
#pragma once

#include <QLabel>

#include "ui/bitmap.h"
#include "ui/qt/qt_control.h"

namespace ui::qtbackend {

class QtIcon : public QtControl {
  public:
    QtIcon(Control& model, QWidget& parent);
    QWidget* Widget() const override { return label_; }

  protected:
    void UpdateContent(Change what) override;
    QRect Placement() const override;
    Qt::FocusPolicy UntabbedFocus() const override { return Qt::NoFocus; }

  private:
    const Bitmap* Picture() const;
    QLabel* label_;
};

}  // namespace ui::qtbackend
