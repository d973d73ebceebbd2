// Halvask on the simulated PC: the machine from the environment as its Windows, the message box
// from the backend the environment chooses (Qt, or headless with a script).
#include <cstdio>
#include <memory>
#include <optional>
#include <string>

#include "halvask/ask_for_access.h"
#include "platform/sim/program_host.h"
#include "ui/backend.h"
#include "ui/env/backend_from_environment.h"

int main(int argc, char** argv) {
    winsim::ProgramHost host("halvask", argc, argv);
    if (!host.Ready()) {
        return halvern::kAskExitNotAccepted;  // no machine: the host has said how to make one
    }
    std::string error;
    std::unique_ptr<ui::Backend> backend = ui::env::CreateBackendFromEnvironment(argc, argv, error);
    std::optional<ui::ScopedBackend> installed;
    if (backend) {
        installed.emplace(*backend);
    } else {
        // Without a backend the message box fails, which refuses the access: the driver still
        // gets its answer instead of holding the access for ever.
        std::fprintf(stderr, "halvask: %s\n", error.c_str());
    }
    return halvern::RunAskForAccess(host.CommandLine());
}
