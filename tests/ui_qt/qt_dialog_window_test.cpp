// The window of a dialog: every control of the template as a widget in its place, showing the
// model's state, and the window's caption, icon and size.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTreeWidget>

#include "tests/ui_qt/qt_sample_dialog.h"
#include "tests/ui_qt/qt_test_support.h"

namespace ui::qttest {
namespace {

class QtDialogWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        RegisterSampleIcon();
        ASSERT_TRUE(dialog.Create());
        ASSERT_TRUE(QTest::qWaitForWindowActive(WindowOf(dialog)));
    }
    void TearDown() override { dialog.DestroyWindow(); }
    QtSampleDialog dialog;
};

// The text a widget shows for its control's caption.
QString ShownText(QWidget* widget) {
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        return button->text();
    }
    if (auto* label = qobject_cast<QLabel*>(widget)) {
        return label->text();
    }
    if (widget->inherits("QLineEdit")) {
        return static_cast<QLineEdit*>(widget)->text();
    }
    return widget->accessibleName();
}

TEST_F(QtDialogWindowTest, EveryControlOfTheTemplateIsAWidgetAsTheModelSays) {
    QWidget* window = WindowOf(dialog);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Qt Sample"));
    EXPECT_FALSE(window->windowIcon().isNull());
    EXPECT_EQ(window->size(), QSize(DluToPixelsX(320), DluToPixelsY(220)));
    EXPECT_TRUE(window->isVisible());

    struct Expected {
        const char* name;
        const char* metaClass;  // the Qt class the kind is shown with
        QString text;
    };
    const Expected expected[] = {
        {"IDC_GROUP", "QWidget", "Person"},
        {"IDC_LABEL", "QLabel", "Name:"},  // a label draws no mnemonic marker
        {"IDC_NAME", "QLineEdit", ""},
        {"IDC_SECRET", "QLineEdit", ""},
        {"IDC_AUTO", "QCheckBox", "Automatic"},
        {"IDC_MANUAL", "QCheckBox", "Manual"},
        {"IDC_FIRST", "QRadioButton", "First"},
        {"IDC_SECOND", "QRadioButton", "Second"},
        {"IDC_CHOICE", "QComboBox", ""},
        {"IDC_PICTURE", "QLabel", ""},
        {"IDC_NOTES", "QPlainTextEdit", ""},
        {"IDC_LIST", "QTreeWidget", ""},
        {"IDC_PROGRESS", "QProgressBar", ""},
        {"IDC_HIDDEN", "QPushButton", "Hidden"},
        {"IDC_LOCKED", "QPushButton", "Locked"},
        {"IDC_ADD", "QPushButton", "&Add"},
        {"IDCANCEL", "QPushButton", "Cancel"},
    };
    ASSERT_EQ(std::size(expected), dialog.Template().controls.size());
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        const ControlTemplate& tmpl = dialog.Template().controls[i];
        SCOPED_TRACE(tmpl.name);
        ASSERT_EQ(tmpl.name, expected[i].name);
        QWidget* widget = WidgetOf(dialog, expected[i].name);
        ASSERT_NE(widget, nullptr);
        EXPECT_TRUE(widget->inherits(expected[i].metaClass)) << widget->metaObject()->className();
        EXPECT_EQ(ShownText(widget), expected[i].text);
        EXPECT_EQ(widget->isVisible(), (tmpl.style & Style::Hidden) == 0);
        EXPECT_EQ(widget->isEnabled(), (tmpl.style & Style::Disabled) == 0);
        const Rect bounds = dialog.Item(tmpl.id).Bounds();
        EXPECT_EQ(widget->pos(), QPoint(bounds.left, bounds.top));
        if (tmpl.kind != ControlKind::ComboBox && tmpl.kind != ControlKind::Icon) {
            EXPECT_EQ(widget->size(), QSize(bounds.Width(), bounds.Height()));
        }
    }
    // A drop-down list is one line high, an icon as large as its picture.
    EXPECT_LT(WidgetOf(dialog, "IDC_CHOICE")->height(), dialog.Item(IDC_CHOICE).Bounds().Height());
    EXPECT_EQ(WidgetOf(dialog, "IDC_PICTURE")->size(), QSize(32, 32));
}

TEST_F(QtDialogWindowTest, InitialStateOfTheModelIsShown) {
    EXPECT_EQ(WidgetOf<QLineEdit>(dialog, "IDC_SECRET")->echoMode(), QLineEdit::Password);
    EXPECT_TRUE(WidgetOf<QRadioButton>(dialog, "IDC_FIRST")->isChecked());
    EXPECT_FALSE(WidgetOf<QRadioButton>(dialog, "IDC_SECOND")->isChecked());
    auto* choice = WidgetOf<QComboBox>(dialog, "IDC_CHOICE");
    ASSERT_EQ(choice->count(), 3);
    EXPECT_EQ(choice->itemText(2), QStringLiteral("Password"));
    EXPECT_EQ(choice->currentIndex(), 0);
    auto* progress = WidgetOf<QProgressBar>(dialog, "IDC_PROGRESS");
    EXPECT_EQ(progress->maximum(), 10);
    EXPECT_EQ(progress->value(), 4);
    EXPECT_TRUE(WidgetOf<QPushButton>(dialog, "IDC_ADD")->isDefault());
    EXPECT_FALSE(WidgetOf<QPushButton>(dialog, "IDCANCEL")->isDefault());
    // The first tab stop has the focus, in the model and in the window.
    EXPECT_EQ(dialog.GetFocusId(), IDC_NAME);
    EXPECT_EQ(WindowOf(dialog)->focusWidget(), WidgetOf(dialog, "IDC_NAME"));
}

TEST_F(QtDialogWindowTest, ProgramChangesShowInTheWidgets) {
    dialog.EnableDlgItem(IDC_NAME, false);
    dialog.ShowDlgItem(IDC_HIDDEN, true);
    dialog.ShowDlgItem(IDC_AUTO, false);
    dialog.CheckDlgButton(IDC_MANUAL, BST_CHECKED);
    dialog.CheckRadioButton(IDC_FIRST, IDC_SECOND, IDC_SECOND);
    dialog.SetDlgItemText(IDC_LABEL, "&Surname && title:");
    dialog.SetDlgItemText(IDC_NOTES, "one\r\ntwo");
    dialog.Combo(IDC_CHOICE).SetCurSel(2);
    dialog.Progress(IDC_PROGRESS).SetPos(9);
    dialog.List(IDC_LIST).SetItemText(3, 2, "Prompt");
    dialog.SetWindowText("Renamed");
    Settle();

    EXPECT_FALSE(WidgetOf(dialog, "IDC_NAME")->isEnabled());
    EXPECT_TRUE(WidgetOf(dialog, "IDC_HIDDEN")->isVisible());
    EXPECT_FALSE(WidgetOf(dialog, "IDC_AUTO")->isVisible());
    EXPECT_TRUE(WidgetOf<QCheckBox>(dialog, "IDC_MANUAL")->isChecked());
    EXPECT_FALSE(WidgetOf<QRadioButton>(dialog, "IDC_FIRST")->isChecked());
    EXPECT_TRUE(WidgetOf<QRadioButton>(dialog, "IDC_SECOND")->isChecked());
    EXPECT_EQ(WidgetOf<QLabel>(dialog, "IDC_LABEL")->text(), QStringLiteral("Surname & title:"));
    EXPECT_EQ(WidgetOf<QPlainTextEdit>(dialog, "IDC_NOTES")->toPlainText(),
              QStringLiteral("one\ntwo"));
    EXPECT_EQ(WidgetOf<QComboBox>(dialog, "IDC_CHOICE")->currentIndex(), 2);
    EXPECT_EQ(WidgetOf<QProgressBar>(dialog, "IDC_PROGRESS")->value(), 9);
    EXPECT_EQ(WidgetOf<QTreeWidget>(dialog, "IDC_LIST")->topLevelItem(3)->text(2),
              QStringLiteral("Prompt"));
    EXPECT_EQ(WindowOf(dialog)->windowTitle(), QStringLiteral("Renamed"));
}

}  // namespace
}  // namespace ui::qttest
