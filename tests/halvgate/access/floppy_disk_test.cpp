// A rescue disk carried from machine to machine with `halvern-machine disk`, as a person would.
#include <unistd.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "halvgate/access/rescue_disk.h"
#include "tests/halvgate/access/access_fixture.h"

namespace halvgate::test {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;

class FloppyDiskTest : public ::testing::Test {
  protected:
    FloppyDiskTest() : floppy_(fs::temp_directory_path() / ("halvern-floppy-" + Unique())) {}
    ~FloppyDiskTest() override {
        std::error_code ec;
        fs::remove_all(floppy_, ec);
    }

    static std::string Unique() {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        return std::string(info->name()) + "-" + std::to_string(::getpid());
    }

    // Runs the machine tool on `pc`'s machine, then lets the installed system see its change.
    static int Tool(AccessFixture& pc, const std::string& args) {
        const std::string command =
            "HALVERN_MACHINE='" + pc.Pc().Directory().string() + "' '" +
            (halvern_test::TestMachine::BinDirectory() / "halvern-machine").string() + "' " + args +
            " >/dev/null";
        const int status = std::system(command.c_str());
        std::string error;
        const auto reopened = winsim::Machine::Open(pc.Pc().Directory(), error);
        EXPECT_TRUE(reopened.has_value()) << error;
        if (reopened) {
            pc.Pc().EditSettings(
                [&](winsim::MachineSettings& settings) { settings = reopened->Settings(); });
        }
        return status;
    }

    static LoginOutcome TryDisk(AccessFixture& pc) {
        return pc.RunLogin(
            "click IDC_LOGIN_RESCUE_DISK\nanswer ok\nanswer ok\nclick IDC_LOGIN_CLOSE\n");
    }

    fs::path floppy_;
};

TEST_F(FloppyDiskTest, ADiskOpensTheMachineThatMadeItAndNoOther) {
    {
        AccessFixture first;
        first.SetLogonPassword("Secret");
        ASSERT_EQ(Tool(first, "disk insert a '" + floppy_.string() + "'"), 0);
        ASSERT_TRUE(CRescueDisk().CreateRescueDisk(CRescueDisk::kDriveA, CRescueDisk::kFileName));
        EXPECT_EQ(TryDisk(first).verified, 1u);

        ASSERT_EQ(Tool(first, "disk eject a"), 0);
        const LoginOutcome ejected = TryDisk(first);
        EXPECT_EQ(ejected.verified, 0u);
        EXPECT_THAT(ejected.transcript, HasSubstr("\"Error reading rescue disk !\" \"Error\""));
    }
    EXPECT_EQ(fs::file_size(floppy_ / "RESCUE.BIN"), 20u) << "the disk keeps its file";

    AccessFixture second;
    second.SetLogonPassword("Secret");
    ASSERT_EQ(Tool(second, "disk insert a"), 0);
    ASSERT_TRUE(CRescueDisk().CreateRescueDisk(CRescueDisk::kDriveA, CRescueDisk::kFileName));
    EXPECT_EQ(TryDisk(second).verified, 1u);

    ASSERT_EQ(Tool(second, "disk insert a '" + floppy_.string() + "'"), 0);
    const LoginOutcome foreign = TryDisk(second);
    EXPECT_EQ(foreign.verified, 0u);
    EXPECT_THAT(foreign.transcript, HasSubstr("\"Invalid password !\" \"Error\""));
}

}  // namespace
}  // namespace halvgate::test
