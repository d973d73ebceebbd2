// Moving rows of the item list by dragging them, through the framework's drag notifications.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "halvgate/res/protected_items_dialog_ids.h"
#include "tests/halvgate/mainwindow/main_window_fixture.h"
#include "ui/list_view.h"

namespace halvgate_test {
namespace {

using DragDropTest = MainWindowTest;

std::vector<FileItem> Rows(int count) {
    std::vector<FileItem> items;
    for (int i = 0; i < count; ++i) {
        items.push_back({"C:\\R" + std::to_string(i), 1, kNothingRestricted});
    }
    return items;
}

std::vector<std::string> Order(ui::ListView& list) {
    std::vector<std::string> order;
    for (int row = 0; row < list.GetItemCount(); ++row) {
        order.push_back(list.GetItemText(row, 0).substr(3));
    }
    return order;
}

struct DragCase {
    int rows;
    const char* step;
    std::vector<std::string> order;
};

void PrintTo(const DragCase& c, std::ostream* out) {
    *out << c.rows << " rows, " << c.step;
}

class DragOrderTest : public MainWindowTest, public ::testing::WithParamInterface<DragCase> {};

TEST_P(DragOrderTest, MovesTheRowBeforeTheRowUnderThePointer) {
    const DragCase& c = GetParam();
    WriteItemFile(Rows(c.rows));
    auto script = Steps(c.step);
    std::vector<std::string> order;
    script.Call([&](ui::Dialog& dialog) {
        order = Order(dialog.List(halvgate::IDC_ITEM_LIST));
        // Every drop marks the list changed, even one that moved nothing.
        EXPECT_TRUE(Window(dialog).ChangesPending());
    });
    script.Append(
        "expect enabled IDC_APPLY\nexpect enabled IDC_RELOAD\nclick IDC_CLOSE\nanswer no");
    const auto transcript = Run(script);
    EXPECT_FALSE(transcript.HasFailures()) << transcript.ToText();
    EXPECT_EQ(order, c.order);
}

INSTANTIATE_TEST_SUITE_P(
    Drops, DragOrderTest,
    ::testing::Values(DragCase{10,
                               "drag IDC_ITEM_LIST 5 to 2",
                               {"R0", "R1", "R5", "R2", "R3", "R4", "R6", "R7", "R8", "R9"}},
                      DragCase{10,
                               "drag IDC_ITEM_LIST 3 to 7",
                               {"R0", "R1", "R2", "R4", "R5", "R6", "R3", "R7", "R8", "R9"}},
                      DragCase{5, "drag IDC_ITEM_LIST 1 to end", {"R0", "R2", "R3", "R4", "R1"}},
                      DragCase{5, "drag IDC_ITEM_LIST 2 to 2", {"R0", "R1", "R2", "R3", "R4"}},
                      DragCase{5, "drag IDC_ITEM_LIST 2 to 3", {"R0", "R1", "R2", "R3", "R4"}}));

TEST_F(DragDropTest, TheWholeRowTravelsWithItsPictureDataAndState) {
    auto items = Rows(4);
    items[3] = {"C:\\FOLDER", 0, kNoAccessPrompt};
    WriteItemFile(items);
    pc_.WriteFile("C:\\FOLDER\\x.txt", "x");
    auto script = Steps("select IDC_ITEM_LIST 3\n");
    script.Call(
        [](ui::Dialog& dialog) { dialog.List(halvgate::IDC_ITEM_LIST).SetItemData(3, 77); });
    script.Append(R"(
drag IDC_ITEM_LIST 3 to 1
expect cell IDC_ITEM_LIST 1 0 "C:\\FOLDER"
expect cell IDC_ITEM_LIST 1 1 Inactive
expect cell IDC_ITEM_LIST 1 2 Prompt
expect cell IDC_ITEM_LIST 1 4 No
expect cell IDC_ITEM_LIST 1 12 Yes
expect selected IDC_ITEM_LIST 1
)");
    script.Call([](ui::Dialog& dialog) {
        auto& list = dialog.List(halvgate::IDC_ITEM_LIST);
        EXPECT_EQ(list.GetItemImage(1), 0);
        EXPECT_EQ(list.GetItemImage(2), 5);
        EXPECT_EQ(list.GetItemData(1), 77u);
        EXPECT_NE(list.GetItemState(1, ui::LVIS_FOCUSED), 0u);
    });
    script.Append("click IDC_APPLY\nanswer ok\nclick IDC_CLOSE");
    const auto transcript = Run(script);
    EXPECT_FALSE(transcript.HasFailures()) << transcript.ToText();
    const auto file = ReadItemFile();
    ASSERT_TRUE(file.has_value());
    ASSERT_EQ(file->size(), 4u);
    EXPECT_EQ((*file)[1], (FileItem{"C:\\FOLDER", 0, kNoAccessPrompt}));
}

TEST_F(DragDropTest, ARightButtonDragDoesNothing) {
    WriteItemFile(Rows(4));
    auto script = Steps("");
    script.Call([](ui::Dialog& dialog) {
        auto& list = dialog.List(halvgate::IDC_ITEM_LIST);
        const ui::Rect bounds = list.Bounds();
        dialog.UserBeginDrag(halvgate::IDC_ITEM_LIST, 3, list.CellPoint(3, 0), true);
        const ui::Point target = list.CellPoint(0, 0);
        const ui::Point inDialog{bounds.left + target.x, bounds.top + target.y};
        dialog.UserMouseMove(inDialog);
        dialog.UserLButtonUp(inDialog);
        EXPECT_EQ(Order(list), (std::vector<std::string>{"R0", "R1", "R2", "R3"}));
        EXPECT_FALSE(dialog.HasCapture());
    });
    script.Append("expect disabled IDC_APPLY\nclick IDC_CLOSE");
    const auto transcript = Run(script);
    EXPECT_FALSE(transcript.HasFailures()) << transcript.ToText();
}

TEST_F(DragDropTest, ARowReleasedOutsideTheListStaysWhereItWas) {
    WriteItemFile(Rows(4));
    auto script = Steps("");
    script.Call([](ui::Dialog& dialog) {
        auto& list = dialog.List(halvgate::IDC_ITEM_LIST);
        const ui::Rect bounds = list.Bounds();
        dialog.UserBeginDrag(halvgate::IDC_ITEM_LIST, 2, list.CellPoint(2, 0));
        EXPECT_TRUE(dialog.HasCapture());
        const ui::Point overList{bounds.left + 20, bounds.top + list.GetItemRect(0).top + 2};
        dialog.UserMouseMove(overList);
        // Released over the Close button, far from the list.
        const ui::Rect close = dialog.Item(halvgate::IDC_CLOSE).Bounds();
        dialog.UserLButtonUp(ui::Point{close.left + 2, close.top + 2});
        EXPECT_FALSE(dialog.HasCapture());
        EXPECT_EQ(Order(list), (std::vector<std::string>{"R0", "R1", "R2", "R3"}));
    });
    script.Append("click IDC_CLOSE\nanswer no");
    const auto transcript = Run(script);
    EXPECT_FALSE(transcript.HasFailures()) << transcript.ToText();
}

}  // namespace
}  // namespace halvgate_test
