// The script parser on arbitrary text: it never crashes, and every step it reads prints as
// a line that reads back as the same step.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "ui/headless/script.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::string error;
    const auto script = ui::headless::Script::Parse(text, &error);
    if (!script) {
        if (error.rfind("line ", 0) != 0) {
            std::abort();
        }
        return 0;
    }
    for (const auto& step : script->Steps()) {
        const std::string line = ui::headless::StepText(step, false);
        const auto again = ui::headless::Script::Parse(line);
        if (!again || again->Steps().size() != 1 ||
            ui::headless::StepText(again->Steps().front(), false) != line) {
            std::abort();
        }
        (void)ui::headless::StepText(step, true);
    }
    return 0;
}
