// One access by a program of the machine, played as the NT driver plays it: decided by the
// configuration the driver last loaded; when the item's action is Prompt, held in a free slot
// while Halvask, started in the machine with "AskForAccess|N|", asks the user; when it is Ask
// Password, let through only with the on-the-fly password.
#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "platform/win32_types.h"
#include "sim/drivers/nt/access_operations.h"

namespace simnt {

constexpr const char* kAgentProgram = "C:\\Program Files\\Halvern\\halvask.exe";
// The accessing process when none is named.
constexpr const char* kDefaultAccessProcess = "EXPLORER.EXE";

struct AccessRequest {
    const AccessOperation* operation = nullptr;
    std::string path;                             // a Windows path, full or relative to C:\ .
    std::string process = kDefaultAccessProcess;  // cut to 16 characters, as the driver keeps it
    std::chrono::milliseconds timeout{60000};     // how long a held access waits for its answer
};

struct AccessOutcome {
    bool allowed = false;
    std::string verdict;  // "allowed: ..." or "denied: ...", one line
};

class NtAccessAttempt {
  public:
    // Asks the person for the on-the-fly password; nothing when none could be read.
    using PasswordSource = std::function<std::optional<std::string>()>;

    // Works on the machine in `machineDir`; the simulated platform over that machine must be
    // installed (the agent is started with win::CreateProcessA).
    NtAccessAttempt(std::filesystem::path machineDir, PasswordSource password);

    // Nothing with `error` set when the access cannot be played at all (a path that names no
    // drive or is too long for a request record, an unreadable driver state).
    std::optional<AccessOutcome> Run(const AccessRequest& request, std::string& error);

  private:
    struct Wait {
        std::optional<std::uint32_t> answer;
        bool agentEnded = false;
        win::DWORD agentExitCode = 0;
        bool released = false;  // the slot was freed without an answer
    };
    // Polls the slot until it is answered, the agent ended without answering, or time ran out.
    Wait WaitForAnswer(std::uint32_t slot, win::HANDLE agent, std::chrono::milliseconds timeout);
    AccessOutcome Hold(const AccessRequest& request, const std::string& path);

    std::filesystem::path machineDir_;
    PasswordSource password_;
};

}  // namespace simnt
