#include "ui/headless/script.h"

#include "ui/headless/script_parser.h"

namespace ui::headless {

std::optional<Script> Script::Parse(std::string_view text, std::string* error) {
    Script script;
    if (!script.Append(text, error)) {
        return std::nullopt;
    }
    return script;
}

bool Script::Append(std::string_view text, std::string* error) {
    ScriptParser parser(lines_);
    std::vector<Step> steps;
    if (!parser.Parse(text, steps)) {
        if (error != nullptr) {
            *error = parser.Error();
        }
        return false;
    }
    steps_.insert(steps_.end(), steps.begin(), steps.end());
    lines_ = parser.LastLine();
    return true;
}

Script& Script::Call(std::function<void(Dialog&)> call) {
    Step step;
    step.kind = StepKind::Call;
    step.line = ++lines_;
    step.call = std::move(call);
    steps_.push_back(std::move(step));
    return *this;
}

}  // namespace ui::headless
