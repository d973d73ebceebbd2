// Raw input on the widgets reaches the dialog manager, which decides what it means; the
// widgets then show what it decided, never what Qt would have done by itself.
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include "tests/ui_qt/qt_sample_dialog.h"
#include "tests/ui_qt/qt_test_support.h"
#include "ui/common_dialogs.h"

namespace ui::qttest {
namespace {

class QtInputTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dialog.Create());
        ASSERT_TRUE(QTest::qWaitForWindowActive(WindowOf(dialog)));
    }
    void TearDown() override { dialog.DestroyWindow(); }
    QtSampleDialog dialog;
};

TEST_F(QtInputTest, CheckBoxesAndRadioButtonsChangeOnlyAsTheDialogManagerSays) {
    auto* automatic = WidgetOf<QCheckBox>(dialog, "IDC_AUTO");
    auto* manual = WidgetOf<QCheckBox>(dialog, "IDC_MANUAL");
    QTest::mouseClick(automatic, Qt::LeftButton);
    QTest::mouseClick(manual, Qt::LeftButton);
    // Without the automatic style a click checks nothing: the program would.
    EXPECT_TRUE(automatic->isChecked());
    EXPECT_FALSE(manual->isChecked());
    EXPECT_EQ(dialog.IsDlgButtonChecked(IDC_AUTO), BST_CHECKED);
    EXPECT_EQ(dialog.IsDlgButtonChecked(IDC_MANUAL), BST_UNCHECKED);
    QTest::mouseClick(automatic, Qt::LeftButton);
    EXPECT_FALSE(automatic->isChecked());

    auto* first = WidgetOf<QRadioButton>(dialog, "IDC_FIRST");
    auto* second = WidgetOf<QRadioButton>(dialog, "IDC_SECOND");
    QTest::mouseClick(second, Qt::LeftButton);
    EXPECT_TRUE(second->isChecked());
    EXPECT_FALSE(first->isChecked());
    QTest::mouseClick(second, Qt::LeftButton);  // a checked radio button stays checked
    EXPECT_TRUE(second->isChecked());

    EXPECT_EQ(dialog.log, (std::vector<std::string>{
                              "clicked 2004 check 1",
                              "clicked 2005 check 0",
                              "clicked 2004 check 0",
                              "clicked 2007 check 1",
                              "clicked 2007 check 1",
                          }));
}

TEST_F(QtInputTest, TypingReportsEachChangeAndKeepsTheCaret) {
    auto* name = WidgetOf<QLineEdit>(dialog, "IDC_NAME");
    name->setFocus();
    QTest::keyClicks(name, "abc");
    EXPECT_EQ(dialog.GetDlgItemText(IDC_NAME), "abc");
    name->setCursorPosition(1);
    QTest::keyClicks(name, "X");
    EXPECT_EQ(dialog.GetDlgItemText(IDC_NAME), "aXbc");
    EXPECT_EQ(name->cursorPosition(), 2);
    EXPECT_EQ(dialog.log,
              (std::vector<std::string>{"changed a", "changed ab", "changed abc", "changed aXbc"}));

    // The model's limit holds whatever the field would take.
    dialog.Item(IDC_NAME).LimitText(5);
    QTest::keyClicks(name, "YZ");
    EXPECT_EQ(dialog.GetDlgItemText(IDC_NAME), "aXYbc");
    EXPECT_EQ(name->text(), QStringLiteral("aXYbc"));

    auto* notes = WidgetOf<QPlainTextEdit>(dialog, "IDC_NOTES");
    notes->setFocus();
    QTest::keyClicks(notes, "hi");
    EXPECT_EQ(dialog.GetDlgItemText(IDC_NOTES), "hi");
}

TEST_F(QtInputTest, FocusAndComboChoicesReachTheModel) {
    auto* secret = WidgetOf<QLineEdit>(dialog, "IDC_SECRET");
    secret->setFocus();
    EXPECT_EQ(dialog.GetFocusId(), IDC_SECRET);
    // The model moving the focus moves it in the window.
    dialog.GotoDlgCtrl(IDC_NAME);
    EXPECT_EQ(WindowOf(dialog)->focusWidget(), WidgetOf(dialog, "IDC_NAME"));

    // A focused push button looks like the default one; elsewhere the default one does.
    auto* add = WidgetOf<QPushButton>(dialog, "IDC_ADD");
    auto* cancel = WidgetOf<QPushButton>(dialog, "IDCANCEL");
    EXPECT_TRUE(add->isDefault());
    cancel->setFocus();
    EXPECT_TRUE(cancel->isDefault());
    EXPECT_FALSE(add->isDefault());

    auto* choice = WidgetOf<QComboBox>(dialog, "IDC_CHOICE");
    choice->setFocus();
    EXPECT_FALSE(cancel->isDefault());
    EXPECT_TRUE(add->isDefault());
    QTest::keyClick(choice, Qt::Key_Down);
    EXPECT_EQ(dialog.Combo(IDC_CHOICE).GetCurSel(), 1);
    EXPECT_EQ(choice->currentIndex(), 1);
    EXPECT_EQ(dialog.log.back(), "selchange 1");
}

TEST_F(QtInputTest, EnterPressesTheDefaultButtonAndEscapeCancels) {
    auto* name = WidgetOf<QLineEdit>(dialog, "IDC_NAME");
    name->setFocus();
    QTest::keyClick(name, Qt::Key_Return);
    EXPECT_EQ(dialog.log, std::vector<std::string>{"add"});
    EXPECT_FALSE(dialog.IsEnded());
    // Enter on a focused push button presses that button instead.
    auto* cancel = WidgetOf<QPushButton>(dialog, "IDCANCEL");
    cancel->setFocus();
    QTest::keyClick(cancel, Qt::Key_Enter);
    EXPECT_TRUE(dialog.IsEnded());
    EXPECT_EQ(dialog.Result(), IDCANCEL);
}

TEST_F(QtInputTest, EscapeSendsCancel) {
    QTest::keyClick(WidgetOf(dialog, "IDC_NAME"), Qt::Key_Escape);
    EXPECT_EQ(dialog.log, std::vector<std::string>{"cancel"});
    EXPECT_EQ(dialog.Result(), IDCANCEL);
}

TEST_F(QtInputTest, TheCloseBoxAsksTheDialogAndQtClosesNothing) {
    QWidget* window = WindowOf(dialog);
    QCloseEvent close;
    QApplication::sendEvent(window, &close);
    EXPECT_FALSE(close.isAccepted());
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(dialog.log, (std::vector<std::string>{"syscommand 61536", "close", "cancel"}));
    EXPECT_TRUE(dialog.IsEnded());
}

TEST_F(QtInputTest, DisabledAndHiddenControlsTakeNoInput) {
    auto* locked = WidgetOf<QPushButton>(dialog, "IDC_LOCKED");
    QTest::mouseClick(locked, Qt::LeftButton);
    auto* automatic = WidgetOf<QCheckBox>(dialog, "IDC_AUTO");
    dialog.EnableDlgItem(IDC_AUTO, false);
    QTest::mouseClick(automatic, Qt::LeftButton);
    EXPECT_FALSE(automatic->isChecked());
    dialog.EnableDlgItem(IDC_ADD, false);
    QTest::keyClick(WidgetOf(dialog, "IDC_NAME"), Qt::Key_Return);
    EXPECT_TRUE(dialog.log.empty());
}

TEST_F(QtInputTest, TheSystemMenuOffersTheProgramsItems) {
    QWidget* window = WindowOf(dialog);
    QStringList items;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (menu == nullptr) {
            return;
        }
        poll.stop();
        for (QAction* action : menu->actions()) {
            items << action->text();
            if (action->text() == QStringLiteral("About Sample...")) {
                menu->setActiveAction(action);
            }
        }
        QTest::keyClick(menu, Qt::Key_Return);
    });
    poll.start(10);
    QContextMenuEvent menu(QContextMenuEvent::Mouse, QPoint(5, 5),
                           window->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(window, &menu);
    EXPECT_EQ(items, (QStringList{"Close", "", "About Sample..."}));
    EXPECT_EQ(dialog.log, std::vector<std::string>{"syscommand 16"});
}

TEST(QtPumpTest, PumpOneMessageDispatchesWhatIsPendingThenReportsNone) {
    bool ran = false;
    QMetaObject::invokeMethod(
        qApp, [&] { ran = true; }, Qt::QueuedConnection);
    EXPECT_TRUE(PumpOneMessage());
    EXPECT_TRUE(ran);
    int pumped = 0;
    while (PumpOneMessage() && pumped < 100) {
        ++pumped;
    }
    EXPECT_LT(pumped, 100);
}

TEST(QtModalTest, DoModalRunsUntilTheDialogEndsAndANestedDialogIsModal) {
    QtSampleDialog outer;
    int innerResult = 0;
    bool innerModal = false;
    bool outerDisabled = false;
    QTimer::singleShot(0, [&] {  // in the outer dialog's loop
        QtSampleDialog inner(&outer);
        QTimer::singleShot(0, [&] {  // in the inner dialog's loop
            innerModal =
                WindowOf(inner)->isModal() && QApplication::activeModalWidget() == WindowOf(inner);
            outerDisabled = !outer.IsWindowEnabled();
            QTest::keyClick(WidgetOf(inner, "IDC_NAME"), Qt::Key_Escape);
        });
        innerResult = inner.DoModal();
        QTest::mouseClick(WidgetOf(outer, "IDCANCEL"), Qt::LeftButton);
    });
    EXPECT_EQ(outer.DoModal(), IDCANCEL);
    EXPECT_EQ(innerResult, IDCANCEL);
    EXPECT_TRUE(innerModal);
    EXPECT_TRUE(outerDisabled);
    EXPECT_FALSE(outer.IsWindow());
}

}  // namespace
}  // namespace ui::qttest
