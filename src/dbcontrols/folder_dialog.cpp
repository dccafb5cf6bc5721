#include "dbcontrols/folder_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileSystemModel>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStorageInfo>
#include <QTreeView>
#include <QVBoxLayout>

namespace trevo::controls {

QString withTrailingSlash(const QString& folder)
{
    if (folder.isEmpty() || folder.endsWith('/')) return folder;
    return folder + '/';
}

namespace {

// The root of the mounted volume that holds the path (longest matching root).
QString driveOf(const QString& path, const QStringList& drives)
{
    QString best;
    const QString p = withTrailingSlash(QDir::cleanPath(path));
    for (const QString& d : drives) {
        const QString root = withTrailingSlash(d);
        if (p.startsWith(root) && root.size() > best.size()) best = d;
    }
    return best;
}

} // namespace

FolderDialog::FolderDialog(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Dialog"));
    setObjectName(QStringLiteral("VerzeichnisDlg"));

    VerzeichnisEdit1 = new QLineEdit(this);
    DriveComboBox1 = new QComboBox(this);
    QStringList drives;
    for (const QStorageInfo& v : QStorageInfo::mountedVolumes())
        if (v.isValid() && v.isReady() && !drives.contains(v.rootPath())) drives << v.rootPath();
    if (!drives.contains(QStringLiteral("/"))) drives.prepend(QStringLiteral("/"));
    drives.sort();
    DriveComboBox1->addItems(drives);

    model_ = new QFileSystemModel(this);
    model_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
    model_->setRootPath(QStringLiteral("/"));
    DirectoryListBox1 = new QTreeView(this);
    DirectoryListBox1->setModel(model_);
    for (int c = 1; c < model_->columnCount(); ++c) DirectoryListBox1->hideColumn(c);
    DirectoryListBox1->header()->hide();
    DirectoryListBox1->setMinimumSize(320, 220);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("&Ordner"), VerzeichnisEdit1);
    form->addRow(QStringLiteral("&Laufwerk"), DriveComboBox1);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("Abbrechen"), QDialogButtonBox::RejectRole);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(DirectoryListBox1, 1);
    layout->addWidget(buttons);

    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(DriveComboBox1, &QComboBox::currentIndexChanged, this, &FolderDialog::driveChanged);
    connect(DirectoryListBox1, &QTreeView::clicked, this, &FolderDialog::folderPicked);
    connect(DirectoryListBox1, &QTreeView::doubleClicked, this, &FolderDialog::folderPicked);
    connect(DirectoryListBox1->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &FolderDialog::folderPicked);
    driveChanged(DriveComboBox1->currentIndex());
}

void FolderDialog::driveChanged(int index)
{
    if (index < 0) return;
    DirectoryListBox1->setRootIndex(model_->index(DriveComboBox1->itemText(index)));
}

void FolderDialog::folderPicked()
{
    const QModelIndex current = DirectoryListBox1->currentIndex();
    if (!current.isValid()) return;
    VerzeichnisEdit1->setText(withTrailingSlash(model_->filePath(current)));
}

void FolderDialog::showFolder(const QString& folder)
{
    const QModelIndex index = model_->index(QDir::cleanPath(folder));
    if (!index.isValid()) return;
    const QSignalBlocker block(DirectoryListBox1->selectionModel());
    DirectoryListBox1->setCurrentIndex(index);
    DirectoryListBox1->scrollTo(index);
}

void FolderDialog::preset(const QString& path)
{
    QStringList drives;
    for (int i = 0; i < DriveComboBox1->count(); ++i) drives << DriveComboBox1->itemText(i);
    const QString drive = driveOf(path, drives);
    if (!drive.isEmpty()) DriveComboBox1->setCurrentIndex(drives.indexOf(drive));
    if (!path.isEmpty() && QDir(path).exists()) showFolder(path);
    VerzeichnisEdit1->setText(path);
}

QString FolderDialog::result() const
{
    return withTrailingSlash(VerzeichnisEdit1->text());
}

} // namespace trevo::controls
