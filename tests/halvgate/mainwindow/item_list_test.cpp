// The item list: its buttons, header sort, delete, activate and deactivate.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "halvgate/res/protected_items_dialog_ids.h"
#include "tests/halvgate/mainwindow/main_window_fixture.h"
#include "ui/list_view.h"

namespace halvgate_test {
namespace {

using ItemListTest = MainWindowTest;

constexpr std::uint32_t kReadRestricted = 0xFFFFFFFE;

std::vector<FileItem> FiveItems() {
    return {{"C:\\A", 1, kNothingRestricted},
            {"C:\\B", 1, kNothingRestricted},
            {"C:\\C", 1, kNothingRestricted},
            {"C:\\D", 1, kNothingRestricted},
            {"C:\\E", 1, kNothingRestricted}};
}

std::vector<std::string> Paths(const std::vector<FileItem>& items) {
    std::vector<std::string> paths;
    for (const auto& item : items) {
        paths.push_back(item.path);
    }
    return paths;
}

TEST_F(ItemListTest, HeaderClickOnAnEmptyOrOneRowListStillEnablesApplyAndReload) {
    const auto empty = Run(R"(
column IDC_ITEM_LIST 0
expect enabled IDC_APPLY
expect enabled IDC_RELOAD
click IDC_RELOAD
expect disabled IDC_APPLY
click IDC_CLOSE
)");
    EXPECT_FALSE(empty.HasFailures()) << empty.ToText();

    WriteItemFile({{"C:\\ONLY", 1, kNothingRestricted}});
    const auto one = Run(R"(
column IDC_ITEM_LIST 3
expect enabled IDC_APPLY
expect enabled IDC_RELOAD
click IDC_CLOSE
answer no
)");
    EXPECT_FALSE(one.HasFailures()) << one.ToText();
}

TEST_F(ItemListTest, SortByStatusPutsActiveFirstThenByPathAndMovesWholeRows) {
    WriteItemFile({{"C:\\ZED", 0, kNothingRestricted},
                   {"C:\\BETA", 1, kReadRestricted},
                   {"C:\\ALPHA", 0, kNoAccessPrompt},
                   {"C:\\AARDVARK", 1, kNothingRestricted}});
    pc_.WriteFile("C:\\BETA\\inside.txt", "x");  // C:\BETA is a folder: picture 0
    auto script = Steps(R"(
select IDC_ITEM_LIST 0
)");
    std::vector<int> imagesBefore;
    script.Call([&](ui::Dialog& dialog) {
        auto& list = dialog.List(halvgate::IDC_ITEM_LIST);
        for (int row = 0; row < list.GetItemCount(); ++row) {
            imagesBefore.push_back(list.GetItemImage(row));
        }
    });
    script.Append(R"(
column IDC_ITEM_LIST 1
expect cell IDC_ITEM_LIST 0 0 "C:\\AARDVARK"
expect cell IDC_ITEM_LIST 1 0 "C:\\BETA"
expect cell IDC_ITEM_LIST 1 1 Active
expect cell IDC_ITEM_LIST 1 5 No
expect cell IDC_ITEM_LIST 2 0 "C:\\ALPHA"
expect cell IDC_ITEM_LIST 2 1 Inactive
expect cell IDC_ITEM_LIST 2 2 Prompt
expect cell IDC_ITEM_LIST 2 4 No
expect cell IDC_ITEM_LIST 3 0 "C:\\ZED"
expect cell IDC_ITEM_LIST 3 5 Yes
expect selected IDC_ITEM_LIST 0
)");
    std::vector<int> imagesAfter;
    script.Call([&](ui::Dialog& dialog) {
        auto& list = dialog.List(halvgate::IDC_ITEM_LIST);
        for (int row = 0; row < list.GetItemCount(); ++row) {
            imagesAfter.push_back(list.GetItemImage(row));
        }
    });
    script.Append(R"(
click IDC_APPLY
answer ok
click IDC_CLOSE
)");
    const auto transcript = Run(script);
    EXPECT_FALSE(transcript.HasFailures()) << transcript.ToText();
    // Pictures stay with the positions: the folder picture is still on row 1.
    EXPECT_EQ(imagesAfter, imagesBefore);
    EXPECT_EQ(imagesBefore, (std::vector<int>{5, 0, 5, 5}));
    EXPECT_EQ(ReadItemFile(), (std::vector<FileItem>{{"C:\\AARDVARK", 1, kNothingRestricted},
                                                     {"C:\\BETA", 1, kReadRestricted},
                                                     {"C:\\ALPHA", 0, kNoAccessPrompt},
                                                     {"C:\\ZED", 0, kNothingRestricted}}));
}

TEST_F(ItemListTest, SortComparesBytesWithUpperCaseBeforeLowerCase) {
    WriteItemFile({{"c:\\b", 1, kNothingRestricted},
                   {"C:\\Z", 1, kNothingRestricted},
                   {"C:\\a", 1, kNothingRestricted},
                   {"C:\\\xE9t\xE9", 1, kNothingRestricted}});
    const auto transcript = Run(R"(
column IDC_ITEM_LIST 0
click IDC_APPLY
answer ok
click IDC_CLOSE
)");
    EXPECT_FALSE(transcript.HasFailures()) << transcript.ToText();
    const auto items = ReadItemFile();
    ASSERT_TRUE(items.has_value());
    EXPECT_EQ(Paths(*items),
              (std::vector<std::string>{"C:\\Z", "C:\\a", "C:\\\xE9t\xE9", "c:\\b"}));
}

TEST_F(ItemListTest, RowsWithEqualKeysComeOutInTheOrderOfTheExchangeSort) {
    // Two rows share path and status but differ in their rights. The exchange of rows 0 and 2
    // carries the first one behind the second.
    WriteItemFile({{"C:\\B", 1, kReadRestricted},
                   {"C:\\B", 1, kNoAccessPrompt},
                   {"C:\\A", 1, kNothingRestricted}});
    const auto transcript = Run(R"(
column IDC_ITEM_LIST 1
click IDC_APPLY
answer ok
click IDC_CLOSE
)");
    EXPECT_FALSE(transcript.HasFailures()) << transcript.ToText();
    EXPECT_EQ(ReadItemFile(), (std::vector<FileItem>{{"C:\\A", 1, kNothingRestricted},
                                                     {"C:\\B", 1, kNoAccessPrompt},
                                                     {"C:\\B", 1, kReadRestricted}}));
}

TEST_F(ItemListTest, DeleteRemovesExactlyTheSelectedRows) {
    WriteItemFile(FiveItems());
    const auto transcript = Run(R"(
expect disabled IDC_DELETE
expect enabled IDC_DELETE_ALL
select IDC_ITEM_LIST 1 3
expect enabled IDC_DELETE
click IDC_DELETE
expect rows IDC_ITEM_LIST 3
expect disabled IDC_DELETE
expect enabled IDC_APPLY
click IDC_APPLY
answer ok
click IDC_CLOSE
)");
    EXPECT_FALSE(transcript.HasFailures()) << transcript.ToText();
    const auto items = ReadItemFile();
    ASSERT_TRUE(items.has_value());
    EXPECT_EQ(Paths(*items), (std::vector<std::string>{"C:\\A", "C:\\C", "C:\\E"}));
}

TEST_F(ItemListTest, DeleteAllEmptiesTheListAndTheFileKeepsOnlyItsHeader) {
    WriteItemFile(FiveItems());
    const auto transcript = Run(R"(
click IDC_DELETE_ALL
expect rows IDC_ITEM_LIST 0
expect disabled IDC_DELETE_ALL
expect disabled IDC_ACTIVATE_ALL
expect disabled IDC_DEACTIVATE_ALL
click IDC_APPLY
answer ok
click IDC_CLOSE
)");
    EXPECT_FALSE(transcript.HasFailures()) << transcript.ToText();
    EXPECT_EQ(pc_.ReadFile(kItemFile).size(), 102u);
    EXPECT_TRUE(Driver().items.empty());
}

TEST_F(ItemListTest, ActivateOnRowsAlreadyActiveChangesNothing) {
    WriteItemFile(FiveItems());
    const auto transcript = Run(R"(
select IDC_ITEM_LIST 0 2
click IDC_ACTIVATE
expect disabled IDC_APPLY
click IDC_ACTIVATE_ALL
expect disabled IDC_APPLY
click IDC_DEACTIVATE
expect cell IDC_ITEM_LIST 0 1 Inactive
expect cell IDC_ITEM_LIST 1 1 Active
expect cell IDC_ITEM_LIST 2 1 Inactive
expect enabled IDC_APPLY
click IDC_APPLY
answer ok
click IDC_DEACTIVATE
expect disabled IDC_APPLY
click IDC_DEACTIVATE_ALL
expect cell IDC_ITEM_LIST 4 1 Inactive
click IDC_ACTIVATE_ALL
expect cell IDC_ITEM_LIST 0 1 Active
click IDC_RELOAD
expect cell IDC_ITEM_LIST 0 1 Inactive
expect cell IDC_ITEM_LIST 1 1 Active
expect disabled IDC_APPLY
click IDC_CLOSE
)");
    EXPECT_FALSE(transcript.HasFailures()) << transcript.ToText();
    const auto items = ReadItemFile();
    ASSERT_TRUE(items.has_value());
    ASSERT_EQ(items->size(), 5u);
    EXPECT_EQ((*items)[0].status, 0);
    EXPECT_EQ((*items)[1].status, 1);
    EXPECT_EQ((*items)[2].status, 0);
}

TEST_F(ItemListTest, FiveThousandItemsLoadSortApplyAndReload) {
    std::vector<FileItem> items;
    for (int i = 0; i < 5000; ++i) {
        // Paths in an order unlike their sorted one, with statuses mixed.
        const int key = (i * 7919) % 5000;
        items.push_back({"C:\\DATA\\F" + std::to_string(key) + ".TXT",
                         static_cast<std::uint16_t>(i % 3 == 0 ? 0 : 1),
                         i % 2 == 0 ? kNoAccessPrompt : kReadRestricted});
    }
    WriteItemFile(items);
    auto sorted = items;
    std::sort(sorted.begin(), sorted.end(),
              [](const FileItem& a, const FileItem& b) { return a.path < b.path; });
    auto script = Steps(R"(
expect rows IDC_ITEM_LIST 5000
column IDC_ITEM_LIST 0
click IDC_APPLY
answer ok
column IDC_ITEM_LIST 1
expect cell IDC_ITEM_LIST 0 1 Active
click IDC_RELOAD
expect rows IDC_ITEM_LIST 5000
)");
    // Reload discards the sort by status: the rows are as applied, by path.
    script.Call([&](ui::Dialog& dialog) {
        auto& list = dialog.List(halvgate::IDC_ITEM_LIST);
        for (int row : {0, 2500, 4999}) {
            EXPECT_EQ(list.GetItemText(row, 0), sorted[static_cast<std::size_t>(row)].path);
        }
    });
    script.Append("click IDC_CLOSE");
    const auto transcript = Run(script);
    EXPECT_FALSE(transcript.HasFailures()) << transcript.ToText();
    EXPECT_EQ(ReadItemFile(), sorted);
    EXPECT_EQ(Driver().items.size(), std::min<std::size_t>(5000, 4096));
}

}  // namespace
}  // namespace halvgate_test
