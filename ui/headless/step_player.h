// Plays one step of a script on a dialog, through the dialog's user-input functions, and
// records it in the transcript: refused input, missing controls and failed expectations.
#pragma once

#include <optional>
#include <string>

#include "ui/headless/step.h"
#include "ui/headless/transcript.h"

namespace ui {
class Control;
class Dialog;
}  // namespace ui

namespace ui::headless {

struct MessageRecord {
    std::string text;
    std::string caption;
};

class StepPlayer {
  public:
    StepPlayer(Transcript& transcript, const std::optional<MessageRecord>& lastMessage)
        : transcript_(transcript), lastMessage_(lastMessage) {}

    void Play(const Step& step, Dialog& dialog);

  private:
    void Refused(const Step& step, Dialog& dialog, const Control* control);
    void Fail(const Step& step, const std::string& why);
    void PlayList(const Step& step, Dialog& dialog, Control& control);
    // `control` is the one the step names, null for expectations about the dialog.
    void Expect(const Step& step, Dialog& dialog, const Control* control);

    Transcript& transcript_;
    const std::optional<MessageRecord>& lastMessage_;
};

// The control `ref` names in `dialog`, or null.
Control* ResolveControl(const Dialog& dialog, const ControlRef& ref);

}  // namespace ui::headless
