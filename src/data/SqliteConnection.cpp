#include "SqliteConnection.h"

#include "Catalog.h"
#include "DaoType.h"
#include "DbError.h"
#include "JetFunctions.h"
#include "SqliteDialect.h"
#include "SqliteStatement.h"

#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>
#include <sqlite3.h>

namespace
{

constexpr int kBusyTimeoutMs = 15000;

// A write-ahead log needs shared memory, which network file systems do not give.
bool onNetworkFileSystem(const QString& path)
{
    static const QByteArray kinds[] = {"nfs", "nfs4", "cifs",  "smb3",  "smbfs",     "smb2",
                                       "9p",  "afs",  "ncpfs", "davfs", "fuse.sshfs"};
    const QByteArray type = QStorageInfo(QFileInfo(path).absolutePath()).fileSystemType();
    for (const QByteArray& kind : kinds) {
        if (type == kind)
            return true;
    }
    return false;
}

QString columnText(sqlite3_stmt* stmt, int column)
{
    return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, column)));
}

} // namespace

SqliteConnection::SqliteConnection(const QString& path, int flags) : m_path(path)
{
    const int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &m_db,
                                   flags | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK)
        fail(QStringLiteral("Could not open '%1': ").arg(path));
    sqlite3_extended_result_codes(m_db, 1);
    sqlite3_busy_timeout(m_db, kBusyTimeoutMs);
    JetFunctions::Register(m_db);
    // Reading the schema proves the file is a database at all.
    for (const char* pragma : {"SELECT count(*) FROM sqlite_schema", "PRAGMA synchronous=FULL"}) {
        if (sqlite3_exec(m_db, pragma, nullptr, nullptr, nullptr) != SQLITE_OK)
            fail(QStringLiteral("'%1' is not a database file that can be opened: ").arg(path));
    }
}

SqliteConnection::~SqliteConnection()
{
    sqlite3_close_v2(m_db);
}

void SqliteConnection::fail(const QString& context) const
{
    const QString message = QString::fromUtf8(sqlite3_errmsg(m_db));
    const int primary = sqlite3_errcode(m_db) & 0xff;
    const bool busy = primary == SQLITE_BUSY || primary == SQLITE_LOCKED;
    if (!context.isEmpty())
        sqlite3_close_v2(m_db);
    throw DbError(context + message, QString(), busy ? DbError::Conflict : DbError::Failed);
}

const SqlDialect& SqliteConnection::Dialect() const
{
    return SqliteDialect::Instance();
}

std::unique_ptr<SqlStatement> SqliteConnection::Prepare(const QByteArray& sql, bool keep)
{
    sqlite3_stmt* stmt = nullptr;
    const int rc = sqlite3_prepare_v3(m_db, sql.constData(), int(sql.size()),
                                      keep ? SQLITE_PREPARE_PERSISTENT : 0, &stmt, nullptr);
    if (rc != SQLITE_OK) {
        sqlite3_finalize(stmt);
        fail();
    }
    return stmt ? std::make_unique<SqliteStatement>(m_db, stmt) : nullptr;
}

void SqliteConnection::Exec(const QByteArray& sql)
{
    if (sqlite3_exec(m_db, sql.constData(), nullptr, nullptr, nullptr) != SQLITE_OK)
        fail();
}

int SqliteConnection::Changes() const
{
    return sqlite3_changes(m_db);
}

bool SqliteConnection::InTransaction() const
{
    return sqlite3_get_autocommit(m_db) == 0;
}

void SqliteConnection::BeginWrite()
{
    BeforeWrite();
    Exec("BEGIN IMMEDIATE");
}

// The journal mode is chosen at the first write, so that opening (and refusing) a file that
// is not ours never changes it.
void SqliteConnection::BeforeWrite()
{
    if (m_journalChosen)
        return;
    m_journalChosen = true;
    const char* journal =
        onNetworkFileSystem(m_path) ? "PRAGMA journal_mode=DELETE" : "PRAGMA journal_mode=WAL";
    // A read still open on this connection keeps the mode as it is; that only costs speed.
    sqlite3_exec(m_db, journal, nullptr, nullptr, nullptr);
}

QList<TableDef> SqliteConnection::ReadTables()
{
    return ReadTables(m_db);
}

QList<TableDef> SqliteConnection::ReadTables(sqlite3* db)
{
    QList<TableDef> tables;
    sqlite3_stmt* list = nullptr;
    sqlite3_prepare_v2(db,
                       "SELECT name, sql FROM sqlite_schema WHERE type = 'table' AND name NOT "
                       "LIKE 'sqlite\\_%' ESCAPE '\\' ORDER BY rowid",
                       -1, &list, nullptr);
    while (list && sqlite3_step(list) == SQLITE_ROW) {
        TableDef table;
        table.name = columnText(list, 0);
        const QString definition = columnText(list, 1);
        sqlite3_stmt* info = nullptr;
        sqlite3_prepare_v2(db, "SELECT name, type, \"notnull\" FROM pragma_table_info(?)", -1,
                           &info, nullptr);
        sqlite3_bind_text(info, 1, reinterpret_cast<const char*>(sqlite3_column_text(list, 0)), -1,
                          SQLITE_TRANSIENT);
        while (info && sqlite3_step(info) == SQLITE_ROW) {
            auto column = Catalog::FromDeclaredType(
                              reinterpret_cast<const char*>(sqlite3_column_text(info, 1)))
                              .value_or(FieldDef{{}, dbText, 255});
            column.name = columnText(info, 0);
            column.required = sqlite3_column_int(info, 2) != 0;
            if (definition.contains(Catalog::NotEmptyCheck(column.name)))
                column.allowZeroLength = false;
            table.fields.append(column);
        }
        sqlite3_finalize(info);
        tables.append(std::move(table));
    }
    sqlite3_finalize(list);
    return tables;
}
