#include "platform/sim/program_host.h"

#include <cstdio>
#include <cstdlib>

namespace winsim {

std::string ProgramHost::JoinArguments(int argc, char** argv) {
    std::string line;
    for (int i = 1; i < argc; ++i) {
        if (i > 1) {
            line += ' ';
        }
        line += argv[i];
    }
    return line;
}

ProgramHost::ProgramHost(std::string_view programName, int argc, char** argv)
    : commandLine_(JoinArguments(argc, argv)) {
    std::string note;
    const std::filesystem::path dir = Machine::DefaultDirectory(&note);
    std::string error;
    std::optional<Machine> machine = Machine::Open(dir, error);
    if (!machine) {
        const std::string name(programName);
        if (!note.empty()) {
            std::fprintf(stderr, "%s: %s\n", name.c_str(), note.c_str());
        }
        std::fprintf(stderr, "%s: %s\n", name.c_str(), error.c_str());
        return;
    }
    system_ = std::make_unique<SimSystem>(std::move(*machine));
    const char* program = std::getenv("HALVERN_PROGRAM");
    system_->SetProgramPath(program != nullptr && *program != '\0'
                                ? std::string(program)
                                : "C:\\Program Files\\Halvern\\" + std::string(programName) +
                                      ".exe");
    const char* cwd = std::getenv("HALVERN_CWD");
    if (cwd != nullptr && *cwd != '\0') {
        system_->SetCurrentDirectory(cwd);
    }
    installed_ = std::make_unique<win::ScopedSystem>(*system_);
}

ProgramHost::~ProgramHost() = default;

}  // namespace winsim
