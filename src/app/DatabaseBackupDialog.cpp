#include "DatabaseBackupDialog.h"

#include "AppDatabase.h"
#include "DatabaseBackup.h"
#include "Messages.h"

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
    const QString path = QFileDialog::getSaveFileName(
        parent, QStringLiteral("Back Up Database"), DefaultBackupPath(QDate::currentDate()),
        QStringLiteral("Database files (*.mdb);;All files (*)"));
    if (path.isEmpty())
        return QString();
    return RunReportingErrors([&] { WriteDatabaseBackup(AppDatabase(), path); }) ? path
                                                                                  : QString();
}
