#include "Database.h"

#include "Catalog.h"
#include "DbError.h"
#include "JetFunctions.h"
#include "JetTranslator.h"
#include "QueryDef.h"
#include "StatementCache.h"

#include <QFileInfo>
#include <QStorageInfo>
#include <sqlite3.h>

namespace {

constexpr int kBusyTimeoutMs = 15000;
constexpr int kKeptSelects = 256;

// A write-ahead log needs shared memory, which network file systems do not give.
bool onNetworkFileSystem(const QString& path)
{
    static const QByteArray kinds[] = {"nfs", "nfs4", "cifs", "smb3", "smbfs", "smb2", "9p",
                                       "afs", "ncpfs", "davfs", "fuse.sshfs"};
    const QByteArray type = QStorageInfo(QFileInfo(path).absolutePath()).fileSystemType();
    for (const QByteArray& kind : kinds) {
        if (type == kind)
            return true;
    }
    return false;
}

QString columnDefinition(const FieldDef& field)
{
    QString text = Catalog::QuoteName(field.name) + u' ' + Catalog::DeclaredType(field);
    if (field.required)
        text += QStringLiteral(" NOT NULL");
    if (!field.allowZeroLength && (field.type == dbText || field.type == dbMemo))
        text += Catalog::NotEmptyCheck(field.name);
    return text;
}

// The name alone (bare or in brackets) when the source is a table rather than a query.
QString tableNameOf(const QString& source)
{
    const QString s = source.trimmed();
    if (s.startsWith(u'[') && s.endsWith(u']') && s.indexOf(u']') == s.size() - 1)
        return s.mid(1, s.size() - 2);
    for (const QChar c : s) {
        if (!c.isLetterOrNumber() && c != u'_')
            return QString();
    }
    return s;
}

} // namespace

struct Database::Impl {
    std::shared_ptr<sqlite3> db;
    // Declared after the connection, so that its statements are finalized first.
    std::shared_ptr<StatementCache> statements;
    // Translations of queries by their text, so that a query opened again is not translated
    // again; valid as long as the tables are the same.
    QHash<QString, JetTranslation> selects;
    QString path;
    Catalog catalog;
    int changes = 0;
    bool journalChosen = false;

    // The journal mode is chosen at the first write, so that opening (and refusing) a file
    // that is not ours never changes it.
    void chooseJournal()
    {
        if (journalChosen)
            return;
        journalChosen = true;
        const char* journal = onNetworkFileSystem(path) ? "PRAGMA journal_mode=DELETE"
                                                        : "PRAGMA journal_mode=WAL";
        // A read still open on this connection keeps the mode as it is; that only costs speed.
        sqlite3_exec(db.get(), journal, nullptr, nullptr, nullptr);
    }

    void loadCatalog()
    {
        catalog.Load(db.get());
        selects.clear();
    }

    JetTranslation translate(const QString& sql)
    {
        if (const auto known = selects.constFind(sql); known != selects.constEnd())
            return known.value();
        JetTranslation t;
        try {
            t = JetTranslator::Translate(sql, catalog);
        } catch (const DbError&) {
            // Another workstation may have added a table since the names were read.
            const QStringList before = catalog.TableNames();
            loadCatalog();
            if (catalog.TableNames() == before)
                throw;
            t = JetTranslator::Translate(sql, catalog);
        }
        if (t.kind == JetTranslation::Select) {
            // Emptied when full, so that queries run once do not crowd out the others for good.
            if (selects.size() >= kKeptSelects)
                selects.clear();
            selects.insert(sql, t);
        }
        return t;
    }
};

Database::Database() = default;
Database::~Database() = default;
Database::Database(Database&&) noexcept = default;
Database& Database::operator=(Database&&) noexcept = default;
Database::Database(std::unique_ptr<Impl> impl) : d(std::move(impl)) {}

Database::Impl* Database::openFile(const QString& path, int flags)
{
    sqlite3* raw = nullptr;
    const int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &raw,
                                   flags | SQLITE_OPEN_NOMUTEX, nullptr);
    auto impl = std::make_unique<Database::Impl>();
    impl->db.reset(raw, [](sqlite3* h) { sqlite3_close_v2(h); });
    impl->statements = std::make_shared<StatementCache>(raw);
    impl->path = path;
    if (rc != SQLITE_OK)
        throw DbError(QStringLiteral("Could not open '%1': %2")
                          .arg(path, QString::fromUtf8(sqlite3_errmsg(raw))));
    sqlite3_extended_result_codes(raw, 1);
    sqlite3_busy_timeout(raw, kBusyTimeoutMs);
    JetFunctions::Register(raw);
    // Reading the schema proves the file is a database at all.
    for (const char* pragma : {"SELECT count(*) FROM sqlite_schema", "PRAGMA synchronous=FULL"}) {
        if (sqlite3_exec(raw, pragma, nullptr, nullptr, nullptr) != SQLITE_OK)
            throw DbError(QStringLiteral("'%1' is not a database file that can be opened: %2")
                              .arg(path, QString::fromUtf8(sqlite3_errmsg(raw))));
    }
    impl->catalog.Load(raw);
    return impl.release();
}

Database Database::Create(const QString& path, const QString& /*locale*/)
{
    if (QFileInfo::exists(path))
        throw DbError(QStringLiteral("Database '%1' already exists.").arg(path));
    return Database(std::unique_ptr<Impl>(
        openFile(path, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE)));
}

Database Database::Open(const QString& path)
{
    if (!QFileInfo(path).isFile())
        throw DbError(QStringLiteral("Could not find file '%1'.").arg(path));
    // SQLite would take an empty file for a new database and write to it.
    if (QFileInfo(path).size() == 0)
        throw DbError(QStringLiteral("'%1' is not a database file that can be opened: the file is "
                                     "empty.")
                          .arg(path));
    return Database(std::unique_ptr<Impl>(openFile(path, SQLITE_OPEN_READWRITE)));
}

bool Database::IsOpen() const
{
    return d && d->db;
}

QString Database::Name() const
{
    return d ? d->path : QString();
}

void Database::Close()
{
    d.reset();
}

sqlite3* Database::Handle() const
{
    if (!IsOpen())
        throw DbError(QStringLiteral("The database is not open."));
    return d->db.get();
}

void Database::run(const QByteArray& sql, const QString& original, const QVariantList& values)
{
    Handle();
    d->chooseJournal();
    QString message;
    if (!d->statements->Run(sql, values, message))
        throw DbError(message, original);
    d->changes = sqlite3_changes(d->db.get());
}

void Database::Execute(const QString& sql, int /*options*/)
{
    Handle();
    const JetTranslation t = d->translate(sql);
    if (t.kind != JetTranslation::Action)
        throw DbError(QStringLiteral("Cannot execute a select query."), sql);
    run(t.sql.toUtf8(), sql, t.parameters);
}

int Database::RecordsAffected() const
{
    return d ? d->changes : 0;
}

std::unique_ptr<Recordset> Database::OpenRecordset(const QString& source, int type)
{
    Handle();
    QString sql = source;
    const QString table = tableNameOf(source);
    if (!table.isEmpty()) {
        if (!d->catalog.Find(table))
            d->loadCatalog();
        if (!d->catalog.Find(table))
            throw DbError(QStringLiteral("The database engine cannot find the input table or "
                                         "query '%1'.")
                              .arg(table));
        sql = QStringLiteral("SELECT * FROM [%1]").arg(table);
    }
    const JetTranslation t = d->translate(sql);
    if (t.kind != JetTranslation::Select)
        throw DbError(QStringLiteral("Only a SELECT query can be opened as a recordset."), source);
    return std::make_unique<Recordset>(d->db, d->statements, t, source, type == dbOpenForwardOnly);
}

QueryDef Database::CreateQueryDef(const QString& /*name*/)
{
    return QueryDef(*this, QString());
}

void Database::AppendTable(const TableDef& table)
{
    QStringList columns;
    for (const FieldDef& f : table.fields)
        columns.append(columnDefinition(f));
    const QString sql = QStringLiteral("CREATE TABLE %1 (%2)")
                            .arg(Catalog::QuoteName(table.name), columns.join(QStringLiteral(", ")));
    run(sql.toUtf8(), sql);
    d->loadCatalog();
}

TableDef Database::GetTableDef(const QString& name) const
{
    Handle();
    d->loadCatalog();
    const TableDef* table = d->catalog.Find(name);
    if (!table)
        throw DbError(QStringLiteral("Table '%1' does not exist.").arg(name));
    return *table;
}

QStringList Database::TableNames() const
{
    Handle();
    d->loadCatalog();
    return d->catalog.TableNames();
}

void Database::CreateIndex(const QString& table, const QString& field)
{
    const QString sql = QStringLiteral("CREATE INDEX IF NOT EXISTS %1 ON %2 (%3)")
                            .arg(Catalog::QuoteName(QStringLiteral("ix_%1_%2").arg(table, field)),
                                 Catalog::QuoteName(table), Catalog::QuoteName(field));
    run(sql.toUtf8(), sql);
}

void Database::BeginTrans()
{
    run("BEGIN IMMEDIATE", QStringLiteral("BEGIN"));
}

void Database::CommitTrans()
{
    run("COMMIT", QStringLiteral("COMMIT"));
}

void Database::Rollback()
{
    run("ROLLBACK", QStringLiteral("ROLLBACK"));
}
