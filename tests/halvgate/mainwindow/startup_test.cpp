// Start-up on NT: the instance check, switching protection off while the window is open,
// loading the configuration, the login and what it leaves in the registry and the driver.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/registry_keys.h"
#include "common/registry_store.h"
#include "platform/win32_types.h"
#include "tests/halvgate/mainwindow/main_window_fixture.h"

namespace halvgate_test {
namespace {

using StartUpTest = MainWindowTest;
using Codes = std::vector<std::string>;

// The main window ended during its initialisation: it closed right after it was created,
// before the user could do anything in it.
bool ClosedBeforeUse(const ui::headless::Transcript& transcript) {
    const std::string text = transcript.ToText();
    const std::size_t open = text.find("open 102 ");
    if (open == std::string::npos) {
        return true;
    }
    const std::size_t next = text.find('\n', open);
    return next != std::string::npos && text.compare(next + 1, 10, "close 102 ") == 0;
}

// What start-up sends when no logon password is set: the instance query, protection off around
// the load, on again, and off for the time the window is open.
const Codes kOpenWithoutLogin = {"QUERY_INSTANCE", "PROTECTION_OFF", "RELOAD_CONFIG",
                                 "PROTECTION_ON", "PROTECTION_OFF"};

TEST_F(StartUpTest, WithoutALogonPasswordProtectionIsOffWhileTheWindowIsOpen) {
    WriteItemFile({{"C:\\DATA\\*", 1, kNoAccessPrompt}});
    auto script = Steps("expect dialog 102\nexpect rows IDC_ITEM_LIST 1");
    Codes whileOpen;
    bool protectionOnWhileOpen = true;
    script.Call([&](ui::Dialog& dialog) {
        whileOpen = CodeNames();
        protectionOnWhileOpen = Driver().protectionOn;
        const auto& menu = dialog.SystemMenuItems();
        ASSERT_FALSE(menu.empty());
        EXPECT_EQ(menu.back(), (std::pair<unsigned, std::string>{16u, "&About Halvern..."}));
        EXPECT_EQ(dialog.GetIcon(), 128);
        EXPECT_FALSE(Window(dialog).ChangesPending());
    });
    script.Append("click IDC_CLOSE");
    const auto transcript = Run(script);
    EXPECT_FALSE(transcript.HasFailures()) << transcript.ToText();
    EXPECT_EQ(whileOpen, kOpenWithoutLogin);
    EXPECT_FALSE(protectionOnWhileOpen);
    // Close switches protection back on, and so does the window's destruction.
    Codes expected = kOpenWithoutLogin;
    expected.insert(expected.end(), {"PROTECTION_ON", "PROTECTION_ON"});
    EXPECT_EQ(CodeNames(), expected);
    EXPECT_TRUE(Driver().protectionOn);
    EXPECT_FALSE(RegistryDword(halvern::reg::kLoginOnly).has_value());
    EXPECT_FALSE(RegistryDword(halvern::reg::kDisableEnable).has_value());
}

TEST_F(StartUpTest, AnotherInstanceIsRefusedAndProtectionLeftAsItIs) {
    driver_->anotherInstance = true;
    const auto transcript = Run("answer ok");
    EXPECT_FALSE(transcript.HasFailures()) << transcript.ToText();
    EXPECT_NE(transcript.ToText().find(
                  "message \"There's another instance of Halvern 2001...\\r\\nIf there's not, you "
                  "may need to restart your computer first, then please try again\" \"Error\" ok"),
              std::string::npos)
        << transcript.ToText();
    EXPECT_TRUE(ClosedBeforeUse(transcript)) << transcript.ToText();
    EXPECT_EQ(CodeNames(), Codes{"QUERY_INSTANCE"});
}

TEST_F(StartUpTest, WithoutADriverTheWindowOpensAndApplyStillWritesTheFile) {
    pc_.EditSettings([](winsim::MachineSettings& settings) { settings.devices.clear(); });
    const auto transcript = Run(R"(
expect dialog 102
type IDC_PATH "C:\\DATA\\*"
click IDC_PRESET_NO_ACCESS
click IDC_ADD_ITEM
click IDC_APPLY
answer ok
expect message "Changes had been applied successfully" "Success!"
click IDC_CLOSE
)");
    EXPECT_FALSE(transcript.HasFailures()) << transcript.ToText();
    EXPECT_EQ(ReadItemFile(), (std::vector<FileItem>{{"C:\\DATA\\*", 1, kNoAccessDisable}}));
}

TEST_F(StartUpTest, ALogonPasswordIsAskedWithProtectionOnAndStatusActiveSentFirst) {
    WriteItemFile({}, "secret");
    auto script = Steps(R"(
expect dialog 142
expect checked IDC_LOGIN_DISABLE_PROTECTION
expect unchecked IDC_LOGIN_ONLY
)");
    Codes beforeLogin;
    bool protectionOnAtLogin = false;
    script.Call([&](ui::Dialog&) {
        beforeLogin = CodeNames();
        protectionOnAtLogin = Driver().protectionOn;
    });
    script.Append(R"(
type IDC_LOGIN_PASSWORD secret
click IDC_LOGIN_OK
expect dialog 102
)");
    Codes afterLogin;
    script.Call([&](ui::Dialog&) { afterLogin = CodeNames(); });
    script.Append("click IDC_CLOSE");
    const auto transcript = Run(script);
    EXPECT_FALSE(transcript.HasFailures()) << transcript.ToText();
    EXPECT_EQ(beforeLogin, (Codes{"QUERY_INSTANCE", "PROTECTION_OFF", "RELOAD_CONFIG",
                                  "PROTECTION_ON", "STATUS_ACTIVE", "PROTECTION_ON"}));
    EXPECT_TRUE(protectionOnAtLogin);
    ASSERT_FALSE(afterLogin.empty());
    EXPECT_EQ(afterLogin.back(), "PROTECTION_OFF");
    EXPECT_EQ(RegistryDword(halvern::reg::kDisableEnable), 1u);
    EXPECT_EQ(RegistryDword(halvern::reg::kLoginOnly), 0u);
    EXPECT_TRUE(Driver().protectionOn);
}

TEST_F(StartUpTest, AnInactiveStatusWordSendsNoStatusActive) {
    WriteItemFile({}, "secret", 0);
    auto script = Steps("expect dialog 142");
    Codes beforeLogin;
    script.Call([&](ui::Dialog&) { beforeLogin = CodeNames(); });
    script.Append("click IDC_LOGIN_CLOSE");
    const auto transcript = Run(script);
    EXPECT_FALSE(transcript.HasFailures()) << transcript.ToText();
    EXPECT_EQ(beforeLogin, (Codes{"QUERY_INSTANCE", "PROTECTION_OFF", "RELOAD_CONFIG",
                                  "PROTECTION_ON", "PROTECTION_ON"}));
}

TEST_F(StartUpTest, LoginOnlyEndsTheProgramRightAfterTheLogin) {
    WriteItemFile({{"C:\\DATA\\*", 1, kNoAccessPrompt}}, "secret");
    const auto transcript = Run(R"(
click IDC_LOGIN_ONLY
type IDC_LOGIN_PASSWORD secret
click IDC_LOGIN_OK
)");
    EXPECT_FALSE(transcript.HasFailures()) << transcript.ToText();
    EXPECT_TRUE(ClosedBeforeUse(transcript)) << transcript.ToText();
    const Codes codes = CodeNames();
    ASSERT_GE(codes.size(), 2u);
    EXPECT_EQ(Codes(codes.end() - 2, codes.end()), (Codes{"LOGIN_ONLY", "PROTECTION_ON"}));
    EXPECT_EQ(RegistryDword(halvern::reg::kLoginOnly), 1u);
    EXPECT_EQ(RegistryDword(halvern::reg::kDisableEnable), 0u);
    const auto driver = Driver();
    EXPECT_TRUE(driver.loginOnly);
    EXPECT_TRUE(driver.protectionOn);
}

TEST_F(StartUpTest, TheStoredChoicesOpenTheLoginAsTheyWereLeft) {
    const win::DWORD one = 1;
    halvern::CRegistryStore().WriteBinaryValue(win::HKEY_LOCAL_MACHINE, halvern::kServiceKey,
                                               halvern::reg::kLoginOnly, &one, 4);
    WriteItemFile({}, "secret");
    const auto transcript = Run(R"(
expect unchecked IDC_LOGIN_DISABLE_PROTECTION
expect checked IDC_LOGIN_ONLY
click IDC_LOGIN_CLOSE
)");
    EXPECT_FALSE(transcript.HasFailures()) << transcript.ToText();
}

TEST_F(StartUpTest, TheRightPasswordThenCloseAppliesTheChoiceAndClosesThroughClose) {
    WriteItemFile({}, "secret");
    const auto transcript = Run(R"(
type IDC_LOGIN_PASSWORD secret
click IDC_LOGIN_CLOSE
)");
    EXPECT_FALSE(transcript.HasFailures()) << transcript.ToText();
    EXPECT_TRUE(ClosedBeforeUse(transcript)) << transcript.ToText();
    const Codes codes = CodeNames();
    ASSERT_GE(codes.size(), 3u);
    // Off as chosen, on again by the Close command, and on by the destruction.
    EXPECT_EQ(Codes(codes.end() - 3, codes.end()),
              (Codes{"PROTECTION_OFF", "PROTECTION_ON", "PROTECTION_ON"}));
    EXPECT_EQ(RegistryDword(halvern::reg::kDisableEnable), 1u);
    EXPECT_EQ(RegistryDword(halvern::reg::kLoginOnly), 0u);
    EXPECT_TRUE(Driver().protectionOn);
}

TEST_F(StartUpTest, AWrongPasswordThenCloseWritesNothingAndLeavesProtectionOn) {
    WriteItemFile({}, "secret");
    const auto transcript = Run(R"(
type IDC_LOGIN_PASSWORD Secret
click IDC_LOGIN_OK
answer ok
expect message "Invalid password !" Error
click IDC_LOGIN_CLOSE
)");
    EXPECT_FALSE(transcript.HasFailures()) << transcript.ToText();
    EXPECT_TRUE(ClosedBeforeUse(transcript)) << transcript.ToText();
    const Codes codes = CodeNames();
    EXPECT_EQ(std::count(codes.begin(), codes.end(), "PROTECTION_OFF"), 1)
        << "only around the load";
    EXPECT_FALSE(RegistryDword(halvern::reg::kDisableEnable).has_value());
    EXPECT_FALSE(RegistryDword(halvern::reg::kLoginOnly).has_value());
    EXPECT_TRUE(Driver().protectionOn);
}

TEST_F(StartUpTest, EnterWithAWrongPasswordShowsTheLoginAgain) {
    WriteItemFile({}, "secret");
    const auto transcript = Run(R"(
type IDC_LOGIN_PASSWORD wrong
enter
expect dialog 142
type IDC_LOGIN_PASSWORD secret
enter
expect dialog 102
click IDC_CLOSE
)");
    EXPECT_FALSE(transcript.HasFailures()) << transcript.ToText();
    EXPECT_EQ(transcript.ToText().find("Invalid password"), std::string::npos);
}

}  // namespace
}  // namespace halvgate_test
