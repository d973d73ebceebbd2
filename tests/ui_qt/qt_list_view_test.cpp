// Report-view lists: the model's columns, rows and icons; clicks, keys and header clicks
// through the dialog manager; the row geometry the model hit-tests with; row drags.
#include <gtest/gtest.h>

#include <QHeaderView>
#include <QScrollBar>
#include <QTest>
#include <QTreeWidget>

#include "tests/ui_qt/qt_sample_dialog.h"
#include "tests/ui_qt/qt_test_support.h"
#include "ui/qt/qt_drag_image.h"

namespace ui::qttest {
namespace {

class QtListViewTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dialog.Create());
        ASSERT_TRUE(QTest::qWaitForWindowActive(WindowOf(dialog)));
        tree = WidgetOf<QTreeWidget>(dialog, "IDC_LIST");
        ASSERT_NE(tree, nullptr);
    }
    void TearDown() override { dialog.DestroyWindow(); }

    // The middle of a row, in the tree's viewport.
    QPoint RowPoint(int row) const {
        return tree->visualItemRect(tree->topLevelItem(row)).center();
    }
    std::vector<int> QtSelection() const {
        Settle();
        std::vector<int> rows;
        for (const QModelIndex& index : tree->selectionModel()->selectedRows()) {
            rows.push_back(index.row());
        }
        std::sort(rows.begin(), rows.end());
        return rows;
    }
    std::vector<int> ModelSelection() const {
        std::vector<int> rows;
        const ListView& list = dialog.List(IDC_LIST);
        for (int row = list.GetNextItem(-1, LVNI_SELECTED); row >= 0;
             row = list.GetNextItem(row, LVNI_SELECTED)) {
            rows.push_back(row);
        }
        return rows;
    }
    void Click(int row, Qt::KeyboardModifiers keys = Qt::NoModifier) {
        SendMouse(tree->viewport(), QEvent::MouseButtonPress, RowPoint(row), Qt::LeftButton,
                  Qt::LeftButton, keys);
        SendMouse(tree->viewport(), QEvent::MouseButtonRelease, RowPoint(row), Qt::LeftButton,
                  Qt::NoButton, keys);
    }

    QtSampleDialog dialog;
    QTreeWidget* tree = nullptr;
};

TEST_F(QtListViewTest, ColumnsRowsAndIconsAreTheModels) {
    const ListView& list = dialog.List(IDC_LIST);
    ASSERT_EQ(tree->columnCount(), 3);
    for (int c = 0; c < 3; ++c) {
        SCOPED_TRACE(c);
        EXPECT_EQ(tree->headerItem()->text(c).toStdString(), list.GetColumn(c).heading);
        EXPECT_EQ(tree->header()->sectionSize(c), list.GetColumn(c).width);
    }
    ASSERT_EQ(tree->topLevelItemCount(), 12);
    EXPECT_EQ(tree->topLevelItem(5)->text(0), QStringLiteral("C:\\DATA\\FILE5.TXT"));
    EXPECT_EQ(tree->topLevelItem(3)->text(1), QStringLiteral("Inactive"));
    // A centred column centres its heading and its cells.
    EXPECT_TRUE(tree->headerItem()->textAlignment(1) & Qt::AlignHCenter);
    EXPECT_TRUE(tree->topLevelItem(0)->textAlignment(1) & Qt::AlignHCenter);
    EXPECT_TRUE(tree->topLevelItem(0)->textAlignment(0) & Qt::AlignLeft);
    // The first column is left-aligned whatever its format.
    dialog.List(IDC_LIST).InsertColumn(0, "First", LVCFMT_CENTER, 40);
    Settle();
    EXPECT_TRUE(tree->headerItem()->textAlignment(0) & Qt::AlignLeft);
    EXPECT_TRUE(tree->topLevelItem(0)->textAlignment(0) & Qt::AlignLeft);
    EXPECT_TRUE(tree->topLevelItem(0)->textAlignment(2) & Qt::AlignHCenter);
    // The small icons keep the image list's transparent white.
    const QImage icon = tree->topLevelItem(1)->icon(0).pixmap(16, 16).toImage();
    ASSERT_EQ(icon.size(), QSize(16, 16));
    EXPECT_EQ(qAlpha(icon.pixel(0, 0)), 0);
    EXPECT_EQ(icon.pixel(8, 8), 0xFF008000u);
}

TEST_F(QtListViewTest, RowsLieWhereTheModelHitTestsThem) {
    const ListView& list = dialog.List(IDC_LIST);
    EXPECT_EQ(tree->header()->height(), ListView::kHeaderHeight);
    for (int row : {0, 1, 4}) {
        SCOPED_TRACE(row);
        const QRect rect = tree->visualItemRect(tree->topLevelItem(row));
        EXPECT_EQ(rect.height(), ListView::kRowHeight);
        EXPECT_EQ(rect.top() + ListView::kHeaderHeight, list.GetItemRect(row).top);
    }
    // Scrolling the tree moves the model's top index, so that points still agree.
    tree->verticalScrollBar()->setValue(2);
    EXPECT_EQ(list.GetTopIndex(), 2);
    const QPoint top = tree->visualItemRect(tree->topLevelItem(2)).topLeft();
    EXPECT_EQ(top.y(), 0);
    Click(4);
    EXPECT_EQ(ModelSelection(), std::vector<int>{4});
    // Scrolled sideways, a click at the right end of a row still hits that row.
    dialog.List(IDC_LIST).InsertColumn(3, "Wide", LVCFMT_LEFT, 600);
    Settle();
    tree->horizontalScrollBar()->setValue(tree->horizontalScrollBar()->maximum());
    ASSERT_GT(tree->horizontalScrollBar()->value(), 0);
    const QPoint right(tree->viewport()->width() - 3, RowPoint(5).y());
    SendMouse(tree->viewport(), QEvent::MouseButtonPress, right, Qt::LeftButton, Qt::LeftButton);
    SendMouse(tree->viewport(), QEvent::MouseButtonRelease, right, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(ModelSelection(), std::vector<int>{5});
    EXPECT_EQ(dialog.log.back(), "listclick 5 3");
}

TEST_F(QtListViewTest, ClicksSelectAsTheDialogManagerSays) {
    Click(2);
    EXPECT_EQ(ModelSelection(), std::vector<int>{2});
    EXPECT_EQ(QtSelection(), std::vector<int>{2});
    Click(4, Qt::ControlModifier);
    EXPECT_EQ(QtSelection(), (std::vector<int>{2, 4}));
    Click(6, Qt::ShiftModifier);
    EXPECT_EQ(ModelSelection(), (std::vector<int>{4, 5, 6}));
    EXPECT_EQ(QtSelection(), ModelSelection());
    EXPECT_EQ(tree->currentIndex().row(), 6);
    // The arrow keys select as a click would.
    QTest::keyClick(tree, Qt::Key_Down);
    EXPECT_EQ(ModelSelection(), std::vector<int>{7});
    EXPECT_EQ(QtSelection(), std::vector<int>{7});
    // The program's selection shows too.
    dialog.List(IDC_LIST).SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_EQ(QtSelection(), (std::vector<int>{0, 7}));
    // A click below the last row clears the selection.
    dialog.List(IDC_LIST).DeleteItem(11);
    dialog.List(IDC_LIST).DeleteItem(10);
    Settle();
    const QPoint below = RowPoint(9) + QPoint(0, ListView::kRowHeight * 2);
    SendMouse(tree->viewport(), QEvent::MouseButtonPress, below, Qt::LeftButton, Qt::LeftButton);
    SendMouse(tree->viewport(), QEvent::MouseButtonRelease, below, Qt::LeftButton, Qt::NoButton);
    EXPECT_TRUE(QtSelection().empty());
    EXPECT_EQ(dialog.log.back(), "listclick -1 -1");

    QTest::mouseClick(tree->header()->viewport(), Qt::LeftButton, Qt::NoModifier,
                      QPoint(tree->header()->sectionPosition(1) + 10, 10));
    EXPECT_EQ(dialog.log.back(), "columnclick -1 1");
    EXPECT_EQ(dialog.GetFocusId(), IDC_LIST);
}

TEST_F(QtListViewTest, DraggingARowEndsWhereTheDialogSays) {
    QWidget* viewport = tree->viewport();
    const QPoint start = RowPoint(1);
    SendMouse(viewport, QEvent::MouseButtonPress, start, Qt::LeftButton, Qt::LeftButton);
    SendMouse(viewport, QEvent::MouseMove, start + QPoint(0, 3), Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(Backend().DragImage(), nullptr);  // not yet beyond the drag distance
    SendMouse(viewport, QEvent::MouseMove, start + QPoint(0, 12), Qt::NoButton, Qt::LeftButton);
    EXPECT_TRUE(dialog.HasCapture());
    const QPoint target = RowPoint(5) - QPoint(0, 10);
    SendMouse(viewport, QEvent::MouseMove, target, Qt::NoButton, Qt::LeftButton);
    const auto* image = Backend().DragImage();
    ASSERT_NE(image, nullptr);
    EXPECT_TRUE(image->Widget()->isVisible());
    // Mouse messages reach the dialog in its client coordinates while it holds the capture.
    const QPoint client = viewport->mapTo(WindowOf(dialog), target);
    EXPECT_EQ(dialog.lastMove, (Point{client.x(), client.y()}));
    // The image follows the pointer, its hotspot at the pointer.
    EXPECT_EQ(image->Widget()->pos(), viewport->mapToGlobal(target) - QPoint(8, 8));
    SendMouse(viewport, QEvent::MouseButtonRelease, target, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(Backend().DragImage(), nullptr);
    EXPECT_FALSE(dialog.HasCapture());
    ASSERT_GE(dialog.log.size(), 2u);
    EXPECT_EQ(dialog.log[dialog.log.size() - 2], "begindrag 1 -1");
    // 10 pixels below a point 10 pixels above row 5's middle is row 5.
    EXPECT_EQ(dialog.log.back(), "drop 1 at 5");
}

}  // namespace
}  // namespace ui::qttest
