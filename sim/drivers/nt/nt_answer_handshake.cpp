#include "sim/drivers/nt/nt_answer_handshake.h"

#include <thread>

#include "sim/drivers/nt/nt_driver_store.h"

namespace simnt {

NtAnswerHandshake::NtAnswerHandshake(std::filesystem::path machineDir)
    : machineDir_(std::move(machineDir)) {}

bool NtAnswerHandshake::MarkCollected(std::uint32_t slot, std::uint32_t posterPid) {
    if (slot >= NtDriverState::kSlotCount) {
        return false;
    }
    bool marked = false;
    NtDriverStore(machineDir_).Update([&](NtDriverState& state) {
        NtSlot& held = state.slots[slot];
        marked = held.state == NtSlot::State::Answered && held.posterPid == posterPid;
        if (marked) {
            held.posterPid = 0;
            held.posterStartTime = 0;
        }
        return marked;
    });
    return marked;
}

bool NtAnswerHandshake::ReleaseAnswered(std::uint32_t slot, std::chrono::milliseconds patience) {
    if (slot >= NtDriverState::kSlotCount) {
        return false;
    }
    const auto deadline = std::chrono::steady_clock::now() + patience;
    for (;;) {
        const bool late = std::chrono::steady_clock::now() >= deadline;
        bool done = false;
        bool freed = false;
        NtDriverStore(machineDir_).Update([&](NtDriverState& state) {
            NtSlot& held = state.slots[slot];
            if (held.state != NtSlot::State::Answered) {
                done = true;  // free already, or still pending: nothing to release
                return false;
            }
            if (!late && ProcessAlive(held.posterPid, held.posterStartTime)) {
                return false;
            }
            held = NtSlot{};
            done = freed = true;
            return true;
        });
        if (done || late) {
            return freed;  // late and not done: the state could not be had at all
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

}  // namespace simnt
