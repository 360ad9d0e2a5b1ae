#include "PostgresStatement.h"

#include "PostgresConnection.h"
#include "PostgresDialect.h"

#include <charconv>
#include <libpq-fe.h>

namespace
{

constexpr Oid kBool = 16, kInt8 = 20, kInt2 = 21, kInt4 = 23, kFloat4 = 700, kFloat8 = 701,
              kNumeric = 1700;

} // namespace

PostgresStatement::PostgresStatement(PostgresConnection& connection, QByteArray sql,
                                     QByteArray name)
    : m_connection(connection), m_sql(std::move(sql)), m_name(std::move(name))
{
}

PostgresStatement::~PostgresStatement()
{
    PQclear(m_result);
    if (!m_name.isEmpty() && PQstatus(m_connection.Handle()) == CONNECTION_OK)
        PQclear(PQexec(m_connection.Handle(), "DEALLOCATE " + m_name));
}

void PostgresStatement::Prepare()
{
    m_generation = m_connection.Generation();
    if (m_name.isEmpty())
        return;
    PGresult* prepared =
        PQprepare(m_connection.Handle(), m_name.constData(), m_sql.constData(), 0, nullptr);
    try {
        m_connection.Check(prepared);
    } catch (...) {
        PQclear(prepared);
        throw;
    }
    PQclear(prepared);
}

void PostgresStatement::Bind(const QVariantList& values)
{
    m_values.clear();
    m_pointers.clear();
    m_values.reserve(size_t(values.size()));
    for (const QVariant& value : values) {
        if (!value.isValid()) {
            m_values.emplace_back();
        } else if (value.typeId() == QMetaType::LongLong) {
            m_values.push_back(QByteArray::number(value.toLongLong()));
        } else {
            // Never empty-and-null: an empty text stays an empty text.
            QByteArray text = value.toString().toUtf8();
            m_values.push_back(text.isNull() ? QByteArray("") : text);
        }
    }
    for (const QByteArray& v : m_values)
        m_pointers.push_back(v.isNull() ? nullptr : v.constData());
}

void PostgresStatement::execute()
{
    m_connection.EnsureConnected();
    if (m_generation != m_connection.Generation())
        Prepare();
    const int count = int(m_pointers.size());
    m_result = m_connection.Run([&](PGconn* conn) {
        return m_name.isEmpty() ? PQsendQueryParams(conn, m_sql.constData(), count, nullptr,
                                                    m_pointers.data(), nullptr, nullptr, 0)
                                : PQsendQueryPrepared(conn, m_name.constData(), count,
                                                      m_pointers.data(), nullptr, nullptr, 0);
    });
    m_connection.Check(m_result);
    m_rows = PQntuples(m_result);
    m_row = -1;
    if (PQresultStatus(m_result) == PGRES_COMMAND_OK)
        m_connection.SetChanges(std::atoi(PQcmdTuples(m_result)));
}

bool PostgresStatement::Step()
{
    if (!m_result)
        execute();
    return ++m_row < m_rows;
}

void PostgresStatement::Reset()
{
    PQclear(m_result);
    m_result = nullptr;
    m_values.clear();
    m_pointers.clear();
    m_row = -1;
    m_rows = 0;
}

int PostgresStatement::ColumnCount() const
{
    return m_result ? PQnfields(m_result) : 0;
}

QString PostgresStatement::ColumnName(int column) const
{
    return QString::fromUtf8(PQfname(m_result, column));
}

QString PostgresStatement::ColumnTable(int column) const
{
    return m_connection.TableName(PQftable(m_result, column));
}

std::optional<FieldDef> PostgresStatement::ColumnField(int column) const
{
    if (PQftable(m_result, column) == InvalidOid)
        return std::nullopt;
    return PostgresDialect::FromTypeOid(PQftype(m_result, column), PQfmod(m_result, column));
}

SqlStatement::Storage PostgresStatement::ColumnStorage(int column) const
{
    if (PQgetisnull(m_result, m_row, column))
        return Storage::Null;
    switch (PQftype(m_result, column)) {
    case kBool:
    case kInt2:
    case kInt4:
    case kInt8:
        return Storage::Integer;
    case kFloat4:
    case kFloat8:
    case kNumeric:
        return Storage::Float;
    default:
        return Storage::Text;
    }
}

qint64 PostgresStatement::Int(int column) const
{
    const char* value = PQgetvalue(m_result, m_row, column);
    if (PQftype(m_result, column) == kBool)
        return *value == 't' ? 1 : 0;
    qint64 n = 0;
    std::from_chars(value, value + PQgetlength(m_result, m_row, column), n);
    return n;
}

double PostgresStatement::Double(int column) const
{
    const char* value = PQgetvalue(m_result, m_row, column);
    double d = 0;
    std::from_chars(value, value + PQgetlength(m_result, m_row, column), d);
    return d;
}

const char* PostgresStatement::Text(int column, int& bytes) const
{
    if (PQgetisnull(m_result, m_row, column)) {
        bytes = 0;
        return nullptr;
    }
    bytes = PQgetlength(m_result, m_row, column);
    return PQgetvalue(m_result, m_row, column);
}
