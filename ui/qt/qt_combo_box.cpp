#include "ui/qt/qt_combo_box.h"

#include <QSignalBlocker>
#include <algorithm>

#include "ui/dialog.h"
#include "ui/qt/qt_text.h"

namespace ui::qtbackend {
namespace {
constexpr int kClosedHeightDlu = 12;
}  // namespace

QtComboBox::QtComboBox(ComboBox& model, QWidget& parent, QObject& context)
    : QtControl(model), list_(model), combo_(new QComboBox(&parent)) {
    combo_->setEditable(false);
    combo_->setMaxVisibleItems(10);
    QObject::connect(combo_, &QComboBox::activated, &context, [this](int index) {
        if (!list_.Owner().UserSelectCombo(list_.Id(), index)) {
            UpdateContent(Change::Selection);
        }
    });
}

QRect QtComboBox::Placement() const {
    // The template's height includes the dropped-down list; the closed box is one line high.
    QRect placement = QtControl::Placement();
    placement.setHeight(std::min(placement.height(), DluToPixelsY(kClosedHeightDlu)));
    return placement;
}

void QtComboBox::UpdateContent(Change what) {
    if (what == Change::Text || what == Change::Enabled || what == Change::Visible) {
        return;
    }
    const QSignalBlocker blocker(combo_);
    bool same = combo_->count() == list_.GetCount();
    for (int i = 0; same && i < list_.GetCount(); ++i) {
        same = combo_->itemText(i) == ToQString(list_.GetLBText(i));
    }
    if (!same) {
        combo_->clear();
        for (int i = 0; i < list_.GetCount(); ++i) {
            combo_->addItem(ToQString(list_.GetLBText(i)));
        }
    }
    combo_->setCurrentIndex(list_.GetCurSel());
}

}  // namespace ui::qtbackend
