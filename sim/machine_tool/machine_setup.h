// What the suite's setup program leaves on a PC, installed into a machine: the launchers of the
// suite's programs and of the stand-ins (uninstaller, Notepad, web browser), the registry values
// the suite reads, the protection driver of the family and the two libraries. Used by
// `halvern-machine init` and by the test machines of tests/support.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "platform/sim/machine.h"

namespace halvern_machine {

// One .exe of the machine and the host program its launcher starts.
struct LauncherEntry {
    const char* machinePath;  // e.g. "C:\\Program Files\\Halvern\\halvgate.exe"
    const char* hostProgram;  // a file name in the bin folder, e.g. "halvgate"
};

const std::vector<LauncherEntry>& Launchers();

constexpr const char* kInstallDir = "C:\\Program Files\\Halvern\\";
constexpr const char* kBrowserPath = "C:\\Program Files\\Web Browser\\browser.exe";
constexpr const char* kServiceKey = "System\\CurrentControlSet\\Services\\Halvgate\\Parameters";
constexpr const char* kVxdKey = "System\\CurrentControlSet\\Services\\VxD\\nolx";

// The text of a launcher that execs `hostProgram` with the launcher's arguments, or says that
// the program is not built.
std::string LauncherScript(const std::string& machinePath, const std::filesystem::path& hostProgram);

// Writes a launcher at a Windows path of the machine, creating the folders on the way.
bool WriteLauncher(const winsim::Machine& machine, const std::string& machinePath,
                   const std::filesystem::path& hostProgram, std::string& error);

// Installs the suite into a machine made by Machine::Create, with programs and libraries from
// `binDir`. Library files that are not built yet are skipped with a note; launchers are
// written for every program, built or not. Saves the machine's settings.
bool InstallSuite(winsim::Machine& machine, const std::filesystem::path& binDir,
                  std::vector<std::string>& notes, std::string& error);

// The host path a Windows path of the machine names, creating missing folders on the way (new
// components keep the given case).
bool HostPathForNew(const winsim::Machine& machine, const std::string& windowsPath,
                    std::filesystem::path& out, std::string& error);

}  // namespace halvern_machine
