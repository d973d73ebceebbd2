// A progress bar: range, position and step.
#pragma once

#include "ui/control.h"

namespace ui {

class ProgressBar : public Control {
  public:
    using Control::Control;

    void SetRange(int lower, int upper);
    int GetLower() const { return lower_; }
    int GetUpper() const { return upper_; }
    int SetPos(int pos);  // clamped into the range; returns the previous position
    int GetPos() const { return pos_; }
    int SetStep(int step);
    int StepIt();  // advances by the step, wrapping to the lower bound past the upper one

  private:
    int lower_ = 0;
    int upper_ = 100;
    int pos_ = 0;
    int step_ = 10;
};

}  // namespace ui
