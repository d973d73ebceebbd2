// A fresh bare NT machine with only the simulated Halvgate driver loaded, and the file access
// the driver tests need: files of the Windows folder by name, and the next boot.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/test_machine.h"

namespace halvern_test {

class TestNtMachine : public TestMachine {
  public:
    TestNtMachine() : TestMachine(winsim::Family::Nt, Setup::Bare) {
        EditSettings([](winsim::MachineSettings& settings) {
            settings.devices["Halvgate"] = {(BinDirectory() / "libhalvern_nt_driver.so").string(),
                                            winsim::Family::Nt};
        });
    }

    const std::filesystem::path& Dir() const { return Directory(); }

    std::filesystem::path WindowsFile(const std::string& name) const {
        return HostPath("C:\\WINDOWS\\" + name);
    }
    void WriteWindowsFile(const std::string& name, const std::vector<std::uint8_t>& bytes) {
        WriteFile("C:\\WINDOWS\\" + name, std::string(bytes.begin(), bytes.end()));
    }
    std::vector<std::uint8_t> ReadWindowsFile(const std::string& name) const {
        const std::string text = ReadFile("C:\\WINDOWS\\" + name);
        return {text.begin(), text.end()};
    }
    bool HasWindowsFile(const std::string& name) const { return Exists("C:\\WINDOWS\\" + name); }

    // Starts the next boot of the machine, as the machine tool's boot does.
    void NextBoot() {
        EditSettings([](winsim::MachineSettings& settings) { ++settings.bootId; });
    }
};

}  // namespace halvern_test
