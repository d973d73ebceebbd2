// The About box and its web button, the file and folder browsers, and a machine whose version
// query fails.
#include <gtest/gtest.h>

#include <string>

#include "common/registry_store.h"
#include "platform/sim/fault_injecting_system.h"
#include "platform/system.h"
#include "platform/win32_api.h"
#include "platform/win32_types.h"
#include "tests/halvgate/mainwindow/main_window_fixture.h"

namespace halvgate_test {
namespace {

using AboutBrowseTest = MainWindowTest;

void SetBrowserCommand(const std::string& command) {
    halvern::CRegistryStore().WriteStringValue(win::HKEY_CLASSES_ROOT, "http\\shell\\open\\command",
                                               "", command.c_str(),
                                               static_cast<win::DWORD>(command.size() + 1));
}

TEST_F(AboutBrowseTest, TheAboutButtonAndTheSystemMenuItemOpenTheAboutBox) {
    const auto transcript = Run(R"(
click IDC_ABOUT
expect dialog 100
expect text IDC_WEB_ADDRESS "http://www.halvern.example/"
click IDOK
expect dialog 102
sysmenu 16
expect dialog 100
enter
expect dialog 102
click IDC_CLOSE
)");
    EXPECT_FALSE(transcript.HasFailures()) << transcript.ToText();
}

TEST_F(AboutBrowseTest, GoReportsABrowserThatCannotBeStarted) {
    SetBrowserCommand("C:\\NOWHERE\\browser.exe");
    const auto transcript = Run(R"(
click IDC_ABOUT
click IDC_GO
answer ok
expect message "Sorry, error executing WEB browser program..." Error
expect dialog 100
click IDOK
click IDC_CLOSE
)");
    EXPECT_FALSE(transcript.HasFailures()) << transcript.ToText();
}

TEST_F(AboutBrowseTest, GoStartsTheRegisteredBrowserWithTheAddress) {
    // The machine's browser command, as the setup registers it.
    const auto transcript = Run(R"(
click IDC_ABOUT
click IDC_GO
expect dialog 100
click IDOK
click IDC_CLOSE
)");
    EXPECT_FALSE(transcript.HasFailures()) << transcript.ToText();
    EXPECT_EQ(transcript.ToText().find("Sorry, error executing"), std::string::npos)
        << transcript.ToText();
}

TEST_F(AboutBrowseTest, GoWithoutARegisteredBrowserDoesNothing) {
    win::HKEY key = nullptr;
    ASSERT_EQ(win::RegOpenKeyA(win::HKEY_CLASSES_ROOT, "http\\shell\\open\\command", &key), 0);
    win::RegDeleteValueA(key, "");
    win::RegCloseKey(key);
    const auto transcript = Run(R"(
click IDC_ABOUT
click IDC_GO
expect dialog 100
click IDOK
click IDC_CLOSE
)");
    EXPECT_FALSE(transcript.HasFailures()) << transcript.ToText();
}

TEST_F(AboutBrowseTest, TheBrowsersPutTheChosenPathIntoThePathField) {
    const auto transcript = Run(R"(
click IDC_BROWSE_FILE
answer-file "C:\\WINDOWS\\NOTEPAD.EXE"
expect text IDC_PATH "C:\\WINDOWS\\NOTEPAD.EXE"
expect enabled IDC_ADD_ITEM
click IDC_BROWSE_FILE
answer-file cancel
expect text IDC_PATH "C:\\WINDOWS\\NOTEPAD.EXE"
click IDC_BROWSE_DIR
answer-folder "C:\\WINDOWS"
expect text IDC_PATH "C:\\WINDOWS"
click IDC_BROWSE_DIR
answer-folder cancel
expect text IDC_PATH "C:\\WINDOWS"
click IDC_CLOSE
)");
    EXPECT_FALSE(transcript.HasFailures()) << transcript.ToText();
    const std::string text = transcript.ToText();
    EXPECT_NE(text.find("\"Executable Files (*.exe;*.com;*.dll;*.vxd;*.386;*.drv;*.ocx;*.vbx;"
                        "*.ovr)|*.exe;*.com;*.dll;*.vxd;*.386;*.drv;*.ocx;*.vbx;*.ovr|Document "
                        "Files (*.doc;*.txt)|*.doc;*.txt|Image Files (*.jpg;*.gif;*.bmp)|*.jpg;"
                        "*.gif;*.bmp|All Files (*.*)|*.*||\" \"Select file\""),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("\"Choose a folder / directory\""), std::string::npos) << text;
}

// A platform whose version query fails: the family is then 0.
class NoVersionSystem : public winsim::FaultInjectingSystem {
  public:
    using FaultInjectingSystem::FaultInjectingSystem;
    win::BOOL GetVersionExA(win::OSVERSIONINFOA*) override { return win::FALSE; }
};

TEST_F(AboutBrowseTest, AFailedVersionQueryFollowsTheNtPath) {
    NoVersionSystem system(pc_.System());
    const win::ScopedSystem installed(system);
    const auto transcript = Run(R"(
expect hidden IDC_RIGHT_RECURSIVE
expect visible IDC_ACTION_PROMPT
expect visible IDC_SAFE_PROGRAMS
type IDC_PATH "C:\\DATA\\*"
click IDC_ADD_ITEM
expect cell IDC_ITEM_LIST 0 12 Yes
click IDC_APPLY
answer ok
click IDC_CLOSE
)");
    EXPECT_FALSE(transcript.HasFailures()) << transcript.ToText();
    EXPECT_EQ(ReadItemFile(), (std::vector<FileItem>{{"C:\\DATA\\*", 1, kNothingRestricted}}));
    EXPECT_EQ(CodeNames().front(), "QUERY_INSTANCE");
}

}  // namespace
}  // namespace halvgate_test
