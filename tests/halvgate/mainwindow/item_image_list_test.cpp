// The seven row pictures: their order, size and transparent white, and the main window's use.
#include "halvgate/mainwindow/item_image_list.h"

#include <gtest/gtest.h>

#include "halvgate/res/icon_resources.h"
#include "halvgate/res/protected_items_dialog_ids.h"
#include "tests/halvgate/mainwindow/main_window_fixture.h"
#include "ui/image_list.h"
#include "ui/resources.h"

namespace halvgate_test {
namespace {

using ItemImageListTest = MainWindowTest;

TEST_F(ItemImageListTest, HoldsTheSevenPicturesInTheirFixedOrderWithWhiteTransparent) {
    ui::ImageList images;
    ASSERT_TRUE(halvgate::ItemImageList().Build(images));
    EXPECT_EQ(images.GetBkColor(), ui::CLR_NONE);
    ASSERT_EQ(images.GetImageCount(), 7);
    const int bitmaps[] = {136, 132, 133, 135, 130, 137, 134};
    for (int index = 0; index < 7; ++index) {
        SCOPED_TRACE(index);
        const ui::Bitmap* source = ui::LoadBitmap(bitmaps[index]);
        ASSERT_NE(source, nullptr);
        const ui::Bitmap& picture = images.GetImage(index);
        ASSERT_EQ(picture.width, 16);
        ASSERT_EQ(picture.height, 16);
        int opaque = 0;
        for (int y = 0; y < 16; ++y) {
            for (int x = 0; x < 16; ++x) {
                const std::uint32_t drawn = source->At(x, y);
                const bool white = (drawn & 0xFFFFFF) == 0xFFFFFF;
                EXPECT_EQ(picture.At(x, y) >> 24, white ? 0u : 0xFFu) << x << "," << y;
                opaque += white ? 0 : 1;
            }
        }
        EXPECT_GT(opaque, 20) << "a picture, not a blank";
        EXPECT_EQ(picture.At(0, 15) >> 24, 0u) << "the corner shows the background";
    }
    // Each picture is a different one.
    for (int a = 0; a < 7; ++a) {
        for (int b = a + 1; b < 7; ++b) {
            EXPECT_NE(images.GetImage(a).pixels, images.GetImage(b).pixels) << a << " " << b;
        }
    }
    ASSERT_NE(ui::LoadIcon(halvgate::IDR_MAINFRAME), nullptr);
}

TEST_F(ItemImageListTest, TheMainWindowAttachesItToTheItemList) {
    auto script = Steps("");
    script.Call([](ui::Dialog& dialog) {
        const ui::ImageList* images =
            dialog.List(halvgate::IDC_ITEM_LIST).GetImageList(ui::LVSIL_SMALL);
        ASSERT_NE(images, nullptr);
        EXPECT_EQ(images->GetImageCount(), 7);
        EXPECT_EQ(dialog.List(halvgate::IDC_ITEM_LIST).GetColumnCount(), 13);
        EXPECT_EQ(dialog.List(halvgate::IDC_ITEM_LIST).GetColumn(12).heading, "Visible");
    });
    script.Append("click IDC_CLOSE");
    const auto transcript = Run(script);
    EXPECT_FALSE(transcript.HasFailures()) << transcript.ToText();
}

}  // namespace
}  // namespace halvgate_test
