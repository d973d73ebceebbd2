// A script: the steps that play the user, in order. Built from the script language (see
// docs/ui-script.md) and, in tests, extended with C++ callbacks that inspect a dialog mid-run.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/headless/step.h"

namespace ui::headless {

class Script {
  public:
    // The steps of `text`, or nothing with `error` set to "line N: what is wrong".
    static std::optional<Script> Parse(std::string_view text, std::string* error = nullptr);
    // Appends the steps of `text`; its lines are numbered on from the steps already there.
    // On an error nothing is appended.
    bool Append(std::string_view text, std::string* error = nullptr);
    // Appends a step that calls `call` with the active dialog.
    Script& Call(std::function<void(Dialog&)> call);

    const std::vector<Step>& Steps() const { return steps_; }
    bool Empty() const { return steps_.empty(); }

  private:
    std::vector<Step> steps_;
    int lines_ = 0;
};

}  // namespace ui::headless
