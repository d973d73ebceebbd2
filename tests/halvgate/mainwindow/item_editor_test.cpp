// The rights check boxes, the presets and the path field, driven as a user clicks them.
#include <gtest/gtest.h>

#include "tests/halvgate/mainwindow/main_window_fixture.h"

namespace halvgate_test {
namespace {

using ItemEditorTest = MainWindowTest;

TEST_F(ItemEditorTest, StartsWithDisableAndAddDisabledUntilAPathIsTyped) {
    const auto transcript = Run(R"(
expect checked IDC_ACTION_DISABLE
expect unchecked IDC_ACTION_PROMPT
expect disabled IDC_ADD_ITEM
expect disabled IDC_APPLY
expect disabled IDC_RELOAD
type IDC_PATH "C:\\X"
expect enabled IDC_ADD_ITEM
type IDC_PATH ""
expect disabled IDC_ADD_ITEM
click IDC_CLOSE
)");
    EXPECT_FALSE(transcript.HasFailures()) << transcript.ToText();
}

TEST_F(ItemEditorTest, WriteModifyAndAppendMoveTogether) {
    const auto transcript = Run(R"(
click IDC_RIGHT_WRITE_MODIFY
expect checked IDC_RIGHT_WRITE_MODIFY
expect checked IDC_RIGHT_WRITE_APPEND
click IDC_RIGHT_WRITE_MODIFY
expect unchecked IDC_RIGHT_WRITE_MODIFY
expect unchecked IDC_RIGHT_WRITE_APPEND
click IDC_RIGHT_WRITE_APPEND
expect checked IDC_RIGHT_WRITE_MODIFY
expect checked IDC_RIGHT_WRITE_APPEND
click IDC_RIGHT_WRITE_APPEND
expect unchecked IDC_RIGHT_WRITE_MODIFY
expect unchecked IDC_RIGHT_WRITE_APPEND
click IDC_CLOSE
)");
    EXPECT_FALSE(transcript.HasFailures()) << transcript.ToText();
}

TEST_F(ItemEditorTest, ReadOnlyThenOpenLocksTheRightsOpenImplies) {
    const auto transcript = Run(R"(
click IDC_PRESET_READ_ONLY
expect checked IDC_RIGHT_CREATE
expect unchecked IDC_RIGHT_OPEN
expect unchecked IDC_RIGHT_READ
expect checked IDC_RIGHT_WRITE_MODIFY
expect checked IDC_RIGHT_WRITE_APPEND
expect unchecked IDC_RIGHT_EXECUTE
expect checked IDC_RIGHT_RENAME
expect checked IDC_RIGHT_DELETE
expect checked IDC_RIGHT_SET_ATTRIBUTE
expect unchecked IDC_RIGHT_INVISIBLE
click IDC_RIGHT_OPEN
expect checked IDC_RIGHT_CREATE
expect enabled IDC_RIGHT_CREATE
expect enabled IDC_RIGHT_OPEN
expect enabled IDC_RIGHT_INVISIBLE
expect checked IDC_RIGHT_READ
expect disabled IDC_RIGHT_READ
expect checked IDC_RIGHT_WRITE_MODIFY
expect disabled IDC_RIGHT_WRITE_MODIFY
expect checked IDC_RIGHT_WRITE_APPEND
expect disabled IDC_RIGHT_WRITE_APPEND
expect checked IDC_RIGHT_EXECUTE
expect disabled IDC_RIGHT_EXECUTE
expect disabled IDC_RIGHT_RENAME
expect disabled IDC_RIGHT_DELETE
expect disabled IDC_RIGHT_SET_ATTRIBUTE
click IDC_RIGHT_OPEN
expect unchecked IDC_RIGHT_OPEN
expect checked IDC_RIGHT_READ
expect enabled IDC_RIGHT_READ
expect enabled IDC_RIGHT_EXECUTE
click IDC_CLOSE
)");
    EXPECT_FALSE(transcript.HasFailures()) << transcript.ToText();
}

TEST_F(ItemEditorTest, FullHiddenOnNtLeavesTheHiddenRecursiveUnchecked) {
    const auto transcript = Run(R"(
expect hidden IDC_RIGHT_RECURSIVE
click IDC_PRESET_FULL_HIDDEN
expect checked IDC_RIGHT_CREATE
expect checked IDC_RIGHT_OPEN
expect checked IDC_RIGHT_READ
expect checked IDC_RIGHT_INVISIBLE
expect disabled IDC_RIGHT_READ
expect unchecked IDC_RIGHT_RECURSIVE
click IDC_CLOSE
)");
    EXPECT_FALSE(transcript.HasFailures()) << transcript.ToText();
}

TEST_F(ItemEditorTest, PresetsClearFirstAndLeaveTheActionAlone) {
    const auto transcript = Run(R"(
click IDC_ACTION_PROMPT
click IDC_PRESET_NO_ACCESS
expect checked IDC_ACTION_PROMPT
expect checked IDC_RIGHT_OPEN
expect unchecked IDC_RIGHT_INVISIBLE
click IDC_PRESET_INVISIBLE_ONLY
expect unchecked IDC_RIGHT_OPEN
expect unchecked IDC_RIGHT_READ
expect enabled IDC_RIGHT_READ
expect checked IDC_RIGHT_INVISIBLE
expect checked IDC_ACTION_PROMPT
click IDC_PRESET_FULL_HIDDEN
click IDC_CLEAR
expect unchecked IDC_RIGHT_OPEN
expect unchecked IDC_RIGHT_READ
expect enabled IDC_RIGHT_READ
expect unchecked IDC_RIGHT_INVISIBLE
click IDC_CLOSE
)");
    EXPECT_FALSE(transcript.HasFailures()) << transcript.ToText();
}

TEST_F(ItemEditorTest, RowClickLoadsTheItemIntoTheEditor) {
    // Create, both writes, Rename, Delete and Set Attribute restricted with the action Ask
    // Password; a No Access item with Prompt.
    constexpr std::uint32_t kReadOnlyAskPassword =
        ~(0x20u | 0x4000 | 0x2 | 0x8 | 0x10 | 0x80 | 0x80000);
    WriteItemFile(
        {{"C:\\DOCS\\A.TXT", 1, kReadOnlyAskPassword}, {"C:\\DATA\\*", 0, kNoAccessPrompt}});
    const auto transcript = Run(R"(
click-row IDC_ITEM_LIST 1
expect text IDC_PATH "C:\\DATA\\*"
expect checked IDC_ACTION_PROMPT
expect unchecked IDC_ACTION_DISABLE
expect checked IDC_RIGHT_OPEN
expect checked IDC_RIGHT_READ
expect disabled IDC_RIGHT_READ
expect unchecked IDC_RIGHT_INVISIBLE
expect enabled IDC_ADD_ITEM
click-row IDC_ITEM_LIST 0
expect text IDC_PATH "C:\\DOCS\\A.TXT"
expect checked IDC_ACTION_ASK_PASSWORD
expect unchecked IDC_RIGHT_OPEN
expect enabled IDC_RIGHT_READ
expect checked IDC_RIGHT_WRITE_MODIFY
expect checked IDC_RIGHT_WRITE_APPEND
expect checked IDC_RIGHT_CREATE
click IDC_CLOSE
)");
    EXPECT_FALSE(transcript.HasFailures()) << transcript.ToText();
}

}  // namespace
}  // namespace halvgate_test
