// The driver's state file in the machine, read and replaced under a lock of its own so that
// device calls and the machine tool's slot operations of several processes never interleave.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>

#include "sim/drivers/nt/nt_driver_state.h"

namespace simnt {

class NtDriverStore {
  public:
    explicit NtDriverStore(std::filesystem::path machineDir);

    const std::filesystem::path& MachineDir() const { return machineDir_; }
    std::filesystem::path StateFile() const;

    // Runs `change` on the state under the lock and saves it when `change` returns true.
    // The state is brought to the machine's current boot first: a new boot starts the driver
    // afresh (switch on, nothing held, configuration read from the files). False when the state
    // could not be locked or saved.
    bool Update(const std::function<bool(NtDriverState&)>& change);
    // The state as it is now, brought to the current boot.
    std::optional<NtDriverState> Read();

  private:
    std::filesystem::path machineDir_;
};

// Whether a process still runs: it exists, is not a zombie, and started at `startTime`
// (0: any start time).
bool ProcessAlive(std::uint32_t pid, std::uint64_t startTime);
// A process's start time in clock ticks since boot, 0 when unknown.
std::uint64_t ProcessStartTime(std::uint32_t pid);

}  // namespace simnt
