// What the verbs of halvern-machine share: exit codes, usage errors, the machine of the
// environment and the bin folder the tool runs from.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/sim/machine.h"

namespace halvern_machine {

constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;  // the machine is missing or an operation failed
constexpr int kExitUsage = 2;   // unknown verb or option, missing or bad argument

using Arguments = std::vector<std::string>;

// One verb of the tool: `halvern-machine NAME ARGS...`.
struct Verb {
    const char* name;
    const char* summary;  // one line for --help
    const char* usage;    // the full text for `help NAME`
    int (*run)(const Arguments& args);
};

// Prints "halvern-machine VERB: MESSAGE" and a hint to `help VERB` on stderr; returns 2.
int UsageError(std::string_view verb, const std::string& message);

// Prints "halvern-machine: MESSAGE" on stderr; returns 1.
int Failure(const std::string& message);

// The machine folder the environment chooses; says on stderr which fallback it took, if any.
std::filesystem::path MachineDirectory();

// Opens the machine of the environment, or explains how to make one (and returns nothing).
std::optional<winsim::Machine> OpenMachine();

// The folder of the running tool (from /proc/self/exe): the build's bin folder.
std::filesystem::path BinDirectory();

}  // namespace halvern_machine
