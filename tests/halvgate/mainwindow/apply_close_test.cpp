// Apply, Reload and Close with each answer: what reaches the item file and the driver.
#include <gtest/gtest.h>

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

}  // namespace
}  // namespace halvgate_test
