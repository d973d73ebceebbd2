// The simulated NT driver's reload over any two files: the first two input bytes give the
// length of the item file, the rest is the module list file. What it took up must survive the
// driver's state file unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "sim/drivers/nt/nt_config_reader.h"
#include "sim/drivers/nt/nt_driver_state.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) {
        return 0;
    }
    const std::size_t itemLength = std::min<std::size_t>(data[0] | (data[1] << 8), size - 2);
    const std::vector<std::uint8_t> itemFile(data + 2, data + 2 + itemLength);
    const std::vector<std::uint8_t> moduleFile(data + 2 + itemLength, data + size);

    simnt::NtDriverState state = simnt::NtDriverState::FromText("");
    simnt::NtConfigReader::TakeItemFile(&itemFile, state);
    simnt::NtConfigReader::TakeModuleFile(&moduleFile, state);
    if (!state.header.ChecksumMatches()) {
        std::abort();  // a bad header is replaced by the defaults
    }
    const simnt::NtDriverState back = simnt::NtDriverState::FromText(state.ToText());
    if (back.items != state.items || back.authorizedModules != state.authorizedModules ||
        back.unauthorizedModules != state.unauthorizedModules || !(back.header == state.header)) {
        std::abort();
    }
    return 0;
}
