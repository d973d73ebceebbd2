#include "sim/drivers/nt/nt_driver.h"

#include <cstring>

#include "common/byte_order.h"
#include "common/nt_control_codes.h"
#include "sim/drivers/nt/nt_config_reader.h"
#include "sim/drivers/nt/nt_driver_store.h"

namespace simnt {
namespace {

using namespace halvern;

bool Fail(HalvernDeviceCall& call, win::DWORD error) {
    call.bytesReturned = 0;
    call.error = error;
    return false;
}

bool Succeed(HalvernDeviceCall& call, std::uint32_t bytes) {
    call.bytesReturned = bytes;
    call.error = 0;
    return true;
}

bool ReplyValue(HalvernDeviceCall& call, std::uint32_t value) {
    std::uint8_t reply[kQueryReplySize];
    PutU32(reply, 0, value);
    std::memcpy(call.out, reply, kQueryReplySize);
    return Succeed(call, kQueryReplySize);
}

// The monitor may run unless another live process holds the instance; a dead holder frees it.
std::uint32_t QueryInstance(NtDriverState& state, std::uint32_t pid) {
    if (state.instancePid != 0 && state.instancePid != pid &&
        ProcessAlive(state.instancePid, state.instanceStartTime)) {
        return 0;
    }
    state.instancePid = pid;
    state.instanceStartTime = ProcessStartTime(pid);
    return 1;
}

bool GetRequest(HalvernDeviceCall& call, NtDriverState& state) {
    const std::uint32_t slot =
        GetU32(std::span(static_cast<const std::uint8_t*>(call.in), kSlotNumberSize), 0);
    if (slot >= NtDriverState::kSlotCount) {
        return Fail(call, win::ERROR_INVALID_PARAMETER);
    }
    const NtSlot& held = state.slots[slot];
    if (held.state == NtSlot::State::Free) {
        return Fail(call, win::ERROR_FILE_NOT_FOUND);
    }
    RequestRecord record = held.record;
    record.SetSlot(slot);
    std::memcpy(call.out, record.bytes.data(), RequestRecord::kSize);
    return Succeed(call, RequestRecord::kSize);
}

bool AnswerRequest(HalvernDeviceCall& call, NtDriverState& state) {
    RequestRecord record;
    std::memcpy(record.bytes.data(), call.in, RequestRecord::kSize);
    const std::uint32_t slot = record.Slot();
    const std::uint32_t answer = record.Answer();
    if (slot >= NtDriverState::kSlotCount ||
        (answer != RequestRecord::kAnswerAllow && answer != RequestRecord::kAnswerRefuse)) {
        return Fail(call, win::ERROR_INVALID_PARAMETER);
    }
    NtSlot& held = state.slots[slot];
    if (held.state != NtSlot::State::Pending) {
        return Fail(call, win::ERROR_FILE_NOT_FOUND);
    }
    held.state = NtSlot::State::Answered;
    held.answer = answer;
    return Succeed(call, 0);
}

bool Dispatch(HalvernDeviceCall& call, NtDriverState& state) {
    switch (call.code) {
        case IOCTL_HALVGATE_RELOAD_CONFIG:
            NtConfigReader::Reload(call.machineDir, state);
            return Succeed(call, 0);
        case IOCTL_HALVGATE_PROTECTION_ON:
            state.protectionOn = true;
            return Succeed(call, 0);
        case IOCTL_HALVGATE_PROTECTION_OFF:
            state.protectionOn = false;
            return Succeed(call, 0);
        case IOCTL_HALVGATE_STATUS_ACTIVE:
            state.statusActive = true;
            return Succeed(call, 0);
        case IOCTL_HALVGATE_LOGIN_ONLY:
            state.loginOnly = true;
            return Succeed(call, 0);
        case IOCTL_HALVGATE_QUERY_INSTANCE:
            return ReplyValue(call, QueryInstance(state, call.processId));
        case IOCTL_HALVGATE_LOADER_COPY:
            ++state.loaderCopies;
            return Succeed(call, 0);
        case IOCTL_HALVGATE_LOADER_START:
            state.loaderStarted = true;
            return Succeed(call, 0);
        case IOCTL_HALVGATE_LOADER_QUERY:
            return ReplyValue(call, state.loaderStarted ? 1 : 0);
        case IOCTL_HALVGATE_GET_REQUEST:
            return GetRequest(call, state);
        case IOCTL_HALVGATE_ANSWER_REQUEST:
            return AnswerRequest(call, state);
        default:
            return Fail(call, win::ERROR_NOT_SUPPORTED);
    }
}

}  // namespace

bool NtDriver::Control(HalvernDeviceCall& call) {
    const NtControlCode* entry = FindNtControlCode(call.code);
    if (entry == nullptr) {
        return Fail(call, win::ERROR_NOT_SUPPORTED);
    }
    if (call.inSize < entry->inSize || (entry->inSize > 0 && call.in == nullptr)) {
        return Fail(call, win::ERROR_INVALID_PARAMETER);
    }
    if (call.outSize < entry->outSize || (entry->outSize > 0 && call.out == nullptr)) {
        return Fail(call, win::ERROR_INSUFFICIENT_BUFFER);
    }
    if (call.machineDir == nullptr) {
        return Fail(call, win::ERROR_GEN_FAILURE);
    }
    bool result = false;
    NtDriverStore store(call.machineDir);
    const bool stored = store.Update([&](NtDriverState& state) {
        result = Dispatch(call, state);
        return result;
    });
    if (!stored) {
        return Fail(call, win::ERROR_GEN_FAILURE);
    }
    return result;
}

}  // namespace simnt
