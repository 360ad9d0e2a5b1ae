#include "frmFindD.h"

#include "Messages.h"
#include "VolumeList.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QListWidgetItem* folderItem(const QString& text, const QString& path)
{
    auto* item = new QListWidgetItem(text);
    item->setData(Qt::UserRole, path);
    return item;
}

} // namespace

frmFindD::frmFindD(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmFindD"));
    setWindowTitle(QStringLiteral("Find DataBase File"));
    buildLayout();
    fillDrives();
    connect(DriveDBLoc, &QComboBox::currentIndexChanged, this, &frmFindD::driveChosen);
    connect(DirDBLoc, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { SetFolder(item->data(Qt::UserRole).toString()); });
    connect(FileDB, &QListWidget::itemActivated, this, &frmFindD::confirm);
    connect(cmdOK, &QPushButton::clicked, this, &frmFindD::confirm);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void frmFindD::buildLayout()
{
    auto make = [this](auto* widget, const char* name) {
        widget->setObjectName(QString::fromLatin1(name));
        return widget;
    };
    lblFind = make(new QLabel(QStringLiteral("Specify Location of DataBase File")), "lblFind");
    DriveDBLoc = make(new QComboBox, "DriveDBLoc");
    lblFolder = make(new QLabel, "lblFolder");
    lblFolder->setWordWrap(true);
    DirDBLoc = make(new QListWidget, "DirDBLoc");
    DirDBLoc->setToolTip(QStringLiteral("Double-click a folder to open it"));
    lblFiles = make(new QLabel(QStringLiteral("DataBase Files Found: (*.mdb)")), "lblFiles");
    FileDB = make(new QListWidget, "FileDB");
    cmdOK = make(new QPushButton(QStringLiteral("&OK")), "cmdOK");
    cmdCancel = make(new QPushButton(QStringLiteral("&Cancel")), "cmdCancel");
    cmdOK->setDefault(true);

    auto* buttons = new QDialogButtonBox;
    buttons->addButton(cmdOK, QDialogButtonBox::AcceptRole);
    buttons->addButton(cmdCancel, QDialogButtonBox::RejectRole);
    auto* layout = new QVBoxLayout(this);
    for (QWidget* widget : {static_cast<QWidget*>(lblFind), static_cast<QWidget*>(DriveDBLoc),
                            static_cast<QWidget*>(lblFolder), static_cast<QWidget*>(DirDBLoc),
                            static_cast<QWidget*>(lblFiles), static_cast<QWidget*>(FileDB)})
        layout->addWidget(widget);
    layout->addWidget(buttons);
    resize(460, 480);
}

void frmFindD::fillDrives()
{
    for (const Volume& volume :
         ListVolumes(QStorageInfo::mountedVolumes(), VolumeRootOf(QDir::homePath())))
        DriveDBLoc->addItem(volume.text, volume.rootPath);
}

void frmFindD::Init(const QString& mode)
{
    m_mode = mode;
    if (mode == QLatin1String("New")) {
        lblFiles->hide();
        FileDB->hide();
        resize(width(), 320);
    }
    const QString home = QDir::homePath();
    const int drive = DriveDBLoc->findData(VolumeRootOf(home));
    const QSignalBlocker blocker(DriveDBLoc);
    DriveDBLoc->setCurrentIndex(drive);
    SetFolder(home);
}

void frmFindD::driveChosen(int index)
{
    if (index >= 0)
        SetFolder(DriveDBLoc->itemData(index).toString());
}

void frmFindD::SetFolder(const QString& folder)
{
    m_folder = QDir::cleanPath(QDir(folder).absolutePath());
    lblFolder->setText(QStringLiteral("Folder: ") + QDir::toNativeSeparators(m_folder));
    fillFolders();
    fillFiles();
}

void frmFindD::fillFolders()
{
    DirDBLoc->clear();
    QDir dir(m_folder);
    if (!dir.isRoot())
        DirDBLoc->addItem(folderItem(QStringLiteral(".."), QFileInfo(m_folder).path()));
    const QFileInfoList folders =
        dir.entryInfoList(QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot,
                          QDir::Name | QDir::IgnoreCase);
    for (const QFileInfo& info : folders)
        DirDBLoc->addItem(folderItem(info.fileName(), info.absoluteFilePath()));
}

void frmFindD::fillFiles()
{
    FileDB->clear();
    const QStringList files = QDir(m_folder).entryList({QStringLiteral("*.mdb")}, QDir::Files,
                                                       QDir::Name | QDir::IgnoreCase);
    FileDB->addItems(files);
}

void frmFindD::confirm()
{
    if (m_mode == QLatin1String("New")) {
        m_dataFilePath = m_folder;
        accept();
        return;
    }
    const QListWidgetItem* file = FileDB->currentItem();
    if (!file || !file->isSelected()) {
        ShowAttention(QStringLiteral("You have not selected a file yet"));
        return;
    }
    m_dataFilePath = QDir(m_folder).filePath(file->text());
    accept();
}
