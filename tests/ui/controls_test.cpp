// Drop-down lists, progress bars, image lists, resources and the plain control state.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/ui/sample_dialog.h"
#include "tests/ui/script_run.h"
#include "ui/image_list.h"
#include "ui/resources.h"

namespace ui::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

TEST(ComboBoxPick, ByTextIgnoringCaseOrByIndexThenNotifies) {
    ScriptRun run(
        "pick IDC_COMBO \"prompt\"\n"
        "expect text IDC_COMBO \"Prompt\"\n"
        "pick IDC_COMBO 2\n"
        "expect text IDC_COMBO \"Password\"\n"
        "pick IDC_COMBO \"Nothing\"\n"
        "pick IDC_NAME 1\n"
        "escape\n");
    SampleDialog dialog;
    dialog.DoModal();
    EXPECT_THAT(dialog.log, ElementsAre("init", "selchange 1", "selchange 2", "destroy"));
    EXPECT_EQ(run.Failures(),
              "FAIL 5: pick IDC_COMBO \"Nothing\": no such item in the list\n"
              "FAIL 6: pick IDC_NAME 1: control IDC_NAME is not a drop-down list\n");
}

TEST(ComboBoxItems, SelectionFollowsInsertionAndDeletion) {
    SampleDialog dialog;
    ComboBox& combo = dialog.Combo(IDC_COMBO);
    EXPECT_EQ(combo.AddString("a"), 0);
    EXPECT_EQ(combo.AddString("b"), 1);
    EXPECT_EQ(combo.AddString("c"), 2);
    EXPECT_EQ(combo.SetCurSel(2), 2);
    EXPECT_EQ(combo.InsertString(0, "z"), 0);
    EXPECT_EQ(combo.GetCurSel(), 3);
    EXPECT_EQ(combo.InsertString(9, "x"), ComboBox::CB_ERR);
    EXPECT_EQ(combo.DeleteString(1), 3);
    EXPECT_EQ(combo.GetCurSel(), 2);
    EXPECT_EQ(combo.GetText(), "c");
    EXPECT_EQ(combo.DeleteString(2), 2);
    EXPECT_EQ(combo.GetCurSel(), -1);
    EXPECT_EQ(combo.GetText(), "");
    EXPECT_EQ(combo.SetCurSel(7), ComboBox::CB_ERR);
    EXPECT_EQ(combo.GetCurSel(), -1);
    EXPECT_EQ(combo.GetLBText(7), "");
    combo.AddString("B");
    // Searches after the start, wrapping round.
    EXPECT_EQ(combo.FindStringExact(-1, "b"), 1);
    EXPECT_EQ(combo.FindStringExact(1, "b"), 2);
    EXPECT_EQ(combo.FindStringExact(2, "b"), 1);
    EXPECT_EQ(combo.FindStringExact(-1, "q"), ComboBox::CB_ERR);
    combo.ResetContent();
    EXPECT_EQ(combo.GetCount(), 0);
    EXPECT_EQ(combo.FindStringExact(-1, "b"), ComboBox::CB_ERR);
}

TEST(ProgressBarPosition, ClampsIntoTheRangeAndStepWraps) {
    SampleDialog dialog;
    ProgressBar& bar = dialog.Progress(IDC_PROGRESS);
    bar.SetRange(0, 100);
    EXPECT_EQ(bar.SetPos(150), 0);
    EXPECT_EQ(bar.GetPos(), 100);
    EXPECT_EQ(bar.SetPos(-5), 100);
    EXPECT_EQ(bar.GetPos(), 0);
    EXPECT_EQ(bar.SetStep(30), 10);
    bar.SetPos(90);
    EXPECT_EQ(bar.StepIt(), 90);
    EXPECT_EQ(bar.GetPos(), 20);  // 120 wraps past the upper bound
    bar.SetRange(50, 60);
    EXPECT_EQ(bar.GetPos(), 50);
}

TEST(ImageListMask, MaskColourBecomesTransparent) {
    ImageList list;
    EXPECT_EQ(list.Add(Bitmap{16, 16, std::vector<std::uint32_t>(256)}, CLR_NONE), -1);
    ASSERT_TRUE(list.Create(16, 16, true, 2, 2));
    EXPECT_FALSE(ImageList().Create(0, 16, true, 2, 2));
    // Two pictures side by side: white ground, one red pixel each.
    Bitmap strip{32, 16, std::vector<std::uint32_t>(32 * 16, 0xFFFFFFFF)};
    strip.pixels[0] = 0xFFFF0000;
    strip.pixels[16 + 5] = 0x00FF0000;  // no alpha in the source: still opaque
    EXPECT_EQ(list.Add(strip, RGB(255, 255, 255)), 0);
    ASSERT_EQ(list.GetImageCount(), 2);
    EXPECT_EQ(list.GetImage(0).At(0, 0), 0xFFFF0000u);
    EXPECT_EQ(list.GetImage(0).At(1, 0) >> 24, 0u);
    EXPECT_EQ(list.GetImage(1).At(5, 0), 0xFFFF0000u);
    EXPECT_EQ(list.GetImage(1).At(0, 0) >> 24, 0u);
    // A mask colour given as COLORREF (blue in the high byte) against 0xRRGGBB pixels.
    Bitmap blue{16, 16, std::vector<std::uint32_t>(256, 0xFF0000FF)};
    EXPECT_EQ(list.Add(blue, RGB(0, 0, 255)), 2);
    EXPECT_EQ(list.GetImage(2).At(7, 7) >> 24, 0u);
    // A bitmap whose pixels do not match its size is refused, not read past its end.
    EXPECT_EQ(list.Add(Bitmap{16, 16, std::vector<std::uint32_t>(10)}, CLR_NONE), -1);
    EXPECT_EQ(list.SetBkColor(CLR_NONE), CLR_NONE);

    ImageList opaque;
    ASSERT_TRUE(opaque.Create(16, 16, false, 1, 1));
    opaque.Add(blue, RGB(0, 0, 255));
    EXPECT_EQ(opaque.GetImage(0).At(7, 7), 0xFF0000FFu);
}

TEST(ImageListDrag, ForwardsToTheBackend) {
    ImageList list;
    ASSERT_TRUE(list.Create(16, 16, true, 1, 1));
    list.Add(Bitmap{16, 16, std::vector<std::uint32_t>(256, 0xFF000000)}, CLR_NONE);
    EXPECT_FALSE(ImageList::BeginDrag(list, 0, {8, 8}));  // no backend
    ScriptRun run("");
    EXPECT_FALSE(ImageList::DragMove({1, 1}));  // no drag yet
    EXPECT_FALSE(ImageList::BeginDrag(list, 3, {8, 8}));
    ASSERT_TRUE(ImageList::BeginDrag(list, 0, {8, 8}));
    EXPECT_TRUE(run.Backend().IsDragging());
    EXPECT_TRUE(ImageList::DragEnter({10, 20}));
    EXPECT_TRUE(ImageList::DragMove({30, 40}));
    EXPECT_EQ(run.Backend().DragPosition(), (Point{30, 40}));
    EXPECT_TRUE(ImageList::DragLeave());
    ImageList::EndDrag();
    EXPECT_FALSE(run.Backend().IsDragging());
    EXPECT_FALSE(ImageList::DragMove({1, 1}));
}

TEST(Resources, RegisteredByIdAndAbsentOtherwise) {
    RegisterBitmap(9130, Bitmap{1, 1, {0xFF112233}});
    RegisterIcon(9131, Bitmap{2, 1, {0, 0}});
    RegisterString(9132, "Protected items");
    ASSERT_NE(LoadBitmap(9130), nullptr);
    EXPECT_EQ(LoadBitmap(9130)->At(0, 0), 0xFF112233u);
    EXPECT_EQ(LoadIcon(9131)->width, 2);
    EXPECT_EQ(LoadString(9132), "Protected items");
    EXPECT_EQ(LoadBitmap(9131), nullptr);
    EXPECT_EQ(LoadIcon(9130), nullptr);
    EXPECT_EQ(LoadString(9133), "");
}

TEST(ControlState, TextAccessAndRadioRanges) {
    SampleDialog dialog;
    dialog.SetDlgItemText(IDC_NAME, "abcdef");
    EXPECT_EQ(dialog.GetDlgItemText(IDC_NAME, 4), "abc");
    EXPECT_EQ(dialog.GetDlgItemText(IDC_NAME, 0), "");
    Control& name = dialog.Item(IDC_NAME);
    name.SetSel(0, -1);
    EXPECT_EQ(name.GetSelStart(), 0);
    EXPECT_EQ(name.GetSelEnd(), 6);
    name.SetSel(4, 2);
    EXPECT_EQ(name.GetSelStart(), 2);
    EXPECT_EQ(name.GetSelEnd(), 4);
    name.SetSel(-1, 0);
    EXPECT_EQ(name.GetSelStart(), 4);
    dialog.CheckRadioButton(IDC_ALPHA, IDC_GAMMA, IDC_BETA);
    EXPECT_EQ(dialog.IsDlgButtonChecked(IDC_BETA), BST_CHECKED);
    dialog.CheckRadioButton(IDC_ALPHA, IDC_GAMMA, IDC_GAMMA);
    EXPECT_EQ(dialog.IsDlgButtonChecked(IDC_BETA), BST_UNCHECKED);
    EXPECT_EQ(dialog.IsDlgButtonChecked(IDC_GAMMA), BST_CHECKED);
    EXPECT_EQ(dialog.GetDefId(), IDC_APPLY);
    EXPECT_TRUE(dialog.Item(IDC_APPLY).IsDefaultButton());
    EXPECT_FALSE(dialog.Item(IDOK).IsDefaultButton());
    EXPECT_EQ(SampleDialog(DefaultButton::None).GetDefId(), 0);
}

TEST(ControlStateDeathTest, ItemOfAnUnknownIdIsAProgrammingError) {
    SampleDialog dialog;
    EXPECT_DEATH(dialog.Item(4242), "dialog 100 has no control 4242");
    EXPECT_DEATH(dialog.List(IDC_NAME), "dialog 100 has no control 1000");
}

}  // namespace
}  // namespace ui::test
