// The folder browser over the machine's drives: "My Computer" with its drives, each folder
// opened on demand, and the Windows path of the chosen folder as its answer.
#pragma once

#include <QDialog>
#include <string>

#include "ui/backend.h"

class QTreeWidget;
class QTreeWidgetItem;
class QPushButton;

namespace ui::qtbackend {

class QtFolderBrowser : public QDialog {
  public:
    QtFolderBrowser(const BrowseFolderRequest& request, QWidget* owner);

    // The chosen folder once the dialog was accepted.
    std::string Path() const;
    // Selects the folder with this path when it is shown, opening the folders above it.
    bool Select(const std::string& path);

  private:
    void Expand(QTreeWidgetItem* item);
    QTreeWidgetItem* AddFolder(QTreeWidgetItem* parent, const QString& label,
                               const std::string& path);

    QTreeWidget* tree_;
    QPushButton* ok_;
};

}  // namespace ui::qtbackend
