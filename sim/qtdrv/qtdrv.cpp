// The simulated qtdrv.dll: the driver side's library through which the access prompt agent
// reports a request slot free again. InformFreeSlot releases the slot in the simulated NT
// driver of the machine the library is installed in, once the access held in it was answered
// and its waiting process took the answer (see nt_answer_handshake.h); a slot still pending
// stays held.

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "platform/sim/installed_library.h"

#include "sim/drivers/nt/nt_answer_handshake.h"

namespace {
namespace fs = std::filesystem;

// How long a release waits for the waiting process to take its answer.
constexpr std::chrono::milliseconds kPatience{5000};

fs::path MachineDir() {
    return winsim::InstalledLibraryMachineDir();
}

}  // namespace

// 1 when the slot was released, 0 otherwise; the agent does not look at it.
extern "C" __attribute__((visibility("default"))) int InformFreeSlot(std::uint32_t slot) {
    const fs::path dir = MachineDir();
    if (dir.empty()) {
        return 0;
    }
    return simnt::NtAnswerHandshake(dir).ReleaseAnswered(slot, kPatience) ? 1 : 0;
}
