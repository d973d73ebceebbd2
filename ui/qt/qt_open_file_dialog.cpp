#include "ui/qt/qt_open_file_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>

#include "platform/win32_types.h"
#include "ui/qt/machine_folder.h"
#include "ui/qt/qt_text.h"

namespace ui::qtbackend {
namespace {

constexpr int kFolderRole = Qt::UserRole;

QString DriveLabel(const MachineDrive& drive) {
    switch (drive.type) {
        case win::DRIVE_REMOVABLE:
            return ToQString(drive.root) + QStringLiteral("  (removable)");
        case win::DRIVE_CDROM:
            return ToQString(drive.root) + QStringLiteral("  (CD)");
        default:
            return ToQString(drive.root);
    }
}

std::string StartFolder(const std::string& initial, const std::vector<MachineDrive>& drives) {
    if (!initial.empty() && IsFolder(initial)) {
        return initial;
    }
    for (const MachineDrive& drive : drives) {
        if (drive.type == win::DRIVE_FIXED) {
            return drive.root;
        }
    }
    return drives.empty() ? std::string("C:\\") : drives.front().root;
}

bool IsAbsolute(const std::string& path) {
    return path.size() >= 2 && path[1] == ':';
}

}  // namespace

QtOpenFileDialog::QtOpenFileDialog(const OpenFileRequest& request, QWidget* owner)
    : QDialog(owner),
      flags_(request.flags),
      filters_(ParseFileFilter(request.filter)),
      drives_(new QComboBox(this)),
      lookIn_(new QLineEdit(this)),
      entries_(new QListWidget(this)),
      fileName_(new QLineEdit(this)),
      fileType_(new QComboBox(this)) {
    setWindowTitle(request.title.empty() ? QStringLiteral("Open") : ToQString(request.title));
    setObjectName(QStringLiteral("open-file"));
    drives_->setObjectName(QStringLiteral("drives"));
    lookIn_->setObjectName(QStringLiteral("lookIn"));
    entries_->setObjectName(QStringLiteral("entries"));
    fileName_->setObjectName(QStringLiteral("fileName"));
    fileType_->setObjectName(QStringLiteral("fileType"));

    const std::vector<MachineDrive> drives = MachineDrives();
    for (const MachineDrive& drive : drives) {
        drives_->addItem(DriveLabel(drive), ToQString(drive.root));
    }
    if (filters_.empty()) {
        filters_.push_back({"All Files (*.*)", {"*.*"}});
    }
    for (const FileFilter& filter : filters_) {
        fileType_->addItem(ToQString(filter.description));
    }
    const int index = request.filterIndex - 1;
    fileType_->setCurrentIndex(index >= 0 && index < fileType_->count() ? index : 0);

    // A folder path typed as the file name opens that folder.
    lookIn_->setReadOnly(true);
    auto* up = new QToolButton(this);
    up->setObjectName(QStringLiteral("up"));
    up->setIcon(style()->standardIcon(QStyle::SP_FileDialogToParent));
    up->setToolTip(QStringLiteral("Up one level"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Open | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Open)->setObjectName(QStringLiteral("open"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("cancel"));

    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("Look in:"), this), 0, 0);
    grid->addWidget(drives_, 0, 1);
    grid->addWidget(lookIn_, 0, 2);
    grid->addWidget(up, 0, 3);
    grid->addWidget(entries_, 1, 0, 1, 4);
    grid->addWidget(new QLabel(QStringLiteral("File name:"), this), 2, 0);
    grid->addWidget(fileName_, 2, 1, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("Files of type:"), this), 3, 0);
    grid->addWidget(fileType_, 3, 1, 1, 3);
    grid->addWidget(buttons, 4, 0, 1, 4);
    grid->setColumnStretch(2, 1);
    resize(520, 360);

    connect(drives_, &QComboBox::activated, this,
            [this](int drive) { ShowFolder(FromQString(drives_->itemData(drive).toString())); });
    connect(up, &QToolButton::clicked, this, [this] { ShowFolder(ParentPath(folder_)); });
    connect(fileType_, &QComboBox::currentIndexChanged, this, [this] { Fill(); });
    connect(entries_, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { Activate(item); });
    connect(entries_, &QListWidget::currentItemChanged, this, [this](QListWidgetItem* item) {
        if (item != nullptr && !item->data(kFolderRole).toBool()) {
            fileName_->setText(item->text());
        }
    });
    connect(buttons, &QDialogButtonBox::accepted, this, [this] { Choose(); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    ShowFolder(StartFolder(request.initialDir, drives));
    fileName_->setFocus();
}

int QtOpenFileDialog::FilterIndex() const {
    return fileType_->currentIndex() + 1;
}

void QtOpenFileDialog::ShowFolder(const std::string& folder) {
    folder_ = folder;
    lookIn_->setText(ToQString(folder));
    const std::string root = DriveRoot(folder.substr(0, std::min<std::size_t>(3, folder.size())));
    const int drive = drives_->findData(ToQString(root));
    if (drive >= 0) {
        drives_->setCurrentIndex(drive);
    }
    Fill();
}

void QtOpenFileDialog::Fill() {
    entries_->clear();
    const int type = fileType_->currentIndex();
    const FileFilter& filter = filters_[static_cast<std::size_t>(std::max(type, 0))];
    for (const MachineEntry& entry : ListFolder(folder_)) {
        if (!entry.folder && !MatchesFilter(entry.name, filter)) {
            continue;
        }
        auto* item = new QListWidgetItem(
            style()->standardIcon(entry.folder ? QStyle::SP_DirIcon : QStyle::SP_FileIcon),
            ToQString(entry.name), entries_);
        item->setData(kFolderRole, entry.folder);
    }
}

void QtOpenFileDialog::Activate(QListWidgetItem* item) {
    const std::string name = FromQString(item->text());
    if (item->data(kFolderRole).toBool()) {
        ShowFolder(JoinPath(folder_, name));
        return;
    }
    fileName_->setText(item->text());
    Choose();
}

void QtOpenFileDialog::Choose() {
    const std::string typed = FromQString(fileName_->text().trimmed());
    if (typed.empty()) {
        if (QListWidgetItem* item = entries_->currentItem()) {
            Activate(item);
        }
        return;
    }
    const std::string path = IsAbsolute(typed) ? typed : JoinPath(folder_, typed);
    if (IsFolder(path)) {
        fileName_->clear();
        ShowFolder(path);
        return;
    }
    if ((flags_ & OFN_FILEMUSTEXIST) != 0 && !IsFile(path)) {
        QMessageBox::warning(this, windowTitle(),
                             ToQString(path) + QStringLiteral("\nFile not found.\nCheck the file "
                                                              "name and try again."));
        return;
    }
    path_ = path;
    accept();
}

}  // namespace ui::qtbackend
