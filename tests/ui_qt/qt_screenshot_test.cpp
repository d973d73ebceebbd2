// Screenshots of a window, also without a display.
#include <gtest/gtest.h>

#include <QImage>
#include <QTest>

#include "tests/ui_qt/qt_sample_dialog.h"
#include "tests/ui_qt/qt_test_support.h"
#include "ui/qt/qt_screenshot.h"

namespace ui::qttest {
namespace {

TEST(QtScreenshotTest, SavesTheFramedWindowAsPng) {
    RegisterSampleIcon();
    QtSampleDialog dialog;
    ASSERT_TRUE(dialog.Create());
    const std::string path = ScreenshotFolder() + "/qt-sample.png";
    ASSERT_TRUE(ui::qtbackend::SaveScreenshot(dialog, path));
    QImage saved;
    ASSERT_TRUE(saved.load(QString::fromStdString(path)));
    const QSize client = WindowOf(dialog)->size();
    // The client area under a title bar, inside a one-pixel border.
    EXPECT_EQ(saved.width(), client.width() + 2);
    EXPECT_GT(saved.height(), client.height() + 2);
    // The client area is the window's own drawing.
    const QImage grabbed =
        WindowOf(dialog)->grab().toImage().convertToFormat(QImage::Format_ARGB32);
    const int top = saved.height() - 1 - client.height();
    EXPECT_EQ(
        saved.copy(1, top, client.width(), client.height()).convertToFormat(QImage::Format_ARGB32),
        grabbed);
    dialog.DestroyWindow();
    EXPECT_FALSE(ui::qtbackend::SaveScreenshot(dialog, path));
}

}  // namespace
}  // namespace ui::qttest
