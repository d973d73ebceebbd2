#include "halvgate/access/rescue_disk.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "common/registry_keys.h"
#include "platform/sim/fault_injecting_system.h"
#include "platform/sim/sim_system.h"
#include "platform/system.h"
#include "tests/halvgate/access/access_fixture.h"
#include "tests/ui/script_run.h"

namespace halvgate::test {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

constexpr char kOverwrite[] = "\"File A:\\\\RESCUE.BIN alread exists, overwrite it ?\" \"Warning\"";
constexpr char kSorry[] = "\"Sorry, error creating rescue disk\" \"Error\"";
constexpr char kSuccess[] = "\"Rescue disk has been created successfully!\" \"Successful\"";
constexpr char kCreate[] = "answer yes\nanswer ok\n";  // the two questions before a disk is made
constexpr char kCreated[] = "answer yes\nanswer ok\nanswer ok\n";  // and the success message

// The clock stands still, so two disks made one after the other get the same seed.
class FrozenClockSystem : public winsim::SimSystem {
  public:
    using SimSystem::SimSystem;
    void GetSystemTime(win::SYSTEMTIME* time) override { *time = {2001, 5, 2, 16, 10, 30, 0, 500}; }
    win::DWORD GetTickCount() override { return 123456; }
};

struct Creation {
    bool created = false;
    std::string transcript;
    std::string failures;
};

Creation Create(const std::string& script) {
    ui::test::ScriptRun run(script);
    Creation out;
    out.created = CRescueDisk().AskAndCreate(nullptr);
    out.transcript = run.Transcript();
    out.failures = run.Failures();
    return out;
}

// True when the login of the installed machine accepts the disk in drive A:.
bool LoginAccepts(AccessFixture& pc) {
    const LoginOutcome out = pc.RunLogin(
        "click IDC_LOGIN_RESCUE_DISK\nanswer ok\n"
        "answer ok\nclick IDC_LOGIN_CLOSE\n");  // a refused disk: its message, then Close
    return out.result == 1 && out.verified == 1;
}

class RescueDiskTest : public ::testing::TestWithParam<winsim::Family> {
  protected:
    RescueDiskTest() : pc_(GetParam()) { pc_.SetLogonPassword("Secret"); }
    AccessFixture pc_;
};

TEST_P(RescueDiskTest, ANewDiskMatchesTheNewCodeAndOpensTheLogin) {
    pc_.InsertBlankDisk();
    const Creation made = Create(kCreated);
    EXPECT_TRUE(made.created);
    EXPECT_EQ(made.failures, "") << made.transcript;
    EXPECT_THAT(made.transcript,
                HasSubstr("\"Your previous rescue disk will not be valid any more if you create a "
                          "new one.\\r\\nAre you sure to create a new rescue disk ?\" \"Warning\" "
                          "yesno"));
    EXPECT_THAT(made.transcript,
                HasSubstr("\"Please insert disk into drive A. Click OK when ready...\" "
                          "\"Information\" okcancel"));
    EXPECT_THAT(made.transcript, HasSubstr(kSuccess));

    Rescue code{};
    ASSERT_TRUE(pc_.ReadRescueValue(code));
    EXPECT_EQ(pc_.DiskFile(), AccessFixture::DiskFor(code));
    EXPECT_EQ(pc_.DiskFile().size(), 20u);
    EXPECT_TRUE(LoginAccepts(pc_));
}

TEST_P(RescueDiskTest, OnlyTheNewerOfTwoDisksOpensTheLogin) {
    // With the clock standing still both seeds are equal; the second code must differ anyway.
    FrozenClockSystem frozen(pc_.Pc().Machine());
    win::ScopedSystem installed(frozen);
    pc_.InsertBlankDisk();
    ASSERT_TRUE(Create(kCreated).created);
    const std::string first = pc_.DiskFile();

    const Creation second = Create(std::string(kCreate) + "answer yes\nanswer ok\n");
    EXPECT_TRUE(second.created);
    EXPECT_THAT(second.transcript, HasSubstr(kOverwrite));
    EXPECT_EQ(second.failures, "") << second.transcript;
    EXPECT_NE(pc_.DiskFile(), first);
    EXPECT_TRUE(LoginAccepts(pc_));

    pc_.InsertDisk(first);
    EXPECT_FALSE(LoginAccepts(pc_));
}

TEST_P(RescueDiskTest, DecliningTheOverwriteLeavesNoValidDisk) {
    pc_.InsertBlankDisk();
    ASSERT_TRUE(Create(kCreated).created);
    const std::string previous = pc_.DiskFile();
    for (const char* answer : {"no", "cancel"}) {
        SCOPED_TRACE(answer);
        const Creation declined =
            Create(std::string(kCreate) + "answer " + answer + "\nanswer ok\n");
        EXPECT_FALSE(declined.created);
        EXPECT_EQ(declined.failures, "") << declined.transcript;
        EXPECT_THAT(declined.transcript, HasSubstr(kOverwrite));
        EXPECT_THAT(declined.transcript, HasSubstr(kSorry));
        EXPECT_EQ(pc_.DiskFile(), previous) << "the file is left as it was";
        EXPECT_FALSE(LoginAccepts(pc_)) << "the code was replaced before the disk was written";
    }
}

TEST_P(RescueDiskTest, NoDiskInTheDriveIsReportedAfterTheCodeIsReplaced) {
    Rescue before{1, 2, 3};
    pc_.WriteRescueValue(before);
    const Creation made = Create(std::string(kCreate) + "answer ok\nanswer ok\n");
    EXPECT_FALSE(made.created);
    EXPECT_EQ(made.failures, "") << made.transcript;
    EXPECT_THAT(made.transcript,
                HasSubstr("\"Error creating output file A:\\\\RESCUE.BIN\" \"Error\""));
    EXPECT_THAT(made.transcript, HasSubstr(kSorry));
    Rescue after{};
    ASSERT_TRUE(pc_.ReadRescueValue(after));
    EXPECT_NE(after, before);
}

TEST_P(RescueDiskTest, AFailedRegistryWriteStopsBeforeTheDiskIsTouched) {
    pc_.InsertBlankDisk();
    ASSERT_TRUE(Create(kCreated).created);
    const std::string previous = pc_.DiskFile();
    {
        winsim::FaultInjectingSystem faults(pc_.Pc().System());
        win::ScopedSystem installed(faults);
        faults.FailRegistryWrite("Rescue");
        const Creation failed = Create(std::string(kCreate) + "answer ok\n");
        EXPECT_FALSE(failed.created);
        EXPECT_EQ(failed.failures, "") << failed.transcript;
        EXPECT_THAT(failed.transcript, HasSubstr(kSorry));
        EXPECT_THAT(failed.transcript, Not(HasSubstr("alread exists")));
    }
    EXPECT_EQ(pc_.DiskFile(), previous);
    EXPECT_TRUE(LoginAccepts(pc_)) << "the old code and the old disk stay valid";
}

TEST_P(RescueDiskTest, AShortWriteOrAFullDiskIsNoDisk) {
    for (bool full : {false, true}) {
        SCOPED_TRACE(full ? "disk full" : "short write");
        pc_.InsertBlankDisk();
        winsim::FaultInjectingSystem faults(pc_.Pc().System());
        win::ScopedSystem installed(faults);
        if (full) {
            faults.DiskFullAfter(12, "RESCUE.BIN");
        } else {
            faults.ShortWrites(12, "RESCUE.BIN");
        }
        const Creation made = Create(std::string(kCreate) + "answer yes\nanswer ok\n");
        EXPECT_FALSE(made.created);
        EXPECT_THAT(made.transcript, HasSubstr(kSorry));
        EXPECT_THAT(made.transcript, Not(HasSubstr("successfully")));
        EXPECT_GT(faults.FaultsInjected(), 0);
    }
}

TEST_P(RescueDiskTest, DecliningAQuestionChangesNothing) {
    Rescue before{9, 8, 7};
    pc_.WriteRescueValue(before);
    pc_.InsertBlankDisk();
    for (const char* script : {"answer no\n", "answer yes\nanswer cancel\n"}) {
        SCOPED_TRACE(script);
        const Creation declined = Create(script);
        EXPECT_FALSE(declined.created);
        EXPECT_EQ(declined.failures, "") << declined.transcript;
        EXPECT_THAT(declined.transcript, Not(HasSubstr("Sorry")));
        Rescue after{};
        ASSERT_TRUE(pc_.ReadRescueValue(after));
        EXPECT_EQ(after, before);
        EXPECT_EQ(pc_.DiskFile(), "");
    }
}

INSTANTIATE_TEST_SUITE_P(Families, RescueDiskTest,
                         ::testing::Values(winsim::Family::Nt, winsim::Family::Win9x),
                         [](const ::testing::TestParamInfo<winsim::Family>& param) {
                             return param.param == winsim::Family::Nt ? "Nt" : "Win9x";
                         });

TEST(RescueDiskMachinesTest, ADiskFromAnotherMachineIsRefused) {
    std::string fromFirst;
    {
        AccessFixture first;
        first.InsertBlankDisk();
        ASSERT_TRUE(Create(kCreated).created);
        fromFirst = first.DiskFile();
    }
    AccessFixture second;
    second.SetLogonPassword("Secret");
    second.InsertBlankDisk();
    ASSERT_TRUE(Create(kCreated).created);
    EXPECT_TRUE(LoginAccepts(second));
    second.InsertDisk(fromFirst);
    EXPECT_FALSE(LoginAccepts(second));
}

TEST(RescueDiskDriveTest, OnlyDriveLettersAreAccepted) {
    AccessFixture pc;
    pc.InsertBlankDisk();
    for (int drive : {0, -1, 27}) {
        EXPECT_FALSE(CRescueDisk().CreateRescueDisk(drive, "RESCUE.BIN")) << drive;
    }
    Rescue code{};
    EXPECT_FALSE(pc.ReadRescueValue(code)) << "no code is stored for a drive that is no drive";
    EXPECT_TRUE(CRescueDisk().CreateRescueDisk(CRescueDisk::kDriveA, "OTHER.BIN"));
    EXPECT_EQ(pc.Pc().ReadFile("A:\\OTHER.BIN").size(), 20u);
}

}  // namespace
}  // namespace halvgate::test
