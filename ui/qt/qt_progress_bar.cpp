#include "ui/qt/qt_progress_bar.h"

namespace ui::qtbackend {

QtProgressBar::QtProgressBar(ProgressBar& model, QWidget& parent)
    : QtControl(model), progress_(model), bar_(new QProgressBar(&parent)) {
    bar_->setTextVisible(false);
}

void QtProgressBar::UpdateContent(Change) {
    // Cheap enough to show range and position whatever changed.
    bar_->setRange(progress_.GetLower(), progress_.GetUpper());
    bar_->setValue(progress_.GetPos());
}

}  // namespace ui::qtbackend
