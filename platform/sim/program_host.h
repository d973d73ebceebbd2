// What each program's main_sim.cpp calls to run on the simulated PC:
//
//     int main(int argc, char** argv) {
//         winsim::ProgramHost host("halvgate", argc, argv);
//         if (!host.Ready()) {
//             return 1;  // no machine: the host has said how to make one
//         }
//         return HalvgateMain(host.CommandLine());
//     }
//
// It opens the machine the environment names (HALVERN_MACHINE, see Machine::DefaultDirectory),
// installs a SimSystem over it as the platform for its own lifetime, sets the program's machine
// path (HALVERN_PROGRAM, which the machine's launchers receive from CreateProcessA/WinExec;
// default "C:\Program Files\Halvern\<name>.exe") and its current folder (HALVERN_CWD, default
// "C:\"), and turns argv[1..] into the Windows command line text, joined with single spaces.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform/sim/sim_system.h"

namespace winsim {

class ProgramHost {
  public:
    ProgramHost(std::string_view programName, int argc, char** argv);
    ~ProgramHost();
    ProgramHost(const ProgramHost&) = delete;
    ProgramHost& operator=(const ProgramHost&) = delete;

    bool Ready() const { return system_ != nullptr; }
    const char* CommandLine() const { return commandLine_.c_str(); }  // lpCmdLine
    SimSystem& System() { return *system_; }

    static std::string JoinArguments(int argc, char** argv);

  private:
    std::unique_ptr<SimSystem> system_;
    std::unique_ptr<win::ScopedSystem> installed_;
    std::string commandLine_;
};

}  // namespace winsim
