#include "sim/machine_tool/tool.h"

#include <unistd.h>

#include <cstdio>

namespace halvern_machine {

int UsageError(std::string_view verb, const std::string& message) {
    const std::string name(verb);
    std::fprintf(stderr, "halvern-machine %s: %s\n", name.c_str(), message.c_str());
    std::fprintf(stderr, "Run `halvern-machine help %s` for its usage.\n", name.c_str());
    return kExitUsage;
}

int Failure(const std::string& message) {
    std::fprintf(stderr, "halvern-machine: %s\n", message.c_str());
    return kExitFailed;
}

std::filesystem::path MachineDirectory() {
    std::string note;
    std::filesystem::path dir = winsim::Machine::DefaultDirectory(&note);
    if (!note.empty()) {
        std::fprintf(stderr, "halvern-machine: %s\n", note.c_str());
    }
    return dir;
}

std::optional<winsim::Machine> OpenMachine() {
    std::string error;
    std::optional<winsim::Machine> machine = winsim::Machine::Open(MachineDirectory(), error);
    if (!machine) {
        Failure(error);
    }
    return machine;
}

std::filesystem::path BinDirectory() {
    char buffer[4096];
    const ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (n <= 0) {
        return std::filesystem::current_path();
    }
    buffer[n] = '\0';
    return std::filesystem::path(buffer).parent_path();
}

}  // namespace halvern_machine
