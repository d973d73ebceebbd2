// Halvgate's windows in the Qt backend: every control of each template shown with its caption,
// visibility and enabled state, each caption fitting its control, a screenshot of each window,
// and a short session in the main window played on the widgets.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include "common/config_header.h"
#include "halvgate/access/login_dlg.h"
#include "halvgate/mainwindow/about_dlg.h"
#include "halvgate/mainwindow/protected_items_dlg.h"
#include "halvgate/res/halvgate_resources.h"
#include "halvgate/res/protected_items_dialog_ids.h"
#include "tests/support/test_machine.h"
#include "tests/ui_qt/qt_test_support.h"
#include "ui/qt/qt_group_box.h"
#include "ui/qt/qt_screenshot.h"
#include "ui/qt/qt_text.h"
#include "ui/qt/qt_window.h"

namespace ui::qttest {
namespace {

using ui::qtbackend::LabelText;

// Room a push button's frame takes around its caption.
constexpr int kButtonPadding = 6;

QWidget* WidgetOfControl(const Dialog& dialog, const Control& control) {
    return ui::qtbackend::QtWindowOf(dialog)->ControlWidget(control);
}

// What the user sees of the caption, and whether it fits the control.
void ExpectCaptionFits(const Control& control, QWidget& widget) {
    const QFontMetrics metrics(widget.font());
    const QString caption = LabelText(control.GetText());
    switch (control.Kind()) {
        case ControlKind::PushButton:
            EXPECT_LE(metrics.horizontalAdvance(caption) + kButtonPadding, widget.width());
            break;
        case ControlKind::CheckBox:
        case ControlKind::RadioButton:
            EXPECT_LE(widget.sizeHint().width(), widget.width());
            EXPECT_LE(metrics.height(), widget.height());
            break;
        case ControlKind::Static: {
            auto& label = static_cast<QLabel&>(widget);
            EXPECT_LE(label.heightForWidth(label.width()), label.height());
            break;
        }
        case ControlKind::GroupBox: {
            // The caption may wrap, but it stays inside the frame.
            const QRect text = ui::qtbackend::QtGroupBox::CaptionRect(widget, caption);
            EXPECT_TRUE(widget.rect().contains(text));
            break;
        }
        default:
            break;
    }
}

QString ShownCaption(QWidget& widget) {
    if (auto* button = qobject_cast<QAbstractButton*>(&widget)) {
        return button->text();
    }
    if (auto* label = qobject_cast<QLabel*>(&widget)) {
        return label->text();
    }
    return widget.accessibleName();
}

// Every control of the template is a widget at its place with the model's state, and its
// caption fits.
void ExpectWindowShowsTemplate(const Dialog& dialog) {
    QWidget* window = WindowOf(dialog);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->windowTitle().toStdString(), dialog.GetWindowText());
    EXPECT_EQ(window->size(),
              QSize(DluToPixelsX(dialog.Template().cx), DluToPixelsY(dialog.Template().cy)));
    const std::vector<Control*> controls = dialog.Controls();
    ASSERT_EQ(controls.size(), dialog.Template().controls.size());
    for (const Control* control : controls) {
        SCOPED_TRACE(control->Template().name + " \"" + control->GetText() + "\"");
        QWidget* widget = WidgetOfControl(dialog, *control);
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(widget->isVisible(), control->IsVisible());
        EXPECT_EQ(widget->isEnabled(), control->IsEnabled());
        const Rect bounds = control->Bounds();
        EXPECT_EQ(widget->pos(), QPoint(bounds.left, bounds.top));
        const ControlKind kind = control->Kind();
        if (kind == ControlKind::PushButton || kind == ControlKind::CheckBox ||
            kind == ControlKind::RadioButton || kind == ControlKind::Static) {
            EXPECT_EQ(ShownCaption(*widget), kind == ControlKind::Static
                                                 ? LabelText(control->GetText())
                                                 : ui::qtbackend::MnemonicText(control->GetText()));
        }
        if (kind == ControlKind::GroupBox) {
            EXPECT_EQ(ShownCaption(*widget).toStdString(), control->GetText());
        }
        if (control->IsVisible()) {
            ExpectCaptionFits(*control, *widget);
        }
        // Group boxes lie around their controls: nothing visible sticks out of one it starts
        // in, and nothing covers its caption.
        if (kind == ControlKind::GroupBox) {
            const QRect frame = widget->geometry();
            const QRect caption =
                ui::qtbackend::QtGroupBox::CaptionRect(*widget, LabelText(control->GetText()))
                    .translated(frame.topLeft());
            for (const Control* other : controls) {
                QWidget* inner = WidgetOfControl(dialog, *other);
                if (other != control && inner->isVisible() &&
                    frame.contains(inner->geometry().topLeft())) {
                    EXPECT_TRUE(frame.contains(inner->geometry())) << other->Template().name;
                    EXPECT_FALSE(caption.intersects(inner->geometry())) << other->Template().name;
                }
            }
        }
    }
}

// Tab goes from control to control in template order, through the tab stops that take input.
void ExpectTabOrderFollowsTemplate(const Dialog& dialog) {
    std::vector<QWidget*> stops;
    for (const Control* control : dialog.Controls()) {
        if ((control->Template().style & Style::TabStop) != 0 && control->AcceptsInput()) {
            stops.push_back(WidgetOfControl(dialog, *control));
        }
    }
    ASSERT_FALSE(stops.empty());
    std::vector<QWidget*> chain;
    QWidget* widget = stops.front();
    do {
        if (std::find(stops.begin(), stops.end(), widget) != stops.end()) {
            chain.push_back(widget);
        }
        widget = widget->nextInFocusChain();
    } while (widget != stops.front() && chain.size() <= stops.size());
    EXPECT_EQ(chain, stops);
}

void SaveScreenshot(Dialog& dialog, const std::string& name) {
    EXPECT_TRUE(ui::qtbackend::SaveScreenshot(dialog, ScreenshotFolder() + "/" + name));
}

// Runs `body` once in the dialog's modal loop, after its window has come up.
void InLoop(Dialog& dialog, std::function<void()> body) {
    QTimer::singleShot(0, [&dialog, body = std::move(body)] {
        ASSERT_TRUE(QTest::qWaitForWindowActive(WindowOf(dialog)));
        body();
    });
}

class HalvgateWindowsTest : public ::testing::Test {
  protected:
    void SetUp() override { halvgate::RegisterHalvgateResources(); }
    halvern_test::TestMachine pc;
};

TEST_F(HalvgateWindowsTest, AboutBox) {
    halvgate::CAboutDlg about;
    InLoop(about, [&] {
        ExpectWindowShowsTemplate(about);
        ExpectTabOrderFollowsTemplate(about);
        EXPECT_FALSE(WindowOf(about)->windowIcon().isNull() && about.GetIcon() != 0);
        EXPECT_EQ(WidgetOf<QLineEdit>(about, "IDC_WEB_ADDRESS")->text().toStdString(),
                  halvgate::CAboutDlg::kWebAddress);
        // The picture is the program's icon.
        for (const Control* control : about.Controls()) {
            if (control->Kind() == ControlKind::Icon) {
                auto* picture = qobject_cast<QLabel*>(WidgetOfControl(about, *control));
                ASSERT_NE(picture, nullptr);
                EXPECT_FALSE(picture->pixmap().isNull());
            }
        }
        SaveScreenshot(about, "about-box.png");
        QTest::mouseClick(WidgetOf(about, "IDOK"), Qt::LeftButton);
    });
    EXPECT_EQ(about.DoModal(), IDOK);
}

TEST_F(HalvgateWindowsTest, LoginDialog) {
    halvern::ConfigHeader header;
    win::DWORD verified = 0;
    win::DWORD switchOff = 1;
    win::DWORD loginOnly = 0;
    halvgate::CLoginDlg login(header, verified, switchOff, loginOnly);
    InLoop(login, [&] {
        ExpectWindowShowsTemplate(login);
        ExpectTabOrderFollowsTemplate(login);
        // The password field hides what is typed, and has the focus.
        auto* password = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        ASSERT_NE(password, nullptr);
        EXPECT_EQ(password->echoMode(), QLineEdit::Password);
        SaveScreenshot(login, "login-dialog.png");
        QTest::keyClick(password, Qt::Key_Escape);
    });
    EXPECT_EQ(login.DoModal(), IDCANCEL);
}

TEST_F(HalvgateWindowsTest, MainWindowSession) {
    using namespace halvgate;
    CProtectedItemsDlg window;
    bool played = false;
    InLoop(window, [&] {
        ExpectWindowShowsTemplate(window);
        ExpectTabOrderFollowsTemplate(window);
        EXPECT_FALSE(WindowOf(window)->windowIcon().isNull());
        auto* list = WidgetOf<QTreeWidget>(window, "IDC_ITEM_LIST");
        ASSERT_NE(list, nullptr);
        // All 13 columns with headings that can be read in full.
        Settle();
        ASSERT_EQ(list->columnCount(), 13);
        const QFontMetrics metrics(list->header()->font());
        for (int c = 0; c < 13; ++c) {
            SCOPED_TRACE(list->headerItem()->text(c).toStdString());
            EXPECT_LE(metrics.horizontalAdvance(list->headerItem()->text(c)) + 8,
                      list->header()->sectionSize(c));
        }

        // Type a path, choose a preset, add the item.
        auto* path = WidgetOf<QLineEdit>(window, "IDC_PATH");
        auto* add = WidgetOf<QPushButton>(window, "IDC_ADD_ITEM");
        EXPECT_FALSE(add->isEnabled());
        path->setFocus();
        QTest::keyClicks(path, "C:\\WINDOWS\\notepad.exe");
        EXPECT_TRUE(add->isEnabled());
        // Tab moves on to "File..." in the window and in the dialog.
        QTest::keyClick(path, Qt::Key_Tab);
        EXPECT_EQ(window.GetFocusId(), IDC_BROWSE_FILE);
        EXPECT_EQ(QApplication::focusWidget(), WidgetOf(window, "IDC_BROWSE_FILE"));
        QTest::mouseClick(WidgetOf(window, "IDC_PRESET_READ_ONLY"), Qt::LeftButton);
        EXPECT_TRUE(WidgetOf<QCheckBox>(window, "IDC_RIGHT_WRITE_MODIFY")->isChecked());
        QTest::mouseClick(add, Qt::LeftButton);
        Settle();
        ASSERT_EQ(list->topLevelItemCount(), 1);
        EXPECT_EQ(list->topLevelItem(0)->text(0), QStringLiteral("C:\\WINDOWS\\notepad.exe"));
        EXPECT_FALSE(list->topLevelItem(0)->icon(0).isNull());
        // A second item, typed and added with Enter (the default button).
        path->selectAll();
        QTest::keyClicks(path, "C:\\DATA\\*.DOC");
        QTest::mouseClick(WidgetOf(window, "IDC_PRESET_NO_ACCESS"), Qt::LeftButton);
        path->setFocus();
        QTest::keyClick(path, Qt::Key_Return);
        Settle();
        ASSERT_EQ(list->topLevelItemCount(), 2);
        SaveScreenshot(window, "main-window.png");

        // Drag the second row onto the first: it moves to the top.
        QWidget* rows = list->viewport();
        const QPoint from = list->visualItemRect(list->topLevelItem(1)).center();
        const QPoint onto = list->visualItemRect(list->topLevelItem(0)).center() - QPoint(0, 8);
        SendMouse(rows, QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
        SendMouse(rows, QEvent::MouseMove, from - QPoint(0, 6), Qt::NoButton, Qt::LeftButton);
        SendMouse(rows, QEvent::MouseMove, onto, Qt::NoButton, Qt::LeftButton);
        SendMouse(rows, QEvent::MouseButtonRelease, onto, Qt::LeftButton, Qt::NoButton);
        EXPECT_EQ(list->topLevelItem(0)->text(0), QStringLiteral("C:\\DATA\\*.DOC"));
        EXPECT_EQ(list->topLevelItem(1)->text(0), QStringLiteral("C:\\WINDOWS\\notepad.exe"));

        // Apply, and answer its message box.
        auto* apply = WidgetOf<QPushButton>(window, "IDC_APPLY");
        EXPECT_TRUE(apply->isEnabled());
        QString message;
        EXPECT_TRUE(WithNextModal([&] { QTest::mouseClick(apply, Qt::LeftButton); },
                                  [&](QWidget& box) {
                                      auto* messageBox = qobject_cast<QMessageBox*>(&box);
                                      ASSERT_NE(messageBox, nullptr);
                                      message =
                                          messageBox->windowTitle() + ": " + messageBox->text();
                                      messageBox->buttons().front()->click();
                                  }));
        EXPECT_EQ(message, QStringLiteral("Success!: Changes had been applied successfully"));
        EXPECT_FALSE(apply->isEnabled());
        played = true;
        QTest::mouseClick(WidgetOf(window, "IDC_CLOSE"), Qt::LeftButton);
    });
    EXPECT_EQ(window.DoModal(), IDCANCEL);
    EXPECT_TRUE(played);
    EXPECT_FALSE(pc.ReadFile("C:\\WINDOWS\\DO2000IF.CFG").empty());
}

}  // namespace
}  // namespace ui::qttest
