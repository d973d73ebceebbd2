// machine.ini, command lines and wildcards over any bytes: no crash, and accepted settings
// write back to text that parses to the same settings.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/sim/command_line.h"
#include "platform/sim/machine.h"
#include "platform/sim/wildcard.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    winsim::MachineSettings settings;
    std::string error;
    if (winsim::MachineSettings::Parse(bytes, settings, error)) {
        winsim::MachineSettings again;
        const std::string text = settings.ToText();
        if (!winsim::MachineSettings::Parse(text, again, error) || again.ToText() != text) {
            std::abort();
        }
    }
    winsim::SplitCommandLine(bytes);
    const std::size_t half = size / 2;
    winsim::WildcardMatch(bytes.substr(0, half), bytes.substr(half));
    std::string normal;
    winsim::Machine::Normalize(bytes, "C:\\", normal);
    return 0;
}
