// A fresh simulated PC for one test, in its own temporary folder, with the simulated platform
// installed for the object's lifetime (win:: calls go to it). Link `halvern_test_machine`.
//
//     TEST(Config, ReadsTheHeader) {
//         halvern_test::TestMachine pc;                       // NT, as `halvern-machine init`
//         pc.WriteFile("C:\\WINDOWS\\DO2000IF.CFG", bytes);  // prepare files through the host
//         ... code under test calls win::_lopen etc. ...
//         EXPECT_EQ(pc.ReadFile("C:\\WINDOWS\\DO2000IF.CFG"), expected);
//     }
//
// TestMachine(Family::Win9x) makes a 9x machine. Setup::Suite (the default) adds what the
// suite's setup program leaves (launchers, ApplicationPath, the browser, the family's driver
// listed as loaded, zuvud.dll and qtdrv.dll when built); Setup::Bare gives only the drives, the
// Windows and system folders and empty hives. To inject faults, wrap System() in a
// winsim::FaultInjectingSystem and install that with win::ScopedSystem inside the test.
// The running program is "C:\Program Files\Halvern\halvgate.exe" (System().SetProgramPath
// changes it), the current folder "C:\". The folder is removed at the end unless
// HALVERN_KEEP_TEST_MACHINE is set. docs/machine.md describes the machine.
#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "platform/sim/machine.h"
#include "platform/sim/sim_system.h"
#include "platform/system.h"

namespace halvern_test {

class TestMachine {
  public:
    enum class Setup { Bare, Suite };

    explicit TestMachine(winsim::Family family = winsim::Family::Nt, Setup setup = Setup::Suite);
    ~TestMachine();
    TestMachine(const TestMachine&) = delete;
    TestMachine& operator=(const TestMachine&) = delete;

    const std::filesystem::path& Directory() const { return dir_; }
    winsim::SimSystem& System() { return *system_; }
    const winsim::Machine& Machine() const { return system_->GetMachine(); }

    // The bin folder of the build (programs, drivers, libraries).
    static std::filesystem::path BinDirectory();

    // Host access to the machine's files, for preparing and checking what a test needs.
    // Folders on the way are created; names match case-insensitively as on Windows.
    std::filesystem::path HostPath(std::string_view windowsPath) const;
    void WriteFile(std::string_view windowsPath, std::string_view content) const;
    std::string ReadFile(std::string_view windowsPath) const;  // "" when missing
    bool Exists(std::string_view windowsPath) const;
    void Remove(std::string_view windowsPath) const;
    // Puts a blank disk into drive A: (or another removable drive): it reads as empty but ready.
    void InsertBlankDisk(char letter = 'A') const;

    // Changes machine.ini and makes the installed system see it (a new SimSystem is made, so
    // open handles are lost: call this before the code under test runs).
    void EditSettings(const std::function<void(winsim::MachineSettings&)>& edit);

  private:
    void Start();

    std::filesystem::path dir_;
    std::unique_ptr<winsim::SimSystem> system_;
    std::unique_ptr<win::ScopedSystem> installed_;
};

}  // namespace halvern_test
