// The open-file dialog and the folder browser show the simulated PC's drives and folders as
// Windows paths and answer with Windows paths; the filter and path helpers beneath them.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTreeWidget>

#include "tests/support/test_machine.h"
#include "tests/ui_qt/qt_test_support.h"
#include "ui/common_dialogs.h"
#include "ui/qt/file_filter.h"
#include "ui/qt/machine_folder.h"
#include "ui/qt/qt_folder_browser.h"

namespace ui::qttest {
namespace {

using ui::qtbackend::FileFilter;

class QtCommonDialogsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        pc.WriteFile("C:\\DATA\\Notes.txt", "n");
        pc.WriteFile("C:\\DATA\\TOOL.EXE", "x");
        pc.WriteFile("C:\\DATA\\SUB\\deep.txt", "d");
    }
    halvern_test::TestMachine pc{winsim::Family::Nt, halvern_test::TestMachine::Setup::Bare};
};

QStringList Entries(QWidget& dialog) {
    QStringList names;
    auto* list = dialog.findChild<QListWidget*>(QStringLiteral("entries"));
    for (int i = 0; list != nullptr && i < list->count(); ++i) {
        names << list->item(i)->text();
    }
    return names;
}

TEST_F(QtCommonDialogsTest, OpenFileShowsTheMachinesFilesThroughTheFilter) {
    OpenFileRequest request;
    request.filter = "Text Files (*.txt)|*.txt|All Files (*.*)|*.*||";
    request.title = "Select file";
    request.initialDir = "C:\\DATA";
    request.flags = OFN_EXPLORER | OFN_FILEMUSTEXIST;
    bool chosen = false;
    const bool shown = WithNextModal(
        [&] { chosen = GetOpenFileName(nullptr, request); },
        [&](QWidget& dialog) {
            EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Select file"));
            auto* drives = dialog.findChild<QComboBox*>(QStringLiteral("drives"));
            ASSERT_NE(drives, nullptr);
            ASSERT_EQ(drives->count(), 2);
            EXPECT_EQ(drives->itemData(0).toString(), QStringLiteral("A:\\"));
            EXPECT_EQ(drives->itemData(1).toString(), QStringLiteral("C:\\"));
            EXPECT_EQ(dialog.findChild<QLineEdit*>(QStringLiteral("lookIn"))->text(),
                      QStringLiteral("C:\\DATA"));
            EXPECT_EQ(Entries(dialog), (QStringList{"SUB", "Notes.txt"}));
            dialog.grab().save(QString::fromStdString(ScreenshotFolder() + "/open-file.png"));
            auto* types = dialog.findChild<QComboBox*>(QStringLiteral("fileType"));
            types->setCurrentIndex(1);
            EXPECT_EQ(Entries(dialog), (QStringList{"SUB", "Notes.txt", "TOOL.EXE"}));
            // A missing file is refused while the file must exist; an existing one is
            // taken.
            auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("fileName"));
            name->setText(QStringLiteral("SUB"));
            dialog.findChild<QPushButton*>(QStringLiteral("open"))->click();
            EXPECT_EQ(dialog.findChild<QLineEdit*>(QStringLiteral("lookIn"))->text(),
                      QStringLiteral("C:\\DATA\\SUB"));
            name->setText(QStringLiteral("deep.txt"));
            dialog.findChild<QPushButton*>(QStringLiteral("open"))->click();
        });
    EXPECT_TRUE(shown);
    EXPECT_TRUE(chosen);
    EXPECT_EQ(request.path, "C:\\DATA\\SUB\\deep.txt");
    EXPECT_EQ(request.filterIndex, 2);
}

TEST_F(QtCommonDialogsTest, OpenFileCancelledChoosesNothing) {
    OpenFileRequest request;
    request.filter = "All Files (*.*)|*.*||";
    bool chosen = true;
    WithNextModal([&] { chosen = GetOpenFileName(nullptr, request); },
                  [](QWidget& dialog) {
                      // With no initial folder the dialog opens the first fixed drive.
                      EXPECT_EQ(dialog.findChild<QLineEdit*>(QStringLiteral("lookIn"))->text(),
                                QStringLiteral("C:\\"));
                      dialog.findChild<QPushButton*>(QStringLiteral("cancel"))->click();
                  });
    EXPECT_FALSE(chosen);
    EXPECT_TRUE(request.path.empty());
}

TEST_F(QtCommonDialogsTest, FolderBrowserAnswersTheChosenFoldersWindowsPath) {
    BrowseFolderRequest request;
    request.title = "Choose a folder / directory";
    bool chosen = false;
    const bool shown = WithNextModal(
        [&] { chosen = BrowseForFolder(nullptr, request); },
        [](QWidget& window) {
            auto* tree = window.findChild<QTreeWidget*>(QStringLiteral("folders"));
            ASSERT_NE(tree, nullptr);
            QTreeWidgetItem* computer = tree->topLevelItem(0);
            EXPECT_EQ(computer->text(0), QStringLiteral("My Computer"));
            ASSERT_EQ(computer->childCount(), 2);
            EXPECT_EQ(computer->child(1)->text(0), QStringLiteral("C:\\"));
            // My Computer itself has no path to answer with.
            auto* ok = window.findChild<QPushButton*>(QStringLiteral("ok"));
            EXPECT_FALSE(ok->isEnabled());
            auto& browser = static_cast<ui::qtbackend::QtFolderBrowser&>(window);
            EXPECT_TRUE(browser.Select("c:\\data\\sub"));
            window.grab().save(QString::fromStdString(ScreenshotFolder() + "/browse-folder.png"));
            EXPECT_TRUE(ok->isEnabled());
            ok->click();
        });
    EXPECT_TRUE(shown);
    EXPECT_TRUE(chosen);
    EXPECT_EQ(request.path, "C:\\DATA\\SUB");
}

TEST(FileFilterTest, PairsOfDescriptionAndPatterns) {
    const auto filters = ui::qtbackend::ParseFileFilter(
        "Executable Files (*.exe;*.com)|*.exe;*.com|Document Files (*.doc;*.txt)|*.doc;*.txt|"
        "All Files (*.*)|*.*||");
    ASSERT_EQ(filters.size(), 3u);
    EXPECT_EQ(filters[0].description, "Executable Files (*.exe;*.com)");
    EXPECT_EQ(filters[0].patterns, (std::vector<std::string>{"*.exe", "*.com"}));
    EXPECT_EQ(filters[2].patterns, std::vector<std::string>{"*.*"});
    EXPECT_TRUE(ui::qtbackend::ParseFileFilter("").empty());
    EXPECT_TRUE(ui::qtbackend::ParseFileFilter("||").empty());
    // A description without patterns is not a filter.
    EXPECT_TRUE(ui::qtbackend::ParseFileFilter("Lonely").empty());
}

TEST(FileFilterTest, WildcardsMatchWithoutRegardToCase) {
    struct Case {
        const char* name;
        const char* pattern;
        bool matches;
    };
    const Case cases[] = {
        {"NOTEPAD.EXE", "*.exe", true},
        {"notepad.exe", "*.EXE", true},
        {"notepad.exe", "*.com", false},
        {"README", "*.*", true},
        {"a.tar.gz", "*.gz", true},
        {"a.gz.tar", "*.gz", false},
        {"FILE1.TXT", "FILE?.TXT", true},
        {"FILE10.TXT", "FILE?.TXT", false},
        {"x", "*", true},
        {"", "*.txt", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ui::qtbackend::MatchesPattern(c.name, c.pattern), c.matches)
            << c.name << " ~ " << c.pattern;
    }
}

TEST(MachineFolderTest, WindowsPathsJoinAndClimb) {
    using namespace ui::qtbackend;
    EXPECT_EQ(JoinPath("C:\\", "WINDOWS"), "C:\\WINDOWS");
    EXPECT_EQ(JoinPath("C:\\WINDOWS", "a.txt"), "C:\\WINDOWS\\a.txt");
    EXPECT_EQ(ParentPath("C:\\WINDOWS\\SYSTEM"), "C:\\WINDOWS");
    EXPECT_EQ(ParentPath("C:\\WINDOWS"), "C:\\");
    EXPECT_EQ(ParentPath("C:\\WINDOWS\\"), "C:\\");
    EXPECT_EQ(ParentPath("C:\\"), "C:\\");
    EXPECT_EQ(DriveRoot("a:"), "A:\\");
    EXPECT_EQ(DriveRoot("C:\\"), "C:\\");
    EXPECT_EQ(DriveRoot("C:\\X"), "");
    EXPECT_EQ(DriveRoot("1:"), "");
}

}  // namespace
}  // namespace ui::qttest
