// halvern-machine init [--family nt|9x] [--force]: creates the machine with what the suite's
// setup program leaves on a PC.
#include <cstdio>
#include <system_error>

#include "sim/machine_tool/machine_setup.h"
#include "sim/machine_tool/verbs.h"

namespace halvern_machine {
namespace {

namespace fs = std::filesystem;

int RunInit(const Arguments& args) {
    winsim::Family family = winsim::Family::Nt;
    bool force = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        std::string value;
        if (arg == "--force") {
            force = true;
            continue;
        }
        if (arg == "--family") {
            if (i + 1 == args.size()) {
                return UsageError("init", "--family needs a value: nt or 9x");
            }
            value = args[++i];
        } else if (arg.rfind("--family=", 0) == 0) {
            value = arg.substr(9);
        } else {
            return UsageError("init", "unknown argument \"" + arg + "\"");
        }
        const auto parsed = winsim::ParseFamily(value);
        if (!parsed) {
            return UsageError("init", "the family is nt or 9x, not \"" + value + "\"");
        }
        family = *parsed;
    }

    const fs::path dir = MachineDirectory();
    std::error_code ec;
    if (fs::exists(dir, ec)) {
        const bool isMachine = fs::exists(dir / "machine.ini", ec);
        const bool isEmpty = fs::is_directory(dir, ec) && fs::is_empty(dir, ec);
        if (isMachine && !force) {
            return Failure("a machine already exists at " + dir.string() +
                           "; `halvern-machine init --force` makes it anew (its files are lost)");
        }
        if (!isMachine && !isEmpty) {
            return Failure(dir.string() +
                           " exists and is not a machine; choose another folder with "
                           "HALVERN_MACHINE");
        }
        if (isMachine) {
            fs::remove_all(dir, ec);
            if (ec) {
                return Failure("cannot remove the old machine at " + dir.string() + ": " +
                               ec.message());
            }
        }
    }

    std::string error;
    std::optional<winsim::Machine> machine = winsim::Machine::Create(dir, family, error);
    if (!machine) {
        return Failure(error);
    }
    std::vector<std::string> notes;
    if (!InstallSuite(*machine, BinDirectory(), notes, error)) {
        return Failure(error);
    }
    std::printf("Created a Windows %s machine at %s\n",
                family == winsim::Family::Nt ? "NT" : "9x", dir.c_str());
    for (const std::string& note : notes) {
        std::printf("  note: %s\n", note.c_str());
    }
    std::printf("Run `halvern-machine info` to see it.\n");
    return kExitOk;
}

}  // namespace

extern const Verb kInitVerb = {
    "init", "create the machine (NT by default)",
    "Usage: halvern-machine init [--family nt|9x] [--force]\n"
    "Creates the machine in $HALVERN_MACHINE (default ~/.local/share/halvern/machine):\n"
    "drives C: (fixed) and A: (removable, no disk), C:\\WINDOWS and its system folder, the\n"
    "suite's launchers in C:\\Program Files\\Halvern\\ (halvgate, halvask, halvidle, hvcheck,\n"
    "uninst), Notepad and a web browser, the registry values a setup program leaves, the\n"
    "family's protection driver listed as loaded, and zuvud.dll and qtdrv.dll when built.\n"
    "  --family nt|9x  what GetVersionExA reports (default nt)\n"
    "  --force         replace an existing machine (its files are lost)\n",
    RunInit};

}  // namespace halvern_machine
