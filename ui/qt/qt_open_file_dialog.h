// The open-file dialog over the machine's drives: a folder's entries filtered by the chosen
// file type, a file name field, and the Windows path of the chosen file as its answer.
#pragma once

#include <QDialog>
#include <string>
#include <vector>

#include "ui/backend.h"
#include "ui/qt/file_filter.h"

class QComboBox;
class QLineEdit;
class QListWidget;
class QListWidgetItem;

namespace ui::qtbackend {

class QtOpenFileDialog : public QDialog {
  public:
    QtOpenFileDialog(const OpenFileRequest& request, QWidget* owner);

    // The chosen file once the dialog was accepted.
    const std::string& Path() const { return path_; }
    int FilterIndex() const;
    const std::string& Folder() const { return folder_; }
    void ShowFolder(const std::string& folder);

  private:
    void Fill();
    void Choose();
    void Activate(QListWidgetItem* item);

    unsigned flags_;
    std::vector<FileFilter> filters_;
    std::string folder_;
    std::string path_;
    QComboBox* drives_;
    QLineEdit* lookIn_;
    QListWidget* entries_;
    QLineEdit* fileName_;
    QComboBox* fileType_;
};

}  // namespace ui::qtbackend
