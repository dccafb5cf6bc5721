#pragma once
// The folder selection dialog: an edit with the folder, a drive selector coupled to a
// folder list below it; every move in the list copies the list's folder into the edit.
#include <QDialog>

class QComboBox;
class QFileSystemModel;
class QLineEdit;
class QTreeView;

namespace trevo::controls {

class FolderDialog : public QDialog {
    Q_OBJECT
public:
    explicit FolderDialog(QWidget* parent = nullptr);

    // Shows the path in the edit and moves drive selector and folder list to it.
    void preset(const QString& path);
    // The edit's text, ending in '/'.
    QString result() const;

    QLineEdit* VerzeichnisEdit1 = nullptr;
    QComboBox* DriveComboBox1 = nullptr;
    QTreeView* DirectoryListBox1 = nullptr;

private:
    void driveChanged(int index);
    void folderPicked();
    void showFolder(const QString& folder);

    QFileSystemModel* model_ = nullptr;
};

// A folder name with the program's trailing '/' (an empty name stays empty).
QString withTrailingSlash(const QString& folder);

} // namespace trevo::controls
