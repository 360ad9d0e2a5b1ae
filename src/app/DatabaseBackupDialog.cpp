#include "DatabaseBackupDialog.h"

#include "AppDatabase.h"
#include "DatabaseBackup.h"
#include "Messages.h"
#include "ShowModal.h"

#include <QDate>
#include <QDir>
#include <QFileDialog>
#include <QStandardPaths>

QString DefaultBackupPath(const QDate& day)
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation))
        .filePath(QStringLiteral("brevoxal-%1.mdb").arg(day.toString(Qt::ISODate)));
}

QString BackUpDatabase(QWidget* parent)
{
    QFileDialog dialog(parent, QStringLiteral("Back Up Database"),
                       DefaultBackupPath(QDate::currentDate()),
                       QStringLiteral("Database files (*.mdb);;All files (*)"));
    dialog.setObjectName(QStringLiteral("BackupFileDlg"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("mdb"));
    if (ShowModal(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    const QString path = dialog.selectedFiles().first();
    return RunReportingErrors([&] { WriteDatabaseBackup(AppDatabase(), path); }) ? path
                                                                                  : QString();
}
