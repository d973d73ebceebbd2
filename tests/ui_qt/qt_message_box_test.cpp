// Message boxes show the buttons, icon and caption the flags ask for, and return the id of the
// button the user pressed.
#include <gtest/gtest.h>

#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include "tests/ui_qt/qt_test_support.h"
#include "ui/message_box.h"

namespace ui::qttest {
namespace {

struct BoxCase {
    unsigned type;
    std::vector<QMessageBox::StandardButton> buttons;  // in the order shown
    QMessageBox::Icon icon;
    QMessageBox::StandardButton press;
    int result;
};

TEST(QtMessageBoxTest, ButtonsIconAndCaptionFollowTheFlags) {
    const BoxCase cases[] = {
        {MB_OK, {QMessageBox::Ok}, QMessageBox::NoIcon, QMessageBox::Ok, IDOK},
        {MB_OK | MB_ICONINFORMATION,
         {QMessageBox::Ok},
         QMessageBox::Information,
         QMessageBox::Ok,
         IDOK},
        {MB_OKCANCEL | MB_ICONERROR,
         {QMessageBox::Ok, QMessageBox::Cancel},
         QMessageBox::Critical,
         QMessageBox::Cancel,
         IDCANCEL},
        {MB_YESNO | MB_ICONQUESTION,
         {QMessageBox::Yes, QMessageBox::No},
         QMessageBox::Question,
         QMessageBox::No,
         IDNO},
        {MB_YESNOCANCEL | MB_ICONWARNING | MB_TOPMOST,
         {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel},
         QMessageBox::Warning,
         QMessageBox::Yes,
         IDYES},
    };
    for (const BoxCase& c : cases) {
        SCOPED_TRACE(c.type);
        int result = 0;
        const bool shown = WithNextModal(
            [&] { result = MessageBox(nullptr, "Line one\r\nLine two", "Warning", c.type); },
            [&](QWidget& window) {
                auto* box = qobject_cast<QMessageBox*>(&window);
                ASSERT_NE(box, nullptr);
                EXPECT_EQ(box->windowTitle(), QStringLiteral("Warning"));
                EXPECT_EQ(box->text(), QStringLiteral("Line one\nLine two"));
                EXPECT_EQ(box->icon(), c.icon);
                EXPECT_EQ(box->windowFlags().testFlag(Qt::WindowStaysOnTopHint),
                          (c.type & MB_TOPMOST) != 0);
                std::vector<QMessageBox::StandardButton> buttons;
                for (QAbstractButton* button : box->buttons()) {
                    buttons.push_back(box->standardButton(button));
                }
                std::sort(buttons.begin(), buttons.end());
                std::vector<QMessageBox::StandardButton> expected = c.buttons;
                std::sort(expected.begin(), expected.end());
                EXPECT_EQ(buttons, expected);
                EXPECT_EQ(box->defaultButton(), box->button(c.buttons.front()));
                box->button(c.press)->click();
            });
        EXPECT_TRUE(shown);
        EXPECT_EQ(result, c.result);
    }
}

TEST(QtMessageBoxTest, EscapeCancelsButCannotAnswerAYesNoBox) {
    int result = 0;
    WithNextModal([&] { result = MessageBox(nullptr, "Sure?", "Question", MB_OKCANCEL); },
                  [](QWidget& box) { QTest::keyClick(&box, Qt::Key_Escape); });
    EXPECT_EQ(result, IDCANCEL);

    bool stayed = false;
    WithNextModal([&] { result = MessageBox(nullptr, "Sure?", "Question", MB_YESNO); },
                  [&](QWidget& window) {
                      QTest::keyClick(&window, Qt::Key_Escape);
                      window.close();
                      stayed = window.isVisible();
                      qobject_cast<QMessageBox*>(&window)->button(QMessageBox::Yes)->click();
                  });
    EXPECT_TRUE(stayed);
    EXPECT_EQ(result, IDYES);
}

}  // namespace
}  // namespace ui::qttest
