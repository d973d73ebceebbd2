// halvern-machine config dump FILE: an item file decoded field by field.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <system_error>
#include <vector>

#include "sim/drivers/nt/nt_driver_report.h"
#include "sim/machine_tool/verbs.h"

namespace halvern_machine {
namespace {

namespace fs = std::filesystem;

// A path with a drive letter and a colon is a Windows path of the machine; anything else is a
// path of the host.
bool IsWindowsPath(const std::string& path) {
    return path.size() >= 2 && path[1] == ':' &&
           ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
}

int RunConfig(const Arguments& args) {
    if (args.empty() || args[0] != "dump") {
        return UsageError("config", args.empty() ? "expects \"dump FILE\""
                                                 : "unknown action \"" + args[0] + "\"");
    }
    if (args.size() != 2) {
        return UsageError("config", "dump takes one FILE");
    }
    const std::string& name = args[1];
    fs::path host = name;
    if (IsWindowsPath(name)) {
        const std::optional<winsim::Machine> machine = OpenMachine();
        if (!machine) {
            return kExitFailed;
        }
        winsim::HostPath where;
        if (machine->Resolve(name, "C:\\", where) != 0 || !where.exists) {
            return Failure("config dump: " + name + " does not exist on the machine");
        }
        host = where.path;
    }
    std::error_code ec;
    if (!fs::is_regular_file(host, ec)) {
        return Failure("config dump: " + name + " is not a file");
    }
    std::ifstream in(host, std::ios::binary);
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in),
                                          std::istreambuf_iterator<char>()};
    if (!in.eof() && in.fail()) {
        return Failure("config dump: " + name + " cannot be read");
    }
    std::fputs(simnt::NtDriverReport::DumpItemFile(name, bytes).c_str(), stdout);
    return kExitOk;
}

}  // namespace

extern const Verb kConfigVerb = {
    "config", "decode a configuration file: config dump FILE",
    "Usage: halvern-machine config dump FILE\n"
    "Decodes an item file (DO2000IF.CFG) field by field: every field of the configuration\n"
    "header with its offset, whether its checksum matches, the number of item records and\n"
    "each record with the cells the protected items window shows for it.\n"
    "FILE is a Windows path of the machine when it starts with a drive letter and a colon\n"
    "(C:\\WINDOWS\\DO2000IF.CFG), otherwise a path of the host.\n",
    RunConfig};

}  // namespace halvern_machine
