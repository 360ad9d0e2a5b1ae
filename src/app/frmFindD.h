#pragma once

#include <QDialog>

class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;

// Picks an existing database file ("Exist") or the folder for a new one ("New")
// from the mounted volumes, their folders and the "*.mdb" files of a folder.
class frmFindD : public QDialog {
    Q_OBJECT
public:
    explicit frmFindD(QWidget* parent = nullptr);

    void Init(const QString& mode);
    // Shows this folder's subfolders and database files.
    void SetFolder(const QString& folder);
    QString Folder() const { return m_folder; }
    // The picked file or folder; set only when OK succeeded.
    QString DataFilePath() const { return m_dataFilePath; }

private:
    void buildLayout();
    void fillDrives();
    void driveChosen(int index);
    void fillFolders();
    void fillFiles();
    void confirm();

    QLabel* lblFind;
    QComboBox* DriveDBLoc;
    QLabel* lblFolder;
    QListWidget* DirDBLoc;
    QLabel* lblFiles;
    QListWidget* FileDB;
    QPushButton* cmdOK;
    QPushButton* cmdCancel;
    QString m_mode;
    QString m_folder;
    QString m_dataFilePath;
};
