#include "sim/drivers/nt/nt_access_attempt.h"

#include <unistd.h>

#include <thread>
#include <vector>

#include "common/request_record.h"
#include "platform/sim/machine.h"
#include "platform/win32_api.h"
#include "sim/drivers/nt/access_policy.h"
#include "sim/drivers/nt/nt_answer_handshake.h"
#include "sim/drivers/nt/nt_driver_store.h"
#include "sim/drivers/nt/nt_request_slots.h"

namespace simnt {

namespace {

// How long an answered agent may take to report its slot free and end.
constexpr win::DWORD kAgentEndMs = 10000;
constexpr std::chrono::milliseconds kPollInterval{10};

AccessOutcome Allowed(const std::string& why) {
    return {true, "allowed: " + why};
}
AccessOutcome Denied(const std::string& why) {
    return {false, "denied: " + why};
}

std::string Seconds(std::chrono::milliseconds ms) {
    const auto whole = ms.count() / 1000;
    const auto tenths = (ms.count() % 1000) / 100;
    return std::to_string(whole) + (tenths != 0 ? "." + std::to_string(tenths) : "") + " s";
}

}  // namespace

NtAccessAttempt::NtAccessAttempt(std::filesystem::path machineDir, PasswordSource password)
    : machineDir_(std::move(machineDir)), password_(std::move(password)) {}

std::optional<AccessOutcome> NtAccessAttempt::Run(const AccessRequest& request,
                                                  std::string& error) {
    std::string path;
    if (!winsim::Machine::Normalize(request.path, "C:\\", path)) {
        error = "'" + request.path + "' names no drive of the machine";
        return std::nullopt;
    }
    if (path.size() > halvern::RequestRecord::kPathSize - 1) {
        error = "the path has " + std::to_string(path.size()) +
                " characters; a request record holds at most " +
                std::to_string(halvern::RequestRecord::kPathSize - 1);
        return std::nullopt;
    }
    const std::optional<NtDriverState> state = NtDriverStore(machineDir_).Read();
    if (!state) {
        error = "cannot read the state of the simulated driver in " + machineDir_.string();
        return std::nullopt;
    }
    const AccessDecision decision = DecideAccess(*state, *request.operation, path);
    switch (decision.verdict) {
        case AccessVerdict::Allow:
            return Allowed(decision.reason);
        case AccessVerdict::Deny:
            return Denied(decision.reason);
        case AccessVerdict::AskPassword: {
            const std::optional<std::string> typed = password_ ? password_() : std::nullopt;
            if (!typed) {
                return Denied(decision.reason + "; no on-the-fly password was given");
            }
            if (!FlyPasswordMatches(state->header, *typed)) {
                return Denied(decision.reason + "; the on-the-fly password is wrong" +
                              (state->header.FlyPasswordSet() == 0 ? " (none is set)" : ""));
            }
            return Allowed(decision.reason + "; the on-the-fly password is right");
        }
        case AccessVerdict::Prompt:
            break;
    }
    AccessOutcome held = Hold(request, path);
    held.verdict += " (" + decision.reason + ")";
    return held;
}

NtAccessAttempt::Wait NtAccessAttempt::WaitForAnswer(std::uint32_t slot, win::HANDLE agent,
                                                     std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        // The slot first: an agent without qtdrv.dll answers and ends at once.
        const std::optional<NtDriverState> state = NtDriverStore(machineDir_).Read();
        if (state && state->slots[slot].state == NtSlot::State::Answered) {
            return {state->slots[slot].answer, false, 0};
        }
        if (state && state->slots[slot].state == NtSlot::State::Free) {
            return {std::nullopt, false, 0, true};
        }
        if (win::WaitForSingleObject(agent, 0) == win::WAIT_OBJECT_0) {
            const std::optional<NtDriverState> last = NtDriverStore(machineDir_).Read();
            if (last && last->slots[slot].state == NtSlot::State::Answered) {
                return {last->slots[slot].answer, false, 0};
            }
            win::DWORD code = 0;
            win::GetExitCodeProcess(agent, &code);
            return {std::nullopt, true, code};
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            return {};
        }
        std::this_thread::sleep_for(kPollInterval);
    }
}

AccessOutcome NtAccessAttempt::Hold(const AccessRequest& request, const std::string& path) {
    halvern::RequestRecord record;
    record.SetOperationCode(request.operation->code);
    record.SetOperationKind(request.operation->kind);
    record.SetProcessName(request.process);
    record.SetPath(path);
    const auto self = static_cast<std::uint32_t>(::getpid());
    NtRequestSlots slots(machineDir_);
    const std::optional<std::uint32_t> slot = slots.Post(record, self);
    if (!slot) {
        return Denied("every request slot is held");
    }
    const std::string slotName = "slot " + std::to_string(*slot);

    std::string commandLine =
        std::string("\"") + kAgentProgram + "\" AskForAccess|" + std::to_string(*slot) + "|";
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    win::STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    win::PROCESS_INFORMATION agent{};
    if (!win::CreateProcessA(nullptr, line.data(), nullptr, nullptr, win::FALSE, 0, nullptr,
                             nullptr, &startup, &agent)) {
        // Nobody will ever answer this slot.
        slots.Free(*slot);
        return Denied("the agent " + std::string(kAgentProgram) + " could not be started (error " +
                      std::to_string(win::GetLastError()) + ")");
    }
    const Wait wait = WaitForAnswer(*slot, agent.hProcess, request.timeout);
    AccessOutcome outcome;
    if (wait.answer) {
        NtAnswerHandshake(machineDir_).MarkCollected(*slot, self);
        // The agent now reports the slot free and ends; wait for that, so that the slot is
        // released when this access is over.
        win::WaitForSingleObject(agent.hProcess, kAgentEndMs);
        outcome = *wait.answer == halvern::RequestRecord::kAnswerAllow
                      ? Allowed("the user answered Yes in " + slotName)
                      : Denied("the user answered No in " + slotName);
    } else if (wait.released) {
        outcome = Denied(slotName + " was released without an answer");
    } else if (wait.agentEnded) {
        slots.Free(*slot);  // nobody is left to answer it
        outcome = Denied("the agent ended with exit code " + std::to_string(wait.agentExitCode) +
                         " without answering " + slotName);
    } else {
        outcome = Denied("no answer within " + Seconds(request.timeout) +
                         "; the access stays held in " + slotName + " until it is answered");
    }
    win::CloseHandle(agent.hThread);
    win::CloseHandle(agent.hProcess);
    return outcome;
}

}  // namespace simnt
