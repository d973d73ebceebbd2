#include "halvgate/access/login_dlg.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "common/registry_keys.h"
#include "common/registry_store.h"
#include "halvgate/res/login_dialog_resource.h"
#include "platform/sim/fault_injecting_system.h"
#include "platform/system.h"
#include "tests/halvgate/access/access_fixture.h"
#include "tests/ui/script_run.h"
#include "ui/dialog.h"

namespace halvgate::test {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

const Rescue kCode = {0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77, 0x88, 0x99, 0xAA,
                      0xBB, 0xCC, 0xDD, 0xEE, 0xFF, 0x01, 0x02, 0x03, 0x04, 0x05};

std::string Typed(const std::string& text) {
    return "type IDC_LOGIN_PASSWORD \"" + text + "\"\n";
}

class LoginDlgTest : public ::testing::Test, public AccessFixture {
  protected:
    LoginDlgTest() { SetLogonPassword("Secret"); }
};

TEST_F(LoginDlgTest, OpensWithTheFocusInThePasswordFieldAndTheOptionsAsStored) {
    struct Case {
        win::DWORD switchOff, loginOnly;
        const char* disable;
        const char* only;
    };
    const Case cases[] = {{1, 0, "checked", "unchecked"},
                          {0, 1, "unchecked", "checked"},
                          {1, 1, "checked", "checked"}};
    for (const Case& c : cases) {
        const std::string script =
            std::string("expect dialog 142\nexpect dialog \"Login to Halvern 2001\"\n") +
            "expect focused IDC_LOGIN_PASSWORD\n" + "expect " + c.disable +
            " IDC_LOGIN_DISABLE_PROTECTION\n" + "expect " + c.only + " IDC_LOGIN_ONLY\n" +
            "expect hidden IDC_LOGIN_DISABLE_CHECK\nexpect hidden IDC_LOGIN_ONLY_CHECK\n" +
            "click IDC_LOGIN_CLOSE\n";
        const LoginOutcome out = RunLogin(script, c.switchOff, c.loginOnly);
        EXPECT_EQ(out.failures, "") << out.transcript;
        EXPECT_EQ(out.result, 2);
    }
}

TEST_F(LoginDlgTest, TheRadioButtonsLeaveExactlyOneOptionChecked) {
    const LoginOutcome out = RunLogin(
        "click IDC_LOGIN_ONLY\n"
        "expect unchecked IDC_LOGIN_DISABLE_PROTECTION\nexpect checked IDC_LOGIN_ONLY\n"
        "click IDC_LOGIN_DISABLE_PROTECTION\n"
        "expect checked IDC_LOGIN_DISABLE_PROTECTION\nexpect unchecked IDC_LOGIN_ONLY\n" +
            Typed("Secret") + "click IDC_LOGIN_OK\n",
        1, 1);
    EXPECT_EQ(out.failures, "") << out.transcript;
    EXPECT_EQ(out.result, 1);
    EXPECT_EQ(out.switchOff, 1u);
    EXPECT_EQ(out.loginOnly, 0u);
}

TEST_F(LoginDlgTest, TheRightPasswordLogsInWithTheChosenOption) {
    struct Case {
        const char* typed;
        const char* finish;
    };
    // Trailing spaces count for nothing. Enter ends the dialog unchecked, and the check when
    // the window goes away finds the right password.
    const Case cases[] = {
        {"Secret", "click IDC_LOGIN_OK"}, {"Secret   ", "click IDC_LOGIN_OK"}, {"Secret", "enter"}};
    for (const Case& c : cases) {
        const LoginOutcome out =
            RunLogin("click IDC_LOGIN_ONLY\n" + Typed(c.typed) + c.finish + "\n", 1, 0);
        SCOPED_TRACE(std::string(c.typed) + " / " + c.finish);
        EXPECT_EQ(out.failures, "") << out.transcript;
        EXPECT_EQ(out.result, 1);
        EXPECT_EQ(out.verified, 1u);
        EXPECT_EQ(out.switchOff, 0u);
        EXPECT_EQ(out.loginOnly, 1u);
        EXPECT_THAT(out.transcript, Not(HasSubstr("Invalid password !")));
    }
}

TEST_F(LoginDlgTest, AWrongPasswordIsReportedWithTheTextSelectedForTheNextTry) {
    for (const char* typed : {"secret", "SECRET", "Secre", "Secretx", "", "Secret\t"}) {
        SCOPED_TRACE(typed);
        const std::string text = typed;
        ui::headless::Script script = ui::test::ParseScript(
            Typed(text) +
            "click IDC_LOGIN_OK\nanswer ok\nexpect message \"Invalid password !\" \"Error\"\n"
            "expect focused IDC_LOGIN_PASSWORD\nexpect dialog 142\n");
        int selStart = -1, selEnd = -1;
        script.Call([&](ui::Dialog& dialog) {
            selStart = dialog.Item(IDC_LOGIN_PASSWORD).GetSelStart();
            selEnd = dialog.Item(IDC_LOGIN_PASSWORD).GetSelEnd();
        });
        script.Append("click IDC_LOGIN_CLOSE\n");
        const LoginOutcome out = RunLogin(std::move(script), 1, 0);
        EXPECT_EQ(out.failures, "") << out.transcript;
        EXPECT_EQ(selStart, 0);
        EXPECT_EQ(selEnd, static_cast<int>(text.size()));
        EXPECT_EQ(out.result, 2);
        EXPECT_EQ(out.verified, 0u);
        EXPECT_EQ(out.switchOff, 1u) << "a failed login leaves the caller's options alone";
        EXPECT_EQ(out.loginOnly, 0u);
    }
}

TEST_F(LoginDlgTest, KeysAndCloseEndAtOnceAndTheFieldDecidesTheVerifiedFlag) {
    struct Case {
        const char* typed;
        const char* finish;
        int result;
        win::DWORD verified;
    };
    const Case cases[] = {
        {"wrong", "enter", 1, 0},    // start-up shows the dialog again, without a message
        {"Secret", "escape", 2, 1},  //
        {"Secret", "click IDC_LOGIN_CLOSE", 2, 1},  // the caller goes by the result first
        {"wrong", "click IDC_LOGIN_CLOSE", 2, 0},
        {"Secret", "close", 2, 1},
        {"", "close", 2, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.typed) + " / " + c.finish);
        const LoginOutcome out =
            RunLogin("click IDC_LOGIN_ONLY\n" + Typed(c.typed) + c.finish + "\n", 1, 0);
        EXPECT_EQ(out.failures, "") << out.transcript;
        EXPECT_EQ(out.result, c.result);
        EXPECT_EQ(out.verified, c.verified);
        EXPECT_EQ(out.loginOnly, c.verified) << "options are taken only with the password";
        EXPECT_THAT(out.transcript, Not(HasSubstr("Message")));
    }
}

TEST_F(LoginDlgTest, TheTypedPasswordNeverReachesTheTranscript) {
    const LoginOutcome out =
        RunLogin(Typed("Secrex") + "click IDC_LOGIN_OK\nanswer ok\n" + Typed("Secret") +
                 "expect text IDC_LOGIN_PASSWORD \"Secret\"\n"
                 "click IDC_LOGIN_OK\n");
    EXPECT_EQ(out.failures, "") << out.transcript;
    EXPECT_EQ(out.verified, 1u);
    EXPECT_THAT(out.transcript, Not(HasSubstr("Secre")));
    EXPECT_THAT(out.transcript, HasSubstr("********"));
}

TEST_F(LoginDlgTest, ARescueDiskOpensWhateverTheFieldHolds) {
    WriteRescueValue(kCode);
    for (const char* typed : {"", "wrong"}) {
        SCOPED_TRACE(typed);
        InsertDisk(DiskFor(kCode));
        const LoginOutcome out = RunLogin("click IDC_LOGIN_ONLY\n" + Typed(typed) +
                                          "click IDC_LOGIN_RESCUE_DISK\nanswer ok\n");
        EXPECT_EQ(out.failures, "") << out.transcript;
        EXPECT_THAT(out.transcript,
                    HasSubstr("\"Please insert your rescue disk in drive A.\\r\\nPress OK button "
                              "when ready...\" \"Information\" okcancel"));
        EXPECT_EQ(out.result, 1);
        EXPECT_EQ(out.verified, 1u) << "the check at the end keeps an accepted disk";
        EXPECT_EQ(out.switchOff, 0u);
        EXPECT_EQ(out.loginOnly, 1u);
    }
}

TEST_F(LoginDlgTest, ARescueDiskLongerThanTwentyBytesIsTakenOnItsFirstTwenty) {
    WriteRescueValue(kCode);
    InsertDisk(DiskFor(kCode) + "trailing bytes");
    const LoginOutcome out = RunLogin("click IDC_LOGIN_RESCUE_DISK\nanswer ok\n");
    EXPECT_EQ(out.failures, "") << out.transcript;
    EXPECT_EQ(out.result, 1);
    EXPECT_EQ(out.verified, 1u);
}

TEST_F(LoginDlgTest, ARefusedRescueDiskIsReportedAndTheDialogStaysOpen) {
    struct Case {
        const char* what;
        bool codeStored;
        bool diskInserted;
        std::string disk;
        const char* message;
    };
    std::string wrong = DiskFor(kCode);
    wrong[19] = static_cast<char>(wrong[19] ^ 1);
    Rescue seedAsDisk = kCode;  // the code itself is no disk
    const Case cases[] = {
        {"wrong content", true, true, wrong, "Invalid password !"},
        {"the code copied", true, true, std::string(seedAsDisk.begin(), seedAsDisk.end()),
         "Invalid password !"},
        {"nineteen bytes", true, true, DiskFor(kCode).substr(0, 19), "Error reading rescue disk !"},
        {"an empty file", true, true, "", "Error reading rescue disk !"},
        {"no file on the disk", true, true, "-", "Error reading rescue disk !"},
        {"no disk", true, false, "", "Error reading rescue disk !"},
        {"no Rescue value", false, true, DiskFor(kCode), "Halvern not installed properly !"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        AccessFixture pc;
        pc.SetLogonPassword("Secret");
        if (c.codeStored) {
            pc.WriteRescueValue(kCode);
        }
        if (c.diskInserted && c.disk == "-") {
            pc.InsertBlankDisk();
        } else if (c.diskInserted) {
            pc.InsertDisk(c.disk);
        }
        const LoginOutcome out = pc.RunLogin(
            Typed("wrong") + "click IDC_LOGIN_RESCUE_DISK\nanswer ok\nanswer ok\n" +
            "expect message \"" + c.message + "\" \"Error\"\nexpect focused IDC_LOGIN_PASSWORD\n" +
            "click IDC_LOGIN_CLOSE\n");
        EXPECT_EQ(out.failures, "") << out.transcript;
        EXPECT_EQ(out.result, 2);
        EXPECT_EQ(out.verified, 0u);
    }
}

TEST_F(LoginDlgTest, ADiskThatCannotBeReadIsReported) {
    WriteRescueValue(kCode);
    InsertDisk(DiskFor(kCode));
    winsim::FaultInjectingSystem faults(Pc().System());
    win::ScopedSystem installed(faults);
    faults.FailOpen("RESCUE.BIN", win::ERROR_READ_FAULT);
    const LoginOutcome out = RunLogin(
        "click IDC_LOGIN_RESCUE_DISK\nanswer ok\nanswer ok\n"
        "expect message \"Error reading rescue disk !\" \"Error\"\n"
        "click IDC_LOGIN_CLOSE\n");
    EXPECT_EQ(out.failures, "") << out.transcript;
    EXPECT_EQ(out.verified, 0u);
    EXPECT_EQ(faults.FaultsInjected(), 1);
}

TEST_F(LoginDlgTest, CancellingTheDiskPromptReadsNoDisk) {
    WriteRescueValue(kCode);
    InsertDisk(DiskFor(kCode));
    const LoginOutcome out =
        RunLogin(Typed("wrong") +
                 "click IDC_LOGIN_RESCUE_DISK\nanswer cancel\nexpect focused IDC_LOGIN_PASSWORD\n"
                 "click IDC_LOGIN_CLOSE\n");
    EXPECT_EQ(out.failures, "") << out.transcript;
    EXPECT_EQ(out.result, 2);
    EXPECT_EQ(out.verified, 0u);
    EXPECT_THAT(out.transcript, Not(HasSubstr("\"Error\"")));
}

// Start-up runs one dialog object again while the result is 1 and the flag is 0: a disk
// accepted in one run must not carry over into the next.
TEST_F(LoginDlgTest, EachRunStartsWithoutAnAcceptedDisk) {
    WriteRescueValue(kCode);
    InsertDisk(DiskFor(kCode));
    win::DWORD verified = 0, switchOff = 1, loginOnly = 0;
    CLoginDlg login(Header(), verified, switchOff, loginOnly);
    {
        ui::test::ScriptRun run("click IDC_LOGIN_RESCUE_DISK\nanswer ok\n");
        EXPECT_EQ(login.DoModal(), 1);
        EXPECT_EQ(run.Failures(), "");
        EXPECT_EQ(verified, 1u);
    }
    {
        ui::test::ScriptRun run(Typed("wrong") + "enter\n");
        EXPECT_EQ(login.DoModal(), 1);
        EXPECT_EQ(run.Failures(), "");
        EXPECT_EQ(verified, 0u);
    }
}

// One sitting at the login, the machine changing between the tries: every message with its
// caption, in order, in one transcript.
TEST_F(LoginDlgTest, OneRunShowsEveryMessageWithItsCaption) {
    ui::headless::Script script =
        ui::test::ParseScript(Typed("wrong") +
                              "click IDC_LOGIN_OK\nanswer ok\n"
                              "click IDC_LOGIN_RESCUE_DISK\nanswer ok\nanswer ok\n");  // no disk
    script.Call([&](ui::Dialog&) { InsertDisk(DiskFor(kCode)); });
    script.Append("click IDC_LOGIN_RESCUE_DISK\nanswer ok\nanswer ok\n");  // no Rescue value
    script.Call([&](ui::Dialog&) {
        Rescue other = kCode;
        other[0] = 0;
        WriteRescueValue(other);
    });
    script.Append("click IDC_LOGIN_RESCUE_DISK\nanswer ok\nanswer ok\n");  // another code
    script.Call([&](ui::Dialog&) { WriteRescueValue(kCode); });
    script.Append("click IDC_LOGIN_RESCUE_DISK\nanswer ok\n");
    const LoginOutcome out = RunLogin(std::move(script));
    EXPECT_EQ(out.failures, "") << out.transcript;
    EXPECT_EQ(out.result, 1);
    EXPECT_EQ(out.verified, 1u);
    const char* const expected[] = {
        "\"Invalid password !\" \"Error\" ok",
        "\"Please insert your rescue disk in drive A.\\r\\nPress OK button when ready...\" "
        "\"Information\" okcancel",
        "\"Error reading rescue disk !\" \"Error\" ok",
        "\"Halvern not installed properly !\" \"Error\" ok",
        "\"Invalid password !\" \"Error\" ok",
    };
    std::size_t at = 0;
    for (const char* message : expected) {
        const std::size_t found = out.transcript.find(message, at);
        ASSERT_NE(found, std::string::npos) << message << "\n" << out.transcript;
        at = found + 1;
    }
}

TEST(LoginRescueKeyTest, TheRescueValueIsReadFromTheKeyOfTheFamily) {
    struct Case {
        winsim::Family family;
        const char* key;
        bool accepted;
    };
    const Case cases[] = {{winsim::Family::Nt, halvern::kServiceKey, true},
                          {winsim::Family::Nt, halvern::kVxdKey, false},
                          {winsim::Family::Win9x, halvern::kVxdKey, true},
                          {winsim::Family::Win9x, halvern::kServiceKey, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(winsim::FamilyName(c.family)) + " " + c.key);
        AccessFixture pc(c.family);
        pc.SetLogonPassword("Secret");
        ASSERT_TRUE(halvern::CRegistryStore().WriteBinaryValue(
            win::HKEY_LOCAL_MACHINE, c.key, halvern::reg::kRescue, kCode.data(), 20));
        pc.InsertDisk(AccessFixture::DiskFor(kCode));
        const LoginOutcome out = pc.RunLogin(
            c.accepted ? "click IDC_LOGIN_RESCUE_DISK\nanswer ok\n"
                       : "click IDC_LOGIN_RESCUE_DISK\nanswer ok\nanswer ok\nexpect message "
                         "\"Halvern not installed properly !\"\nclick IDC_LOGIN_CLOSE\n");
        EXPECT_EQ(out.failures, "") << out.transcript;
        EXPECT_EQ(out.verified, c.accepted ? 1u : 0u);
    }
}

// The Windows 9x settings take sixteen characters; the login must let them be typed.
TEST(LoginSixteenCharactersTest, ASixteenCharacterPasswordCanBeTyped) {
    AccessFixture pc(winsim::Family::Win9x);
    pc.SetLogonPassword("1234567890abcdef");
    EXPECT_EQ(pc.RunLogin(Typed("1234567890abcdef") + "click IDC_LOGIN_OK\n").verified, 1u);
    const LoginOutcome cut = pc.RunLogin(Typed("1234567890abcde") +
                                         "click IDC_LOGIN_OK\nanswer ok\nclick IDC_LOGIN_CLOSE\n");
    EXPECT_EQ(cut.failures, "") << cut.transcript;
    EXPECT_EQ(cut.verified, 0u);
}

}  // namespace
}  // namespace halvgate::test
