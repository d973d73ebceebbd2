#include "sim/drivers/nt/nt_request_slots.h"

#include <thread>

#include "sim/drivers/nt/nt_driver_store.h"

namespace simnt {

NtRequestSlots::NtRequestSlots(std::filesystem::path machineDir)
    : machineDir_(std::move(machineDir)) {}

std::optional<std::uint32_t> NtRequestSlots::Post(const halvern::RequestRecord& request,
                                                  std::uint32_t posterPid) {
    std::optional<std::uint32_t> taken;
    NtDriverStore(machineDir_).Update([&](NtDriverState& state) {
        for (std::uint32_t i = 0; i < NtDriverState::kSlotCount; ++i) {
            NtSlot& slot = state.slots[i];
            const bool reclaim = slot.state != NtSlot::State::Free &&
                                 !ProcessAlive(slot.posterPid, slot.posterStartTime);
            if (slot.state == NtSlot::State::Free || reclaim) {
                slot = NtSlot{};
                slot.state = NtSlot::State::Pending;
                slot.posterPid = posterPid;
                slot.posterStartTime = ProcessStartTime(posterPid);
                slot.record = request;
                slot.record.SetSlot(i);
                slot.record.SetAnswer(halvern::RequestRecord::kAnswerPending);
                taken = i;
                return true;
            }
        }
        return false;
    });
    return taken;
}

std::optional<std::uint32_t> NtRequestSlots::WaitForAnswer(std::uint32_t slot,
                                                           std::chrono::milliseconds timeout) {
    if (slot >= NtDriverState::kSlotCount) {
        return std::nullopt;
    }
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        const auto state = NtDriverStore(machineDir_).Read();
        if (!state || state->slots[slot].state == NtSlot::State::Free) {
            return std::nullopt;
        }
        if (state->slots[slot].state == NtSlot::State::Answered) {
            return state->slots[slot].answer;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            return std::nullopt;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

bool NtRequestSlots::Free(std::uint32_t slot) {
    if (slot >= NtDriverState::kSlotCount) {
        return false;
    }
    bool freed = false;
    NtDriverStore(machineDir_).Update([&](NtDriverState& state) {
        freed = state.slots[slot].state != NtSlot::State::Free;
        state.slots[slot] = NtSlot{};
        return freed;
    });
    return freed;
}

}  // namespace simnt
