// A headless backend installed for one test, playing a script given as text.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "ui/headless/headless_backend.h"

namespace ui::test {

inline headless::Script ParseScript(std::string_view text) {
    std::string error;
    auto script = headless::Script::Parse(text, &error);
    EXPECT_TRUE(script.has_value()) << error;
    return script.value_or(headless::Script());
}

class ScriptRun {
  public:
    explicit ScriptRun(std::string_view text) : ScriptRun(ParseScript(text)) {}
    explicit ScriptRun(headless::Script script)
        : backend_(std::move(script)), installed_(backend_) {}

    headless::HeadlessBackend& Backend() { return backend_; }
    // The transcript after recording the steps never played.
    std::string Transcript() {
        backend_.Finish();
        return backend_.GetTranscript().ToText();
    }
    std::string Failures() {
        backend_.Finish();
        std::string text;
        for (const auto& entry : backend_.GetTranscript().Failures()) {
            text += entry.ToString() + '\n';
        }
        return text;
    }

  private:
    headless::HeadlessBackend backend_;
    ScopedBackend installed_;
};

}  // namespace ui::test
