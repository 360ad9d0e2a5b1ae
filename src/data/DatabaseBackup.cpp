#include "DatabaseBackup.h"

#include "Database.h"
#include "DbError.h"
#include "JetFunctions.h"

#include <QFile>
#include <QFileInfo>
#include <memory>
#include <sqlite3.h>

namespace {

constexpr int kBusyRetryMs = 50;

using Connection = std::unique_ptr<sqlite3, decltype(&sqlite3_close_v2)>;

QString errorOf(sqlite3* db)
{
    return QString::fromUtf8(sqlite3_errmsg(db));
}

// The whole copy in one step: on a write-ahead log it reads one snapshot while writers go on;
// on a rollback journal a writer waits (busy timeout) for the moment it takes.
void copyInto(sqlite3* source, sqlite3* target)
{
    sqlite3_backup* backup = sqlite3_backup_init(target, "main", source, "main");
    if (!backup)
        throw DbError(errorOf(target));
    int rc = SQLITE_OK;
    do {
        rc = sqlite3_backup_step(backup, -1);
        if (rc == SQLITE_BUSY || rc == SQLITE_LOCKED)
            sqlite3_sleep(kBusyRetryMs);
    } while (rc == SQLITE_OK || rc == SQLITE_BUSY || rc == SQLITE_LOCKED);
    sqlite3_backup_finish(backup);
    if (rc != SQLITE_DONE)
        throw DbError(QString::fromUtf8(sqlite3_errstr(rc)));
}

void checkCopy(sqlite3* copy)
{
    sqlite3_stmt* stmt = nullptr;
    sqlite3_prepare_v2(copy, "PRAGMA quick_check", -1, &stmt, nullptr);
    const bool ok = stmt && sqlite3_step(stmt) == SQLITE_ROW &&
                    qstrcmp(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0)), "ok") == 0;
    sqlite3_finalize(stmt);
    if (!ok)
        throw DbError(QStringLiteral("the copy did not pass its check: %1").arg(errorOf(copy)));
}

void writeCopy(sqlite3* source, const QString& path)
{
    sqlite3* raw = nullptr;
    const int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &raw,
                                   SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    Connection copy(raw, &sqlite3_close_v2);
    if (rc != SQLITE_OK)
        throw DbError(errorOf(raw));
    copyInto(source, copy.get());
    // A copy taken before conversion still declares the engine's collation.
    JetFunctions::Register(copy.get());
    checkCopy(copy.get());
    if (sqlite3_close(copy.release()) != SQLITE_OK)
        throw DbError(QStringLiteral("the copy could not be closed"));
}

} // namespace

void WriteDatabaseBackup(Database& source, const QString& target)
{
    // Replacing the open file with its own copy would cut it off from its journal.
    if (QFileInfo(target).canonicalFilePath() == QFileInfo(source.Name()).canonicalFilePath())
        throw DbError(QStringLiteral("The backup could not be written to '%1': it is the open "
                                     "database itself.  Please choose another name.")
                          .arg(target));
    const QString part = target + QStringLiteral(".part");
    QFile::remove(part);
    try {
        writeCopy(source.Handle(), part);
        if (QFile::exists(target) && !QFile::remove(target))
            throw DbError(QStringLiteral("the existing file could not be replaced"));
        if (!QFile::rename(part, target))
            throw DbError(QStringLiteral("the copy could not be given its name"));
    } catch (const DbError& e) {
        QFile::remove(part);
        throw DbError(QStringLiteral("The backup could not be written to '%1': %2")
                          .arg(target, e.Message()));
    }
}
