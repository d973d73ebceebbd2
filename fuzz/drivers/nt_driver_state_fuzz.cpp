// The simulated NT driver's state file over any text: parsing never fails, and what it reads
// writes back to a text that reads the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "sim/drivers/nt/nt_driver_state.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const simnt::NtDriverState state = simnt::NtDriverState::FromText(text);
    const std::string once = state.ToText();
    if (simnt::NtDriverState::FromText(once).ToText() != once) {
        std::abort();
    }
    return 0;
}
