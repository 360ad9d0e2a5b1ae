#include "Database.h"

#include "Catalog.h"
#include "DbError.h"
#include "JetLexer.h"
#include "JetTranslator.h"
#include "PostgresConnection.h"
#include "QueryDef.h"
#include "QueryShape.h"
#include "SqlDialect.h"
#include "SqliteConnection.h"
#include "StatementCache.h"

#include <QFileInfo>
#include <sqlite3.h>

namespace {

constexpr int kKeptShapes = 256;

QString columnDefinition(const SqlDialect& dialect, const FieldDef& field)
{
    QString text = SqlDialect::QuoteName(field.name) + u' ' + dialect.DeclaredType(field);
    if (field.required)
        text += QStringLiteral(" NOT NULL");
    if (!field.allowZeroLength && (field.type == dbText || field.type == dbMemo))
        text += dialect.NotEmptyCheck(field.name);
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

// A translated INSERT ... VALUES (...) as INSERT ... SELECT ... WHERE condition, which stores
// its row only when the condition holds; nullopt for any other statement.
std::optional<QString> insertWhere(const QString& insert, const QString& condition)
{
    const qsizetype values = insert.indexOf(QLatin1String(") VALUES ("), 0, Qt::CaseInsensitive);
    if (values < 0 || !insert.startsWith(QLatin1String("INSERT "), Qt::CaseInsensitive) ||
        !insert.endsWith(u')'))
        return std::nullopt;
    const qsizetype list = values + 10;
    return insert.left(values + 1) + QStringLiteral(" SELECT ") +
           insert.mid(list, insert.size() - 1 - list) + QStringLiteral(" WHERE ") + condition;
}

// What the check asks of the stored rows about the identifier given as `value`.
QString idCondition(IdCheck check, const QString& table, const QString& field, const QString& value)
{
    const QString from = SqlDialect::QuoteName(table), name = SqlDialect::QuoteName(field);
    if (check == IdCheck::Free)
        return QStringLiteral("NOT EXISTS (SELECT 1 FROM %1 WHERE %2 = %3)").arg(from, name, value);
    return QStringLiteral("%3 = (SELECT COALESCE(MAX(%2), 0) + 1 FROM %1)").arg(from, name, value);
}

// Where the value stored in the field is bound; -1 when it is written into the text.
qsizetype boundValueOf(const JetTranslation& t, const QString& field)
{
    for (qsizetype i = 0; i < t.boundFields.size(); ++i) {
        if (t.boundFields[i] && t.boundFields[i]->name == field)
            return i;
    }
    return -1;
}

} // namespace

struct Database::Impl {
    std::shared_ptr<SqlConnection> db;
    // Declared after the connection, so that its statements are let go first.
    std::shared_ptr<StatementCache> statements;
    // Translations of queries and INSERTs by their shape, so that a statement run again, also
    // with other values, is not translated again; valid as long as the tables are the same.
    QHash<QString, JetTranslation> shapes;
    Catalog catalog;
    int changes = 0;

    void loadCatalog()
    {
        catalog.Load(db->ReadTables());
        shapes.clear();
    }

    JetTranslation translate(const QString& sql)
    {
        const QList<JetToken> tokens = JetLexer::Tokenize(sql);
        const QueryShape shape = QueryShape::Of(tokens);
        if (auto kept = keptTranslation(shape, tokens))
            return *kept;
        JetTranslation t;
        try {
            t = translateAnew(sql, tokens);
        } catch (const DbError&) {
            // Another workstation may have added a table since the names were read.
            const QStringList before = catalog.TableNames();
            loadCatalog();
            if (catalog.TableNames() == before)
                throw;
            t = translateAnew(sql, tokens);
        }
        // Kept when exactly the values the key leaves out are bound.
        if (!shape.key.isEmpty() && t.boundTokens == shape.literals) {
            // Emptied when full, so that statements run once do not crowd out the others.
            if (shapes.size() >= kKeptShapes)
                shapes.clear();
            shapes.insert(shape.key, t);
        }
        return t;
    }

    std::optional<JetTranslation> keptTranslation(const QueryShape& shape,
                                                  const QList<JetToken>& tokens) const
    {
        const auto known = shapes.constFind(shape.key);
        if (shape.key.isEmpty() || known == shapes.constEnd())
            return std::nullopt;
        JetTranslation t = known.value();
        t.parameters.clear();
        for (qsizetype i = 0; i < shape.literals.size(); ++i) {
            const JetToken& value = tokens[shape.literals[i]];
            // A value too long or too large for its field takes the checked way: translate anew.
            if (t.boundFields[i] && !JetTranslator::FitsAsWritten(value, *t.boundFields[i]))
                return std::nullopt;
            t.parameters.append(JetTranslator::BoundValue(value));
        }
        return t;
    }

    JetTranslation translateAnew(const QString& sql, const QList<JetToken>& tokens) const
    {
        return JetTranslator::Translate(sql, tokens, catalog, db->Dialect(),
                                        JetTranslator::Numbers::Bound);
    }
};

Database::Database() = default;
Database::~Database() = default;
Database::Database(Database&&) noexcept = default;
Database& Database::operator=(Database&&) noexcept = default;
Database::Database(std::shared_ptr<SqlConnection> connection) : d(std::make_unique<Impl>())
{
    d->db = std::move(connection);
    d->statements = std::make_shared<StatementCache>(*d->db);
    d->loadCatalog();
}

Database Database::Create(const QString& path, const QString& /*locale*/)
{
    if (QFileInfo::exists(path))
        throw DbError(QStringLiteral("Database '%1' already exists.").arg(path));
    return Database(
        std::make_shared<SqliteConnection>(path, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE));
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
    return Database(std::make_shared<SqliteConnection>(path, SQLITE_OPEN_READWRITE));
}

Database Database::Connect(const QString& connection)
{
    return Database(std::make_shared<PostgresConnection>(connection));
}

bool Database::IsOpen() const
{
    return d && d->db;
}

QString Database::Name() const
{
    return d ? d->db->Name() : QString();
}

bool Database::OnServer() const
{
    return d && !d->db->FileHandle();
}

void Database::Close()
{
    d.reset();
}

SqlConnection& Database::connection() const
{
    if (!IsOpen())
        throw DbError(QStringLiteral("The database is not open."));
    return *d->db;
}

sqlite3* Database::Handle() const
{
    if (sqlite3* file = connection().FileHandle())
        return file;
    throw DbError(QStringLiteral("This is possible only with a database file."));
}

void Database::run(const QByteArray& sql, const QString& original, const QVariantList& values)
{
    connection().BeforeWrite();
    try {
        d->statements->Run(sql, values);
    } catch (const DbError& e) {
        throw DbError(e.Message(), original, e.GetKind());
    }
    d->changes = d->db->Changes();
}

void Database::Execute(const QString& sql, int /*options*/)
{
    connection();
    const JetTranslation t = d->translate(sql);
    if (t.kind != JetTranslation::Action)
        throw DbError(QStringLiteral("Cannot execute a select query."), sql);
    run(t.sql.toUtf8(), sql, t.parameters);
}

bool Database::InsertChecked(const QString& sql, const QString& table, const QString& idField,
                             IdCheck check)
{
    connection();
    const JetTranslation t = d->translate(sql);
    const TableDef* target = d->catalog.Find(table);
    const FieldDef* id = target ? target->Find(idField) : nullptr;
    const qsizetype bound = id ? boundValueOf(t, id->name) : -1;
    if (t.kind != JetTranslation::Action || bound < 0)
        return false;
    // The identifier is bound once more, for the condition.
    const auto insert = insertWhere(
        t.sql, idCondition(check, target->name, id->name,
                           d->db->Dialect().Parameter(int(t.parameters.size()) + 1)));
    if (!insert)
        return false;
    connection().CommitWithNext();
    run(insert->toUtf8(), sql, t.parameters + QVariantList{t.parameters[bound]});
    return d->changes == 1;
}

int Database::RecordsAffected() const
{
    return d ? d->changes : 0;
}

std::unique_ptr<Recordset> Database::OpenRecordset(const QString& source, int type)
{
    connection();
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
        columns.append(columnDefinition(connection().Dialect(), f));
    const QString sql = QStringLiteral("CREATE TABLE %1 (%2)")
                            .arg(SqlDialect::QuoteName(table.name), columns.join(QStringLiteral(", ")));
    run(sql.toUtf8(), sql);
    d->loadCatalog();
}

TableDef Database::GetTableDef(const QString& name) const
{
    connection();
    d->loadCatalog();
    const TableDef* table = d->catalog.Find(name);
    if (!table)
        throw DbError(QStringLiteral("Table '%1' does not exist.").arg(name));
    return *table;
}

QStringList Database::TableNames() const
{
    connection();
    d->loadCatalog();
    return d->catalog.TableNames();
}

void Database::CreateIndex(const QString& table, const QString& field)
{
    const QString sql = QStringLiteral("CREATE INDEX IF NOT EXISTS %1 ON %2 (%3)")
                            .arg(SqlDialect::QuoteName(QStringLiteral("ix_%1_%2").arg(table, field)),
                                 SqlDialect::QuoteName(table), SqlDialect::QuoteName(field));
    run(sql.toUtf8(), sql);
}

void Database::BeginTrans()
{
    connection().BeginWrite();
}

void Database::CommitTrans()
{
    connection().Exec("COMMIT");
}

void Database::Rollback()
{
    connection().Exec("ROLLBACK");
}

bool Database::InTransaction() const
{
    return connection().InTransaction();
}

void Database::ExecuteDirect(const QByteArray& sql)
{
    try {
        connection().Exec(sql);
    } catch (const DbError& e) {
        throw DbError(e.Message(), QString::fromUtf8(sql), e.GetKind());
    }
}
