// Handing an answered access over to the process that waits for it, and releasing its slot
// afterwards. The agent answers and then, through qtdrv.dll, reports the slot free at once; the
// waiting process polls the slot. So that the release never wipes an answer before it was
// taken, the waiting process marks the slot collected (no process waits on it any more), and
// the release of an answered slot waits for that, or for the waiting process to be gone.
#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>

namespace simnt {

class NtAnswerHandshake {
  public:
    explicit NtAnswerHandshake(std::filesystem::path machineDir);

    // The waiting process `posterPid` took the answer of `slot`. False when the slot is not an
    // answered one of that process.
    bool MarkCollected(std::uint32_t slot, std::uint32_t posterPid);

    // Frees `slot` once its answer was collected or its waiting process is gone, waiting at
    // most `patience` for that (then it frees it all the same). A slot whose access is still
    // pending stays held: the driver keeps it until its answer arrives. True when this call
    // freed the slot.
    bool ReleaseAnswered(std::uint32_t slot, std::chrono::milliseconds patience);

  private:
    std::filesystem::path machineDir_;
};

}  // namespace simnt
