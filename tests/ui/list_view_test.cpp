// Report-view lists: selection rules and their notifications, header clicks, row drags and
// the geometry every backend hit-tests with.
#include "ui/list_view.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/ui/sample_dialog.h"
#include "tests/ui/script_run.h"

namespace ui::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// The notifications of the list since the dialog opened, without "init" and "destroy".
std::vector<std::string> ListLog(const SampleDialog& dialog) {
    std::vector<std::string> log(dialog.log.begin() + 1, dialog.log.end() - 1);
    return log;
}

TEST(ListSelection, ClicksSelectThenNotify) {
    ScriptRun run(
        "select IDC_LIST 1\n"
        "expect selected IDC_LIST 1\n"
        "select IDC_LIST ctrl 3\n"
        "expect selected IDC_LIST 1 3\n"
        "select IDC_LIST shift 4\n"  // from the row last clicked
        "expect selected IDC_LIST 3 4\n"
        "select IDC_LIST ctrl 3\n"
        "expect selected IDC_LIST 4\n"
        "click-row IDC_LIST 9\n"  // below the last row
        "expect selected IDC_LIST none\n"
        "escape\n");
    SampleDialog dialog;
    dialog.DoModal();
    EXPECT_THAT(run.Failures(), IsEmpty());
    EXPECT_THAT(ListLog(dialog),
                ElementsAre(
                    // plain click on 1: it gains selection and focus at once
                    "itemchanged 1 -1", "listclick 1 0",
                    // Ctrl on 3: 1 loses the focus, 3 gains both
                    "itemchanged 1 -1", "itemchanged 3 -1", "listclick 3 0",
                    // Shift on 4: 1 dropped, 3 loses the focus, 4 added
                    "itemchanged 1 -1", "itemchanged 3 -1", "itemchanged 4 -1", "listclick 4 0",
                    // Ctrl on 3 again unselects it and focuses it
                    "itemchanged 3 -1", "itemchanged 4 -1", "listclick 3 0",
                    // below the rows: selection cleared, row -1
                    "itemchanged 4 -1", "listclick -1 -1"));
    const ListView& list = dialog.List(IDC_LIST);
    EXPECT_EQ(list.GetNextItem(-1, LVNI_FOCUSED), 3);
    EXPECT_EQ(list.GetSelectedCount(), 0);
}

TEST(ListSelection, SeveralRowsBySelectAndSingleSelectionLists) {
    ScriptRun run("select IDC_LIST 0 2 4\nexpect selected IDC_LIST 0 2 4\nescape");
    SampleDialog dialog;
    dialog.DoModal();
    EXPECT_THAT(run.Failures(), IsEmpty());

    // A single-selection list keeps one selected row, whoever selects.
    DialogTemplate tmpl = SampleTemplate();
    for (auto& control : tmpl.controls) {
        if (control.id == IDC_LIST) {
            control.style |= Style::SingleSelection;
        }
    }
    Dialog single(tmpl);
    ListView& list = single.List(IDC_LIST);
    for (int row = 0; row < 3; ++row) {
        list.InsertItem(row, "r");
    }
    list.UserSelect(0, false, false);
    list.UserSelect(2, true, false);
    EXPECT_EQ(list.GetSelectedCount(), 1);
    list.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED), 1);
    EXPECT_EQ(list.GetSelectedCount(), 1);
}

TEST(ListSelection, DoubleClickSelectsThenNotifiesAndRightDragOnlyNotifies) {
    headless::Script script = ParseScript("double-click-row IDC_LIST 2 1\n");
    script.Call([](Dialog& dialog) {
        EXPECT_TRUE(dialog.UserBeginDrag(IDC_LIST, 1, {5, 30}, true));
        EXPECT_FALSE(dialog.UserBeginDrag(IDC_LIST, 5, {5, 30}));
    });
    script.Append("expect selected IDC_LIST 2\nescape");
    ScriptRun run(std::move(script));
    SampleDialog dialog;
    dialog.DoModal();
    EXPECT_THAT(run.Failures(), IsEmpty());
    EXPECT_THAT(ListLog(dialog),
                ElementsAre("itemchanged 2 -1", "listdblclick 2 1", "beginrdrag 1 -1"));
    EXPECT_EQ(dialog.dropIndex, -1);
}

TEST(ListHeader, ColumnClicksNotifyUnlessTheHeaderDoesNotSort) {
    ScriptRun run("column IDC_LIST 1\ncolumn IDC_LIST 2\nescape");
    SampleDialog dialog;
    dialog.DoModal();
    EXPECT_THAT(ListLog(dialog), ElementsAre("columnclick -1 1"));
    EXPECT_THAT(run.Transcript(), ::testing::HasSubstr("refused 2: column IDC_LIST 2"));

    DialogTemplate tmpl = SampleTemplate();
    for (auto& control : tmpl.controls) {
        if (control.id == IDC_LIST) {
            control.style |= Style::NoSortHeader;
        }
    }
    headless::Script script;
    script.Call([](Dialog& active) {
        active.List(IDC_LIST).InsertColumn(0, "Path", LVCFMT_LEFT, 100);
        EXPECT_FALSE(active.UserColumnClick(IDC_LIST, 0));
        EXPECT_TRUE(active.UserListClick(IDC_LIST, -1, 0));
    });
    script.Append("escape");
    ScriptRun second(std::move(script));
    Dialog plain(tmpl);
    EXPECT_EQ(plain.DoModal(), IDCANCEL);
}

struct DragCase {
    const char* script;
    const char* drop;
};

class ListDrag : public ::testing::TestWithParam<DragCase> {};

TEST_P(ListDrag, BeginsOnTheRowAndDropsWhereThePointerIs) {
    ScriptRun run(std::string(GetParam().script) + "\nescape");
    SampleDialog dialog;
    dialog.DoModal();
    EXPECT_THAT(run.Failures(), IsEmpty());
    ASSERT_GE(dialog.log.size(), 4u);
    EXPECT_EQ(dialog.log[dialog.log.size() - 2], GetParam().drop);
    EXPECT_EQ(dialog.windowUnderPointer, IDC_LIST);
    EXPECT_FALSE(dialog.HasCapture());
}

INSTANTIATE_TEST_SUITE_P(Targets, ListDrag,
                         ::testing::Values(DragCase{"drag IDC_LIST 4 to 1", "drop 4 at 1"},
                                           DragCase{"drag IDC_LIST 1 to 3", "drop 1 at 3"},
                                           DragCase{"drag IDC_LIST 2 to 2", "drop 2 at 2"},
                                           DragCase{"drag IDC_LIST 0 to end", "drop 0 at 5"}));

TEST(ListDragScript, BadRowIsAFailureAndADisabledListRefuses) {
    headless::Script script = ParseScript("drag IDC_LIST 7 to 1\n");
    script.Call([](Dialog& dialog) { dialog.EnableDlgItem(IDC_LIST, false); });
    script.Append("drag IDC_LIST 1 to 2\nescape");
    ScriptRun run(std::move(script));
    SampleDialog dialog;
    dialog.DoModal();
    EXPECT_EQ(run.Failures(), "FAIL 1: drag IDC_LIST 7 to 1: the list has no row 7\n");
    EXPECT_THAT(run.Transcript(),
                ::testing::HasSubstr("refused 3: drag IDC_LIST 1 to 2: the control is disabled\n"));
    EXPECT_EQ(dialog.dropIndex, -1);
}

TEST(ListGeometry, RowsBelowTheHeaderFromTheTopIndex) {
    SampleDialog dialog;
    ListView& list = dialog.List(IDC_LIST);
    list.InsertColumn(0, "Path", LVCFMT_LEFT, 150);
    for (int row = 0; row < 5; ++row) {
        list.InsertItem(row, "row");
    }
    // The template's 200 x 100 dialog units at (4, 64).
    EXPECT_EQ(list.Bounds(), (Rect{6, 104, 306, 266}));
    EXPECT_EQ(list.GetItemRect(1), (Rect{0, 37, 300, 54}));
    EXPECT_EQ(list.HitTest({10, 19}), -1);  // the header
    EXPECT_EQ(list.HitTest({10, 20}), 0);
    EXPECT_EQ(list.HitTest({10, 36}), 0);
    EXPECT_EQ(list.HitTest({10, 37}), 1);
    EXPECT_EQ(list.HitTest({10, 20 + 5 * 17}), -1);  // below the last row
    EXPECT_EQ(list.HitTest({300, 30}), -1);          // right of the list
    list.SetTopIndex(2);
    EXPECT_EQ(list.GetItemRect(2).top, 20);
    EXPECT_EQ(list.HitTest({10, 20}), 2);
    EXPECT_EQ(list.GetItemRect(7), Rect{});
}

TEST(ListGeometry, ChildFromPointFindsTheTopmostVisibleControl) {
    SampleDialog dialog;
    const Rect list = dialog.Item(IDC_LIST).Bounds();
    const Point inside{list.left + 5, list.top + 30};
    EXPECT_EQ(dialog.ChildFromPoint(inside), IDC_LIST);
    EXPECT_EQ(dialog.ClientToControl(IDC_LIST, inside), (Point{5, 30}));
    EXPECT_EQ(dialog.ChildFromPoint({1, 1000}), 0);
    const Rect secret = dialog.Item(IDC_SECRET).Bounds();
    const Point onSecret{secret.left + 1, secret.top + 1};
    EXPECT_EQ(dialog.ChildFromPoint(onSecret), 0);  // hidden
    dialog.ShowDlgItem(IDC_SECRET, true);
    EXPECT_EQ(dialog.ChildFromPoint(onSecret), IDC_SECRET);
    dialog.SetScreenOrigin({300, 200});
    EXPECT_EQ(dialog.ClientToScreen({5, 6}), (Point{305, 206}));
    EXPECT_EQ(dialog.ScreenToClient({305, 206}), (Point{5, 6}));
}

TEST(ListRows, OutOfRangeFailsAndStateTravelsWithInsertion) {
    SampleDialog dialog;
    ListView& list = dialog.List(IDC_LIST);
    list.InsertColumn(0, "Path", LVCFMT_LEFT, 150);
    list.InsertColumn(1, "Status", LVCFMT_LEFT, 80);
    EXPECT_EQ(list.InsertItem(-1, "x"), -1);
    EXPECT_EQ(list.InsertItem(10, "a"), 0);  // past the end: appended
    EXPECT_EQ(list.InsertItem(0, "b", 5), 0);
    EXPECT_TRUE(list.SetItemText(1, 1, "Active"));
    EXPECT_FALSE(list.SetItemText(1, 2, "no such column"));
    EXPECT_FALSE(list.SetItemText(2, 0, "no such row"));
    EXPECT_EQ(list.GetItemText(1, 1), "Active");
    EXPECT_EQ(list.GetItemText(0, 1), "");
    EXPECT_EQ(list.GetItemText(5, 0), "");
    EXPECT_EQ(list.GetItemImage(0), 5);
    EXPECT_TRUE(list.SetItemState(1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED));
    list.InsertItem(0, "c");
    EXPECT_EQ(list.GetItemText(2, 0), "a");
    EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED | LVNI_FOCUSED), 2);
    EXPECT_TRUE(list.SetItemState(0, LVIS_FOCUSED, LVIS_FOCUSED));
    EXPECT_EQ(list.GetItemState(2, LVIS_FOCUSED), 0u);  // one focused row
    EXPECT_TRUE(list.SetItemState(-1, LVIS_SELECTED, LVIS_SELECTED));
    EXPECT_EQ(list.GetSelectedCount(), 3);
    EXPECT_FALSE(list.DeleteItem(3));
    EXPECT_TRUE(list.DeleteItem(1));
    EXPECT_EQ(list.GetItemCount(), 2);
    EXPECT_EQ(list.GetItemData(9), 0u);
}

TEST(ListRows, DragImageShowsTheRowIcon) {
    SampleDialog dialog;
    ListView& list = dialog.List(IDC_LIST);
    ImageList icons;
    ASSERT_TRUE(icons.Create(16, 16, true, 2, 2));
    Bitmap red{16, 16, std::vector<std::uint32_t>(256, 0xFFFF0000)};
    icons.Add(red, RGB(255, 255, 255));
    EXPECT_EQ(list.SetImageList(&icons, LVSIL_SMALL), nullptr);
    list.InsertItem(0, "row", 0);
    EXPECT_EQ(list.CreateDragImage(3), nullptr);
    const auto drag = list.CreateDragImage(0);
    ASSERT_NE(drag, nullptr);
    ASSERT_EQ(drag->GetImageCount(), 1);
    EXPECT_EQ(drag->GetImage(0).At(3, 3), 0xFFFF0000u);
}

}  // namespace
}  // namespace ui::test
