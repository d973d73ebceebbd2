// A drop-down list. Picking an entry reports it to the dialog; the list shows the model's
// strings and current selection.
#pragma once

#include <QComboBox>

#include "ui/combo_box.h"
#include "ui/qt/qt_control.h"

namespace ui::qtbackend {

class QtComboBox : public QtControl {
  public:
    QtComboBox(ComboBox& model, QWidget& parent, QObject& context);
    QWidget* Widget() const override { return combo_; }

  protected:
    void UpdateContent(Change what) override;
    QRect Placement() const override;

  private:
    ComboBox& list_;
    QComboBox* combo_;
};

}  // namespace ui::qtbackend
