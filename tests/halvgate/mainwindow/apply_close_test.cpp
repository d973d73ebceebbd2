// Apply, Reload and Close with each answer: what reaches the item file and the driver.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "common/config_header.h"
#include "tests/halvgate/mainwindow/main_window_fixture.h"

namespace halvgate_test {
namespace {

using ApplyCloseTest = MainWindowTest;

constexpr const char* kAddNoAccessPrompt = R"(
expect dialog 102
type IDC_PATH "C:\\DATA\\*"
click IDC_PRESET_NO_ACCESS
click IDC_ACTION_PROMPT
click IDC_ADD_ITEM
expect cell IDC_ITEM_LIST 0 0 "C:\\DATA\\*"
expect cell IDC_ITEM_LIST 0 1 Active
expect cell IDC_ITEM_LIST 0 2 Prompt
expect enabled IDC_APPLY
)";

TEST_F(ApplyCloseTest, ApplyWritesTheItemAndTheDriverEnforcesIt) {
    auto script = Steps(kAddNoAccessPrompt);
    script.Append(R"(
click IDC_APPLY
answer ok
expect message "Changes had been applied successfully" "Success!"
expect disabled IDC_APPLY
expect disabled IDC_RELOAD
click IDC_CLOSE
)");
    const auto transcript = Run(script);
    EXPECT_FALSE(transcript.HasFailures()) << transcript.ToText();
    EXPECT_EQ(ReadItemFile(), (std::vector<FileItem>{{"C:\\DATA\\*", 1, kNoAccessPrompt}}));
    const auto driver = Driver();
    ASSERT_EQ(driver.items.size(), 1u);
    EXPECT_EQ(driver.items[0], (simnt::NtItem{"C:\\DATA\\*", 1, kNoAccessPrompt}));
    EXPECT_TRUE(driver.protectionOn);
}

TEST_F(ApplyCloseTest, CloseAnsweredNoWritesNothingAndSwitchesProtectionBackOn) {
    const auto transcript = Run(std::string(kAddNoAccessPrompt) + R"(
click IDC_CLOSE
answer no
)");
    EXPECT_FALSE(transcript.HasFailures()) << transcript.ToText();
    EXPECT_TRUE(ShowsMessage(
        transcript, "Changes had been made. Save and apply changes before leaving ?", "Warning"));
    EXPECT_FALSE(pc_.Exists(kItemFile));
    const auto codes = CodeNames();
    ASSERT_GE(codes.size(), 2u);
    EXPECT_EQ(std::vector<std::string>(codes.end() - 2, codes.end()),
              (std::vector<std::string>{"PROTECTION_ON", "PROTECTION_ON"}));
    EXPECT_TRUE(Driver().protectionOn);
    EXPECT_TRUE(Driver().items.empty());
}

TEST_F(ApplyCloseTest, CloseAnsweredYesAppliesFirst) {
    const auto transcript = Run(std::string(kAddNoAccessPrompt) + R"(
close
answer yes
answer ok
)");
    EXPECT_FALSE(transcript.HasFailures()) << transcript.ToText();
    EXPECT_TRUE(ShowsMessage(transcript, "Changes had been applied successfully", "Success!"));
    EXPECT_EQ(ReadItemFile(), (std::vector<FileItem>{{"C:\\DATA\\*", 1, kNoAccessPrompt}}));
    EXPECT_EQ(Driver().items.size(), 1u);
}

TEST_F(ApplyCloseTest, CloseAnsweredCancelStaysAndEscapeEndsWithoutAsking) {
    const auto transcript = Run(std::string(kAddNoAccessPrompt) + R"(
click IDC_CLOSE
answer cancel
expect dialog 102
expect rows IDC_ITEM_LIST 1
)");
    EXPECT_TRUE(transcript.HasFailures()) << "the script ends with the window still open";
    ForgetCodes();
    const auto escaped = Run(std::string(kAddNoAccessPrompt) + "escape\n");
    EXPECT_FALSE(escaped.HasFailures()) << escaped.ToText();
    EXPECT_EQ(escaped.ToText().find("Changes had been made"), std::string::npos);
    EXPECT_FALSE(pc_.Exists(kItemFile));
    // Only the destruction switches protection back on.
    const auto codes = CodeNames();
    ASSERT_FALSE(codes.empty());
    EXPECT_EQ(codes.back(), "PROTECTION_ON");
    EXPECT_EQ(std::count(codes.begin(), codes.end(), "PROTECTION_ON"), 2) << "load and destroy";
}

TEST_F(ApplyCloseTest, AFailedApplyKeepsTheChangesAndTheOldFile) {
    // A folder where the item file belongs: it can be neither read nor replaced.
    std::filesystem::create_directories(pc_.HostPath(kItemFile));
    const auto transcript = Run(std::string(kAddNoAccessPrompt) + R"(
click IDC_APPLY
answer ok
expect message "Error detected when trying to apply" Error
expect enabled IDC_APPLY
expect enabled IDC_RELOAD
click IDC_CLOSE
answer yes
answer ok
expect message "Error detected when trying to apply" Error
expect dialog 102
expect rows IDC_ITEM_LIST 1
click IDC_CLOSE
answer no
)");
    EXPECT_FALSE(transcript.HasFailures()) << transcript.ToText();
    EXPECT_TRUE(std::filesystem::is_directory(pc_.HostPath(kItemFile)));
}

TEST_F(ApplyCloseTest, ReloadDiscardsEditsAndReadsTheFilesAgain) {
    WriteItemFile({{"C:\\KEEP", 1, kNothingRestricted}});
    const auto transcript = Run(std::string(R"(
type IDC_PATH "C:\\NEW"
click IDC_ADD_ITEM
select IDC_ITEM_LIST 0
click IDC_DEACTIVATE
expect rows IDC_ITEM_LIST 2
click IDC_RELOAD
expect rows IDC_ITEM_LIST 1
expect cell IDC_ITEM_LIST 0 0 "C:\\KEEP"
expect cell IDC_ITEM_LIST 0 1 Active
expect disabled IDC_APPLY
expect disabled IDC_RELOAD
click IDC_CLOSE
)"));
    EXPECT_FALSE(transcript.HasFailures()) << transcript.ToText();
    EXPECT_EQ(ReadItemFile(), (std::vector<FileItem>{{"C:\\KEEP", 1, kNothingRestricted}}));
}

TEST_F(ApplyCloseTest, ADamagedItemFileOpensWithDefaultsAndTheWholeRecords) {
    // A header whose checksum is off, three whole records and a torn fourth.
    std::string bytes = ItemFileBytes({{"C:\\ONE", 1, kNothingRestricted},
                                       {"C:\\TWO", 0, kNoAccessPrompt},
                                       {"C:\\THREE", 2, kNothingRestricted}});
    bytes[98] = static_cast<char>(bytes[98] + 1);
    bytes += std::string(100, 'Z');
    pc_.WriteFile(kItemFile, bytes);
    auto script = Steps(R"(
expect rows IDC_ITEM_LIST 3
expect cell IDC_ITEM_LIST 1 2 Prompt
expect cell IDC_ITEM_LIST 2 1 ""
)");
    script.Call([](ui::Dialog& dialog) {
        halvern::ConfigHeader defaults;
        defaults.SetDefaults();
        EXPECT_EQ(Window(dialog).Header(), defaults);
    });
    script.Append(R"(
column IDC_ITEM_LIST 0
column IDC_ITEM_LIST 0
click IDC_APPLY
answer ok
click IDC_CLOSE
)");
    const auto transcript = Run(script);
    EXPECT_FALSE(transcript.HasFailures()) << transcript.ToText();
    // The status code 2 was shown as an empty cell and is stored as inactive.
    EXPECT_EQ(ReadItemFile(), (std::vector<FileItem>{{"C:\\ONE", 1, kNothingRestricted},
                                                     {"C:\\THREE", 0, kNothingRestricted},
                                                     {"C:\\TWO", 0, kNoAccessPrompt}}));
}

TEST_F(ApplyCloseTest, ShortItemFilesOpenEmptyWithTheDefaultHeader) {
    // The header says protection is inactive, which the defaults do not.
    const std::string whole = ItemFileBytes({{"C:\\ONE", 1, kNoAccessPrompt}}, nullptr, 0);
    for (std::size_t size :
         {std::size_t{0}, std::size_t{50}, std::size_t{102}, std::size_t{300}, whole.size() - 1}) {
        SCOPED_TRACE(size);
        std::string bytes = whole.substr(0, size);
        pc_.WriteFile(kItemFile, bytes);
        auto script = Steps("expect rows IDC_ITEM_LIST 0\nexpect disabled IDC_DELETE_ALL");
        script.Call([size](ui::Dialog& dialog) {
            // A torn header gives the defaults; a whole one is taken as it is.
            EXPECT_EQ(Window(dialog).Header().ProtectionStatus(), size >= 102 ? 0 : 1);
        });
        script.Append("click IDC_CLOSE");
        const auto transcript = Run(script);
        EXPECT_FALSE(transcript.HasFailures()) << transcript.ToText();
        EXPECT_EQ(pc_.ReadFile(kItemFile), bytes) << "opening writes nothing";
    }
}

}  // namespace
}  // namespace halvgate_test
