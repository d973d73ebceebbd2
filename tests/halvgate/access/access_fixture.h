// A simulated PC with a logon password in its header, a floppy drive to put disks into, and a
// login dialog run by a headless script.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <string>
#include <string_view>

#include "common/config_header.h"
#include "common/registry_keys.h"
#include "common/rescue_transform.h"
#include "platform/win32_types.h"
#include "tests/support/test_machine.h"
#include "ui/headless/script.h"

namespace halvgate::test {

using Rescue = std::array<win::BYTE, halvern::CRescueTransform::kSize>;

struct LoginOutcome {
    int result = 0;
    win::DWORD verified = 0;
    win::DWORD switchOff = 0;
    win::DWORD loginOnly = 0;
    std::string transcript;
    std::string failures;  // steps refused or expectations that did not hold
};

class AccessFixture {
  public:
    explicit AccessFixture(winsim::Family family = winsim::Family::Nt)
        : pc_(family, halvern_test::TestMachine::Setup::Bare) {}

    halvern_test::TestMachine& Pc() { return pc_; }
    halvern::ConfigHeader& Header() { return header_; }

    // Stores `password` encoded in the header, as the Settings dialog does.
    void SetLogonPassword(std::string_view password);

    // Drive A: with a disk holding only a label file (an empty drive folder is no disk).
    void InsertBlankDisk();
    // A disk whose RESCUE.BIN has `content`.
    void InsertDisk(std::string_view content);
    void EjectDisk();
    std::string DiskFile() const;  // A:\RESCUE.BIN, "" when missing

    // The Rescue value in the key of the machine's family; false when absent.
    bool ReadRescueValue(Rescue& code);
    void WriteRescueValue(const Rescue& code);
    // What a disk must hold to match `code`.
    static std::string DiskFor(const Rescue& code);

    // Runs the login dialog once under `script` with the caller's option flags.
    LoginOutcome RunLogin(std::string_view script, win::DWORD switchOff = 1,
                          win::DWORD loginOnly = 0);
    LoginOutcome RunLogin(ui::headless::Script script, win::DWORD switchOff = 1,
                          win::DWORD loginOnly = 0);

  private:
    std::filesystem::path DriveAFolder() const;

    halvern_test::TestMachine pc_;
    halvern::ConfigHeader header_;
};

}  // namespace halvgate::test
