// A fresh bare NT machine in a temporary folder with only the simulated Halvgate driver loaded,
// installed as the platform for the lifetime of the object.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "platform/sim/machine.h"
#include "platform/sim/sim_system.h"
#include "platform/win32_api.h"
#include "tests/support/test_machine.h"

namespace halvern_test {

class TestNtMachine {
  public:
    TestNtMachine() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "halvern-h3-XXXXXX").string();
        dir_ = ::mkdtemp(pattern.data());
        std::string error;
        auto machine = winsim::Machine::Create(dir_, winsim::Family::Nt, error);
        EXPECT_TRUE(machine.has_value()) << error;
        machine->MutableSettings().devices["Halvgate"].library =
            (TestMachine::BinDirectory() / "libhalvern_nt_driver.so").string();
        machine->MutableSettings().devices["Halvgate"].family = winsim::Family::Nt;
        EXPECT_TRUE(machine->Save(error)) << error;
        system_ = std::make_unique<winsim::SimSystem>(*machine);
        scoped_ = std::make_unique<win::ScopedSystem>(*system_);
    }
    ~TestNtMachine() {
        scoped_.reset();
        system_.reset();
        std::error_code ec;
        std::filesystem::remove_all(dir_, ec);
    }
    TestNtMachine(const TestNtMachine&) = delete;
    TestNtMachine& operator=(const TestNtMachine&) = delete;

    const std::filesystem::path& Dir() const { return dir_; }
    winsim::SimSystem& System() { return *system_; }

    std::filesystem::path WindowsFile(const std::string& name) const {
        return dir_ / "drives" / "c" / "WINDOWS" / name;
    }
    void WriteWindowsFile(const std::string& name, const std::vector<std::uint8_t>& bytes) {
        std::ofstream out(WindowsFile(name), std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
    }
    std::vector<std::uint8_t> ReadWindowsFile(const std::string& name) const {
        std::ifstream in(WindowsFile(name), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    bool HasWindowsFile(const std::string& name) const {
        return std::filesystem::exists(WindowsFile(name));
    }

    // Starts the next boot of the machine, as the machine tool's boot does.
    void NextBoot() {
        std::string error;
        auto machine = winsim::Machine::Open(dir_, error);
        ASSERT_TRUE(machine.has_value()) << error;
        ++machine->MutableSettings().bootId;
        ASSERT_TRUE(machine->Save(error)) << error;
    }

  private:
    std::filesystem::path dir_;
    std::unique_ptr<winsim::SimSystem> system_;
    std::unique_ptr<win::ScopedSystem> scoped_;
};

}  // namespace halvern_test
