// halvern-machine show: what the protection driver of the machine enforces now.
#include <cstdio>

#include "sim/drivers/nt/nt_driver_report.h"
#include "sim/drivers/nt/nt_driver_store.h"
#include "sim/machine_tool/verbs.h"

namespace halvern_machine {
namespace {

int RunShow(const Arguments& args) {
    bool json = false;
    for (const std::string& arg : args) {
        if (arg == "--json") {
            json = true;
        } else {
            return UsageError("show", "unknown argument \"" + arg + "\"");
        }
    }
    const std::optional<winsim::Machine> machine = OpenMachine();
    if (!machine) {
        return kExitFailed;
    }
    if (machine->Settings().family != winsim::Family::Nt) {
        return Failure("show: this is a Windows 9x machine; only the NT driver can be shown yet");
    }
    const auto state = simnt::NtDriverStore(machine->Directory()).Read();
    if (!state) {
        return Failure("show: the driver's state in " + machine->DeviceDirectory().string() +
                       " cannot be read");
    }
    const std::string text =
        json ? simnt::NtDriverReport::ShowJson(*state) : simnt::NtDriverReport::ShowText(*state);
    std::fputs(text.c_str(), stdout);
    return kExitOk;
}

}  // namespace

extern const Verb kShowVerb = {
    "show", "show what the protection driver enforces now",
    "Usage: halvern-machine show [--json]\n"
    "Shows what the NT protection driver \\\\.\\Halvgate of the machine enforces now: the\n"
    "protection switch, the commands it received in this boot (Status Active, Login Only),\n"
    "the monitor instance and the start-up loader, the settings of the configuration header\n"
    "it read at its last reload, the protected items as the protected items window lists\n"
    "them, the module lists and the access requests held in its slots.\n"
    "--json prints the same as one JSON object.\n",
    RunShow};

}  // namespace halvern_machine
