#include "ui/qt/qt_folder_browser.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <cctype>

#include "platform/win32_types.h"
#include "ui/qt/machine_folder.h"
#include "ui/qt/qt_text.h"

namespace ui::qtbackend {
namespace {

constexpr int kPathRole = Qt::UserRole;
constexpr int kFilledRole = Qt::UserRole + 1;

std::string Upper(std::string text) {
    for (char& c : text) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return text;
}

}  // namespace

QtFolderBrowser::QtFolderBrowser(const BrowseFolderRequest& request, QWidget* owner)
    : QDialog(owner), tree_(new QTreeWidget(this)) {
    setWindowTitle(QStringLiteral("Browse for Folder"));
    setObjectName(QStringLiteral("browse-folder"));
    tree_->setObjectName(QStringLiteral("folders"));
    tree_->setHeaderHidden(true);
    tree_->setColumnCount(1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    ok_ = buttons->button(QDialogButtonBox::Ok);
    ok_->setObjectName(QStringLiteral("ok"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("cancel"));

    auto* layout = new QVBoxLayout(this);
    auto* title = new QLabel(ToQString(request.title), this);
    title->setWordWrap(true);
    layout->addWidget(title);
    layout->addWidget(tree_);
    layout->addWidget(buttons);
    resize(340, 380);

    // My Computer has no path of its own; its drives and their folders have one.
    auto* computer = new QTreeWidgetItem(tree_, {QStringLiteral("My Computer")});
    computer->setIcon(0, style()->standardIcon(QStyle::SP_ComputerIcon));
    computer->setData(0, kFilledRole, true);
    for (const MachineDrive& drive : MachineDrives()) {
        QTreeWidgetItem* item = AddFolder(computer, ToQString(drive.root), drive.root);
        item->setIcon(
            0, style()->standardIcon(drive.type == win::DRIVE_REMOVABLE ? QStyle::SP_DriveFDIcon
                                     : drive.type == win::DRIVE_CDROM   ? QStyle::SP_DriveCDIcon
                                                                        : QStyle::SP_DriveHDIcon));
    }
    computer->setExpanded(true);
    tree_->setCurrentItem(computer);
    ok_->setEnabled(false);

    connect(tree_, &QTreeWidget::itemExpanded, this,
            [this](QTreeWidgetItem* item) { Expand(item); });
    connect(tree_, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        ok_->setEnabled(item != nullptr && !item->data(0, kPathRole).toString().isEmpty());
    });
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

std::string QtFolderBrowser::Path() const {
    const QTreeWidgetItem* item = tree_->currentItem();
    return item != nullptr ? FromQString(item->data(0, kPathRole).toString()) : std::string();
}

bool QtFolderBrowser::Select(const std::string& path) {
    const std::string wanted = Upper(path);
    QTreeWidgetItem* item = tree_->topLevelItem(0);
    while (item != nullptr) {
        item->setExpanded(true);
        QTreeWidgetItem* next = nullptr;
        for (int i = 0; i < item->childCount(); ++i) {
            QTreeWidgetItem* child = item->child(i);
            const std::string childPath = Upper(FromQString(child->data(0, kPathRole).toString()));
            if (childPath == wanted) {
                tree_->setCurrentItem(child);
                return true;
            }
            const std::string prefix = childPath.back() == '\\' ? childPath : childPath + "\\";
            if (wanted.rfind(prefix, 0) == 0) {
                next = child;
            }
        }
        item = next;
    }
    return false;
}

void QtFolderBrowser::Expand(QTreeWidgetItem* item) {
    if (item->data(0, kFilledRole).toBool()) {
        return;
    }
    item->setData(0, kFilledRole, true);
    qDeleteAll(item->takeChildren());
    const std::string path = FromQString(item->data(0, kPathRole).toString());
    for (const MachineEntry& entry : ListFolder(path)) {
        if (entry.folder) {
            AddFolder(item, ToQString(entry.name), JoinPath(path, entry.name));
        }
    }
}

QTreeWidgetItem* QtFolderBrowser::AddFolder(QTreeWidgetItem* parent, const QString& label,
                                            const std::string& path) {
    auto* item = new QTreeWidgetItem(parent, {label});
    item->setData(0, kPathRole, ToQString(path));
    item->setData(0, kFilledRole, false);
    item->setIcon(0, style()->standardIcon(QStyle::SP_DirIcon));
    // Opened on demand: until then it shows that it can be opened.
    item->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
    return item;
}

}  // namespace ui::qtbackend
