#include "DatabaseOpening.h"

#include "AppDatabase.h"
#include "DatabaseFile.h"
#include "DbError.h"
#include "Messages.h"

#include <QInputDialog>

namespace {

// The connection string with a password, quoted as libpq reads it.
QString withPassword(const QString& connection, QString password)
{
    password.replace(u'\\', QStringLiteral("\\\\")).replace(u'\'', QStringLiteral("\\'"));
    return connection + QStringLiteral(" password='%1'").arg(password);
}

} // namespace

bool OpenAsAppDatabase(const QString& path)
{
    return RunReportingErrors([&] { SetAppDatabase(OpenDatabaseFile(path)); });
}

bool ConnectAsAppDatabase(QWidget* parent, const QString& connection)
{
    QString password;
    for (;;) {
        try {
            SetAppDatabase(OpenServerDatabase(
                password.isEmpty() ? connection : withPassword(connection, password)));
            return true;
        } catch (const DbError& e) {
            if (e.GetKind() != DbError::PasswordNeeded) {
                ShowAttention(e.Description());
                return false;
            }
        }
        bool ok = false;
        password = QInputDialog::getText(parent, QStringLiteral("Database Server"),
                                         QStringLiteral("Password for %1:").arg(connection),
                                         QLineEdit::Password, QString(), &ok);
        if (!ok)
            return false;
    }
}

bool CreateNewDatabase(const QString& path)
{
    return RunReportingErrors([&] { CreateDatabaseFile(path); });
}

QString NotFoundQuestion(const QString& path)
{
    return QStringLiteral("Data Base file '") + path +
           QStringLiteral("' was not found.  Search in a new location? ");
}
