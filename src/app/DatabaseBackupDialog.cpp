#include "DatabaseBackupDialog.h"

#include "AppDatabase.h"
#include "DatabaseBackup.h"
#include "Messages.h"
#include "ShowModal.h"

#include <QDate>
#include <QDir>
#include <QFileDialog>
#include <QStandardPaths>

namespace {

// The name first offered: the file's name with the day, in the Documents folder.
QString defaultBackupPath(const QDate& day)
{
    // Made when missing, as the PDF destination does, so the dialog opens where it says.
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    QDir().mkpath(documents);
    return QDir(documents).filePath(QStringLiteral("brevoxal-%1.mdb").arg(day.toString(Qt::ISODate)));
}

} // namespace

void BackUpDatabase(QWidget* parent)
{
    QFileDialog dialog(parent, QStringLiteral("Back Up Database"),
                       defaultBackupPath(QDate::currentDate()),
                       QStringLiteral("Database files (*.mdb);;All files (*)"));
    dialog.setObjectName(QStringLiteral("BackupFileDlg"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("mdb"));
    if (ShowModal(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const QString path = dialog.selectedFiles().first();
    if (!RunReportingErrors([&] { WriteDatabaseBackup(AppDatabase(), path); }))
        return;
    ShowAttention(QStringLiteral("The database was backed up to '%1'.")
                      .arg(QDir::toNativeSeparators(path)));
}
