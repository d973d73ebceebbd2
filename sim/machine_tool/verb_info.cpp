// halvern-machine info: shows the machine.
#include <cstdio>
#include <system_error>

#include "platform/sim/registry_hives.h"
#include "sim/machine_tool/verbs.h"

namespace halvern_machine {
namespace {

namespace fs = std::filesystem;

int RunInfo(const Arguments& args) {
    if (!args.empty()) {
        return UsageError("info", "takes no arguments, found \"" + args.front() + "\"");
    }
    const std::optional<winsim::Machine> machine = OpenMachine();
    if (!machine) {
        return kExitFailed;
    }
    const winsim::MachineSettings& settings = machine->Settings();
    const bool nt = settings.family == winsim::Family::Nt;
    std::printf("Machine:   %s\n", machine->Directory().c_str());
    std::printf("Family:    %s (%s)\n", std::string(winsim::FamilyName(settings.family)).c_str(),
                nt ? "Windows NT 4.0, build 1381, platform 2" : "Windows 98, 4.10, platform 1");
    std::printf("Windows:   %s\n", settings.windowsDir.c_str());
    std::printf("System:    %s\n", settings.systemDir.c_str());
    std::printf("Boot id:   %u\n", settings.bootId);
    std::printf("Drives:\n");
    for (const auto& [letter, drive] : settings.drives) {
        std::string state;
        if (drive.kind != winsim::DriveKind::Absent && !machine->DriveHasMedia(letter)) {
            state = drive.kind == winsim::DriveKind::Fixed ? "  (folder missing)" : "  (no disk)";
        }
        std::printf("  %c:  %-9s  %s%s\n", letter,
                    std::string(winsim::DriveKindName(drive.kind)).c_str(),
                    machine->DriveFolder(letter).c_str(), state.c_str());
    }
    std::printf("Devices (loaded):\n");
    if (settings.devices.empty()) {
        std::printf("  none\n");
    }
    for (const auto& [name, device] : settings.devices) {
        std::error_code ec;
        const bool present = fs::exists(device.library, ec);
        std::printf("  %-10s %s  %s%s\n", name.c_str(),
                    std::string(winsim::FamilyName(device.family)).c_str(), device.library.c_str(),
                    present ? "" : "  (library missing: not built yet?)");
    }
    std::printf("Registry:\n");
    const winsim::RegistryHives hives(machine->RegistryDirectory());
    for (winsim::Hive hive : {winsim::Hive::LocalMachine, winsim::Hive::ClassesRoot}) {
        winsim::RegKey root;
        std::string state;
        // A malformed file is reported on stderr by Read and named here.
        if (hives.Read(hive, root) != win::ERROR_SUCCESS) {
            state = "  (unreadable: " + hives.LastProblem() + ")";
        }
        std::printf("  %-19s %s%s\n", std::string(winsim::RegistryHives::RootName(hive)).c_str(),
                    hives.FileOf(hive).c_str(), state.c_str());
    }
    return kExitOk;
}

}  // namespace

extern const Verb kInfoVerb = {"info", "show the machine: family, folders, drives, devices, hives",
                               "Usage: halvern-machine info\n"
                               "Shows the machine of $HALVERN_MACHINE: its folder, family, "
                               "Windows and system folders,\n"
                               "drives with their types and host folders, the devices listed as "
                               "loaded and whether\n"
                               "their libraries exist, and the registry hive files.\n",
                               RunInfo};

}  // namespace halvern_machine
