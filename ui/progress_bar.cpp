#include "ui/progress_bar.h"

#include <algorithm>

namespace ui {

void ProgressBar::SetRange(int lower, int upper) {
    lower_ = lower;
    upper_ = std::max(lower, upper);
    pos_ = std::clamp(pos_, lower_, upper_);
    NotifyBackend(Change::Range);
}

int ProgressBar::SetPos(int pos) {
    const int previous = pos_;
    pos_ = std::clamp(pos, lower_, upper_);
    NotifyBackend(Change::Range);
    return previous;
}

int ProgressBar::SetStep(int step) {
    const int previous = step_;
    step_ = step;
    return previous;
}

int ProgressBar::StepIt() {
    const int previous = pos_;
    const long long span = static_cast<long long>(upper_) - lower_;
    long long next = static_cast<long long>(pos_) + step_;
    if (next > upper_) {
        next = span > 0 ? lower_ + (next - lower_) % span : lower_;
    }
    pos_ = static_cast<int>(std::max<long long>(next, lower_));
    NotifyBackend(Change::Range);
    return previous;
}

}  // namespace ui
