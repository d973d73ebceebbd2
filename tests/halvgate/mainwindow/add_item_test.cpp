// "Add Item to List": each validation rule in order with its message and caption, the
// existing-item question, modifying, and the path field's capacity.
#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "common/registry_keys.h"
#include "common/registry_store.h"
#include "halvgate/res/protected_items_dialog_ids.h"
#include "platform/win32_types.h"
#include "tests/halvgate/mainwindow/main_window_fixture.h"
#include "ui/list_view.h"

namespace halvgate_test {
namespace {

using AddItemTest = MainWindowTest;

constexpr const char* kWindowsRefused =
    "Windows folder may not be protected.\\r\\nYou may instead protect *.EXE, *.DLL, etc. "
    "files inside Windows folder";
constexpr const char* kDocumentsRefused =
    "Documents and Settings folder may not be protected.\\r\\nYou may instead protect "
    "MYFILE.TXT file inside this folder.";
constexpr const char* kOwnFolderRefused =
    "Halvern 2001 directory and files should be accessible...\\r\\nJust make them read only "
    "will be OK\\r\\nPlease change your protection...";

// Script text of a quoted path: backslashes doubled.
std::string Quoted(const std::string& path) {
    std::string quoted = "\"";
    for (char c : path) {
        quoted += c == '\\' ? std::string("\\\\") : std::string(1, c);
    }
    return quoted + "\"";
}

struct RuleCase {
    const char* path;
    const char* right;    // the check box clicked before adding, or nullptr
    const char* message;  // the refusal shown, or nullptr when the item is added
};

void PrintTo(const RuleCase& c, std::ostream* out) {
    *out << c.path << " with " << (c.right != nullptr ? c.right : "nothing");
}

class AddItemRuleTest : public MainWindowTest, public ::testing::WithParamInterface<RuleCase> {};

TEST_P(AddItemRuleTest, RefusesOrAddsAsTheRulesSay) {
    const RuleCase& c = GetParam();
    halvern::CRegistryStore().WriteStringValue(win::HKEY_LOCAL_MACHINE, halvern::kServiceKey,
                                               halvern::reg::kApplicationPath,
                                               "C:\\PROGRAM FILES\\APP\\", 22);
    std::string script = "type IDC_PATH " + Quoted(c.path) + "\n";
    if (c.right != nullptr) {
        script += std::string("click ") + c.right + "\n";
    }
    script += "click IDC_ADD_ITEM\n";
    if (c.message != nullptr) {
        script += "answer ok\nexpect message \"" + std::string(c.message) + "\" Error\n";
        script += "expect rows IDC_ITEM_LIST 0\nexpect disabled IDC_APPLY\nclick IDC_CLOSE\n";
    } else {
        script += "expect rows IDC_ITEM_LIST 1\nexpect cell IDC_ITEM_LIST 0 0 " + Quoted(c.path) +
                  "\nexpect cell IDC_ITEM_LIST 0 1 Active\nclick IDC_CLOSE\nanswer no\n";
    }
    const auto transcript = Run(script);
    EXPECT_FALSE(transcript.HasFailures()) << transcript.ToText();
}

INSTANTIATE_TEST_SUITE_P(
    Rules, AddItemRuleTest,
    ::testing::Values(RuleCase{"*", nullptr, "This item is not permitted"},
                      RuleCase{"*.*", nullptr, "This item is not permitted"},
                      RuleCase{"C:\\DATA\\*", nullptr, nullptr},
                      RuleCase{"c:\\windows", nullptr, kWindowsRefused},
                      RuleCase{"C:\\WINDOWS\\", nullptr, nullptr},
                      RuleCase{"C:\\WINDOWS\\SYSTEM", nullptr, nullptr},
                      RuleCase{"C:\\Documents and Settings", nullptr, kDocumentsRefused},
                      RuleCase{"c:\\DOCUMENTS AND SETTINGS", nullptr, kDocumentsRefused},
                      RuleCase{"D:\\Documents and Settings", nullptr, nullptr},
                      RuleCase{"C:\\Documents and Settings\\User", nullptr, nullptr},
                      RuleCase{"c:\\program files\\app\\x.exe", "IDC_RIGHT_READ",
                               kOwnFolderRefused},
                      RuleCase{"C:\\PROGRAM FILES\\APPX", "IDC_RIGHT_READ", kOwnFolderRefused},
                      RuleCase{"C:\\PROGRAM FILES\\APP", "IDC_RIGHT_INVISIBLE", kOwnFolderRefused},
                      RuleCase{"C:\\PROGRAM FILES\\APP\\Y", "IDC_RIGHT_EXECUTE", kOwnFolderRefused},
                      RuleCase{"C:\\PROGRAM FILES\\APP\\Y", "IDC_RIGHT_OPEN", kOwnFolderRefused},
                      RuleCase{"C:\\PROGRAM FILES", "IDC_RIGHT_READ", nullptr},
                      RuleCase{"c:\\program files\\app\\x.exe", "IDC_RIGHT_WRITE_MODIFY", nullptr},
                      RuleCase{"C:\\PROGRAM FILES\\APPX", "IDC_RIGHT_DELETE", nullptr}));

TEST_F(AddItemTest, AWholeDriveWildcardAsksFirst) {
    const auto transcript = Run(R"(
type IDC_PATH "C:\\*.*"
click IDC_ADD_ITEM
answer no
expect message "Are you sure to add this item ?" Warning
expect rows IDC_ITEM_LIST 0
type IDC_PATH "C:\\*"
click IDC_ADD_ITEM
answer yes
expect rows IDC_ITEM_LIST 1
click IDC_CLOSE
answer no
)");
    EXPECT_FALSE(transcript.HasFailures()) << transcript.ToText();
    EXPECT_NE(transcript.ToText().find("\"Are you sure to add this item ?\" \"Warning\" yesno "
                                       "warning"),
              std::string::npos)
        << transcript.ToText();
}

TEST_F(AddItemTest, TheFirstRuleThatAppliesDecides) {
    // C:\WINDOWS is also where ApplicationPath points: the Windows folder rule comes first.
    halvern::CRegistryStore().WriteStringValue(win::HKEY_LOCAL_MACHINE, halvern::kServiceKey,
                                               halvern::reg::kApplicationPath, "C:\\WINDOWS", 11);
    const std::string script = std::string(R"(
type IDC_PATH "C:\\WINDOWS"
click IDC_RIGHT_READ
click IDC_ADD_ITEM
answer ok
expect message ")") + kWindowsRefused +
                               R"(" Error
click IDC_CLOSE
)";
    const auto transcript = Run(script);
    EXPECT_FALSE(transcript.HasFailures()) << transcript.ToText();
}

TEST_F(AddItemTest, WithoutApplicationPathTheOwnFolderRuleIsSkipped) {
    halvern::CRegistryStore().WriteStringValue(win::HKEY_LOCAL_MACHINE, halvern::kServiceKey,
                                               halvern::reg::kApplicationPath, "", 1);
    const auto transcript = Run(R"(
type IDC_PATH "C:\\PROGRAM FILES\\HALVERN\\X.EXE"
click IDC_PRESET_NO_ACCESS
click IDC_ADD_ITEM
expect rows IDC_ITEM_LIST 1
click IDC_CLOSE
answer no
)");
    EXPECT_FALSE(transcript.HasFailures()) << transcript.ToText();
}

TEST_F(AddItemTest, TheInstalledFolderOfTheSuiteIsProtectedFromLockingOut) {
    const auto transcript = Run(R"(
type IDC_PATH "c:\\program files\\halvern\\halvgate.exe"
click IDC_PRESET_FULL_HIDDEN
click IDC_ADD_ITEM
answer ok
expect rows IDC_ITEM_LIST 0
click IDC_CLOSE
)");
    EXPECT_FALSE(transcript.HasFailures()) << transcript.ToText();
}

TEST_F(AddItemTest, FoldersGetTheFolderPictureAndEverythingElseTheSheet) {
    pc_.WriteFile("C:\\DATA\\a.txt", "x");
    auto script = Steps(R"(
type IDC_PATH "c:\\data"
click IDC_ADD_ITEM
type IDC_PATH "C:\\DATA\\a.txt"
click IDC_ADD_ITEM
type IDC_PATH "C:\\NOWHERE"
click IDC_ADD_ITEM
)");
    script.Call([](ui::Dialog& dialog) {
        auto& list = dialog.List(halvgate::IDC_ITEM_LIST);
        EXPECT_EQ(list.GetItemImage(0), 0);
        EXPECT_EQ(list.GetItemImage(1), 5);
        EXPECT_EQ(list.GetItemImage(2), 5);
    });
    script.Append("click IDC_CLOSE\nanswer no");
    const auto transcript = Run(script);
    EXPECT_FALSE(transcript.HasFailures()) << transcript.ToText();
}

TEST_F(AddItemTest, AnExistingItemIsSelectedAndModifiedWhenTheUserAgrees) {
    WriteItemFile({{"C:\\OTHER", 1, kNothingRestricted}, {"c:\\data", 0, kNothingRestricted}});
    const auto transcript = Run(R"(
type IDC_PATH "C:\\Data"
click IDC_PRESET_NO_ACCESS
click IDC_ACTION_PROMPT
click IDC_ADD_ITEM
answer no
expect message "Item already exists, modify item instead ?" Warning
expect selected IDC_ITEM_LIST 1
expect enabled IDC_DELETE
expect cell IDC_ITEM_LIST 1 0 "c:\\data"
expect disabled IDC_APPLY
click IDC_ADD_ITEM
answer cancel
expect cell IDC_ITEM_LIST 1 0 "c:\\data"
click IDC_ADD_ITEM
answer yes
expect rows IDC_ITEM_LIST 2
expect selected IDC_ITEM_LIST 1
expect cell IDC_ITEM_LIST 1 0 "C:\\Data"
expect cell IDC_ITEM_LIST 1 1 Active
expect cell IDC_ITEM_LIST 1 2 Prompt
expect cell IDC_ITEM_LIST 1 4 No
expect enabled IDC_APPLY
click IDC_APPLY
answer ok
click IDC_CLOSE
)");
    EXPECT_FALSE(transcript.HasFailures()) << transcript.ToText();
    EXPECT_EQ(ReadItemFile(), (std::vector<FileItem>{{"C:\\OTHER", 1, kNothingRestricted},
                                                     {"C:\\Data", 1, kNoAccessPrompt}}));
}

TEST_F(AddItemTest, ModifyingToThePathOfAnotherRowAsksAndChangesThatRow) {
    WriteItemFile({{"C:\\A", 0, kNothingRestricted}, {"C:\\B", 0, kNothingRestricted}});
    auto script = Steps(R"(
select IDC_ITEM_LIST 0
type IDC_PATH "c:\\b"
click IDC_PRESET_NO_ACCESS
)");
    const auto modify = [](ui::Dialog& dialog) { Window(dialog).ModifySelectedItem(); };
    script.Call(modify);
    script.Append(R"(
answer no
expect message "Changing item to c:\\b will change protection options, since this item already exists. Continue ?" Warning
expect cell IDC_ITEM_LIST 1 0 "C:\\B"
expect cell IDC_ITEM_LIST 1 1 Inactive
)");
    script.Call(modify);
    script.Append(R"(
answer yes
expect cell IDC_ITEM_LIST 0 0 "C:\\A"
expect cell IDC_ITEM_LIST 0 1 Inactive
expect cell IDC_ITEM_LIST 1 0 "c:\\b"
expect cell IDC_ITEM_LIST 1 1 Active
expect cell IDC_ITEM_LIST 1 4 No
select IDC_ITEM_LIST none
)");
    script.Call(modify);
    script.Append(R"(
answer ok
expect message "Please select item first" Information
click IDC_CLOSE
answer no
)");
    const auto transcript = Run(script);
    EXPECT_FALSE(transcript.HasFailures()) << transcript.ToText();
}

TEST_F(AddItemTest, APathOf300CharactersIsCutTo254) {
    const std::string longPath = "C:\\" + std::string(297, 'X');
    const auto transcript =
        Run("type IDC_PATH " + Quoted(longPath) +
            "\nclick IDC_ADD_ITEM\nclick IDC_APPLY\nanswer ok\nclick IDC_CLOSE\n");
    EXPECT_FALSE(transcript.HasFailures()) << transcript.ToText();
    const auto items = ReadItemFile();
    ASSERT_TRUE(items.has_value());
    ASSERT_EQ(items->size(), 1u);
    EXPECT_EQ((*items)[0].path, longPath.substr(0, 254));
}

TEST_F(AddItemTest, OnNtTheNumberOfItemsHasNoLimit) {
    std::vector<FileItem> items;
    for (int i = 0; i < 300; ++i) {
        items.push_back({"C:\\F" + std::to_string(i), 1, kNothingRestricted});
    }
    WriteItemFile(items);
    const auto transcript = Run(R"(
type IDC_PATH "C:\\ONE MORE"
click IDC_ADD_ITEM
expect rows IDC_ITEM_LIST 301
expect cell IDC_ITEM_LIST 300 0 "C:\\ONE MORE"
click IDC_CLOSE
answer no
)");
    EXPECT_FALSE(transcript.HasFailures()) << transcript.ToText();
}

}  // namespace
}  // namespace halvgate_test
