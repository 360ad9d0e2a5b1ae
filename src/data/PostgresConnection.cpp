#include "PostgresConnection.h"

#include "DaoType.h"
#include "DbError.h"
#include "PostgresDialect.h"
#include "PostgresStatement.h"

#include <libpq-fe.h>

namespace
{

using Result = std::unique_ptr<PGresult, decltype(&PQclear)>;

// The advisory lock that writing transactions take (the key is any number of our own).
constexpr char kBegin[] = "BEGIN";
constexpr char kWriterLock[] = "SELECT pg_advisory_xact_lock(24318364364010081)";

// What a write sends around its statements, prepared once per connection: parsed anew each
// time they would cost the server more than the statement itself.
struct Wrapper {
    const char* name;
    const char* sql;
};
constexpr Wrapper kBeginWrite{"velmora_begin", kBegin};
constexpr Wrapper kLockWriters{"velmora_lock", kWriterLock};
constexpr Wrapper kCommitWrite{"velmora_commit", "COMMIT"};

constexpr char kReadTables[] =
    "SELECT c.oid, c.relname, a.attname, format_type(a.atttypid, a.atttypmod), a.attnotnull, "
    "EXISTS (SELECT 1 FROM pg_constraint k WHERE k.conrelid = c.oid AND k.contype = 'c' "
    "AND k.conname = 'nonempty ' || a.attname) "
    "FROM pg_class c JOIN pg_attribute a ON a.attrelid = c.oid "
    "WHERE c.relkind = 'r' AND c.relnamespace = current_schema()::regnamespace "
    "AND a.attnum > 0 AND NOT a.attisdropped ORDER BY c.oid, a.attnum";

QString text(const PGresult* result, int row, int column)
{
    return QString::fromUtf8(PQgetvalue(result, row, column), PQgetlength(result, row, column));
}

int sendText(PGconn* conn, const char* sql)
{
    return PQsendQueryParams(conn, sql, 0, nullptr, nullptr, nullptr, nullptr, 0);
}

int sendWrapper(PGconn* conn, const Wrapper& wrapper)
{
    return PQsendQueryPrepared(conn, wrapper.name, 0, nullptr, nullptr, nullptr, 0);
}

bool succeeded(const PGresult* result)
{
    const ExecStatusType status = PQresultStatus(result);
    return status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK;
}

// The results of one statement sent, up to the null that ends them: the last one, or the
// first that failed.
PGresult* collect(PGconn* conn)
{
    PGresult* kept = nullptr;
    while (PGresult* next = PQgetResult(conn)) {
        if (kept && !succeeded(kept)) {
            PQclear(next);
        } else {
            PQclear(kept);
            kept = next;
        }
    }
    return kept;
}

} // namespace

PostgresConnection::PostgresConnection(const QString& connection)
{
    const QByteArray conninfo = connection.toUtf8();
    // Later keywords override what the connection string says.
    const char* keywords[] = {"dbname",           "client_encoding", "options",
                              "application_name", "connect_timeout", nullptr};
    const char* values[] = {
        conninfo.constData(), "UTF8", "-c datestyle=ISO,MDY", "Velmora", "10", nullptr};
    m_conn = PQconnectdbParams(keywords, values, 1);
    if (PQstatus(m_conn) != CONNECTION_OK) {
        const QString message = QString::fromUtf8(PQerrorMessage(m_conn)).trimmed();
        const bool password = PQconnectionNeedsPassword(m_conn);
        PQfinish(m_conn);
        throw DbError(QStringLiteral("Could not connect to the database server: %1").arg(message),
                      QString(), password ? DbError::PasswordNeeded : DbError::ConnectionLost);
    }
    PQsetNoticeProcessor(
        m_conn, [](void*, const char*) {}, nullptr);
    // Made once per database; a user who may not create them finds them made by the owner.
    PQclear(PQexec(m_conn, PostgresDialect::Definitions()));
}

PostgresConnection::~PostgresConnection()
{
    PQfinish(m_conn);
}

void PostgresConnection::Check(const PGresult* result) const
{
    const ExecStatusType status = PQresultStatus(result);
    if (result &&
        (status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK || status == PGRES_EMPTY_QUERY))
        return;
    const char* primary = PQresultErrorField(result, PG_DIAG_MESSAGE_PRIMARY);
    const QByteArray state = PQresultErrorField(result, PG_DIAG_SQLSTATE);
    QString message = QString::fromUtf8(primary ? primary : PQerrorMessage(m_conn)).trimmed();
    DbError::Kind kind = DbError::Failed;
    if (PQstatus(m_conn) != CONNECTION_OK || state.startsWith("08") || state.startsWith("57P")) {
        kind = DbError::ConnectionLost;
        message = QStringLiteral("The connection to the database server was lost: %1").arg(message);
    } else if (state == "40001" || state == "40P01" || state == "55P03") {
        kind = DbError::Conflict;
    }
    throw DbError(message, QString(), kind);
}

void PostgresConnection::EnsureConnected()
{
    if (PQstatus(m_conn) == CONNECTION_OK)
        return;
    PQreset(m_conn);
    if (PQstatus(m_conn) != CONNECTION_OK)
        throw DbError(QStringLiteral("The database server cannot be reached: %1")
                          .arg(QString::fromUtf8(PQerrorMessage(m_conn)).trimmed()),
                      QString(), DbError::ConnectionLost);
    ++m_generation;
}

const SqlDialect& PostgresConnection::Dialect() const
{
    return PostgresDialect::Instance();
}

QString PostgresConnection::Name() const
{
    return QStringLiteral("%1 on %2")
        .arg(QString::fromUtf8(PQdb(m_conn)), QString::fromUtf8(PQhost(m_conn)));
}

std::unique_ptr<SqlStatement> PostgresConnection::Prepare(const QByteArray& sql, bool keep)
{
    if (sql.trimmed().isEmpty())
        return nullptr;
    EnsureConnected();
    auto statement = std::make_unique<PostgresStatement>(
        *this, sql, keep ? "velmora_" + QByteArray::number(++m_prepared) : QByteArray());
    statement->Prepare();
    return statement;
}

void PostgresConnection::Exec(const QByteArray& sql)
{
    EnsureConnected();
    m_commitPending = false;
    const bool begin = std::exchange(m_beginPending, false);
    // A write that sent nothing, or whose commit went with its last statement, has nothing
    // left to end.
    const bool ends = sql == "COMMIT" || sql == "ROLLBACK";
    if (ends && (begin || PQtransactionStatus(m_conn) == PQTRANS_IDLE))
        return;
    const QByteArray text = begin ? QByteArray(kBegin) + "; " + kWriterLock + "; " + sql : sql;
    Result result(PQexec(m_conn, text.constData()), &PQclear);
    Check(result.get());
}

PGresult* PostgresConnection::Run(const std::function<int(PGconn*)>& send)
{
    const bool begin = std::exchange(m_beginPending, false);
    const bool commit = std::exchange(m_commitPending, false);
    if (begin || commit)
        return runInPipeline(begin, send, commit);
    return send(m_conn) ? collect(m_conn) : nullptr;
}

// The begin and the lock before the statement, the commit after it, all in one pipeline: one
// round trip. Returns the first failure, else the statement's own result. After a lost
// connection nothing more arrives; the next statement connects again.
PGresult* PostgresConnection::runInPipeline(bool begin, const std::function<int(PGconn*)>& send,
                                            bool commit)
{
    prepareWrappers();
    if (!PQenterPipelineMode(m_conn))
        return nullptr;
    const bool sent =
        (!begin || (sendWrapper(m_conn, kBeginWrite) && sendWrapper(m_conn, kLockWriters))) &&
        send(m_conn) && (!commit || sendWrapper(m_conn, kCommitWrite)) && PQpipelineSync(m_conn);
    const int statement = begin ? 2 : 0;
    const int count = statement + 1 + (commit ? 1 : 0);
    PGresult* failed = nullptr;
    PGresult* result = nullptr;
    for (int i = 0; sent && i < count; ++i) {
        PGresult* next = collect(m_conn);
        if (!failed && !succeeded(next))
            failed = std::exchange(next, nullptr);
        if (i == statement)
            std::swap(result, next);
        PQclear(next);
    }
    if (sent)
        PQclear(PQgetResult(m_conn));
    PQexitPipelineMode(m_conn);
    if (!failed)
        return result;
    PQclear(result);
    return failed;
}

void PostgresConnection::prepareWrappers()
{
    if (m_wrappersPrepared == m_generation)
        return;
    for (const Wrapper& wrapper : {kBeginWrite, kLockWriters, kCommitWrite}) {
        Result prepared(PQprepare(m_conn, wrapper.name, wrapper.sql, 0, nullptr), &PQclear);
        Check(prepared.get());
    }
    m_wrappersPrepared = m_generation;
}

bool PostgresConnection::InTransaction() const
{
    return m_beginPending || PQtransactionStatus(m_conn) != PQTRANS_IDLE;
}

// As on a shared file, one writer at a time: a transaction that writes takes the database's
// writer lock, and another waits for it, so that reading the largest identifier and storing
// the next one are never interleaved between workstations. Both go with the first statement.
void PostgresConnection::BeginWrite()
{
    EnsureConnected();
    m_beginPending = true;
    m_commitPending = false;
}

void PostgresConnection::CommitWithNext()
{
    m_commitPending = true;
}

QList<TableDef> PostgresConnection::ReadTables()
{
    EnsureConnected();
    Result result(Run([](PGconn* conn) { return sendText(conn, kReadTables); }), &PQclear);
    Check(result.get());
    QList<TableDef> tables;
    m_tableNames.clear();
    unsigned current = 0;
    for (int row = 0; row < PQntuples(result.get()); ++row) {
        const unsigned oid = text(result.get(), row, 0).toUInt();
        if (tables.isEmpty() || oid != current) {
            current = oid;
            tables.append(TableDef{text(result.get(), row, 1), {}});
            m_tableNames.insert(oid, tables.last().name);
        }
        FieldDef field = PostgresDialect::FromTypeName(text(result.get(), row, 3))
                             .value_or(FieldDef{{}, dbText, 255});
        field.name = text(result.get(), row, 2);
        field.required = *PQgetvalue(result.get(), row, 4) == 't';
        field.allowZeroLength = *PQgetvalue(result.get(), row, 5) != 't' &&
                                (field.type == dbText || field.type == dbMemo);
        tables.last().fields.append(field);
    }
    return tables;
}
