#include "SqliteStatement.h"

#include "Catalog.h"
#include "DbError.h"

#include <sqlite3.h>

SqliteStatement::~SqliteStatement()
{
    sqlite3_finalize(m_stmt);
}

void SqliteStatement::fail(int rc) const
{
    const int primary = rc & 0xff;
    throw DbError(QString::fromUtf8(sqlite3_errmsg(m_db)), QString(),
                  primary == SQLITE_BUSY || primary == SQLITE_LOCKED ? DbError::Conflict
                                                                     : DbError::Failed);
}

void SqliteStatement::Bind(const QVariantList& values)
{
    for (int i = 0; i < values.size(); ++i) {
        const QVariant& value = values[i];
        int rc = SQLITE_OK;
        if (!value.isValid()) {
            rc = sqlite3_bind_null(m_stmt, i + 1);
        } else if (value.typeId() == QMetaType::LongLong) {
            rc = sqlite3_bind_int64(m_stmt, i + 1, value.toLongLong());
        } else {
            const QByteArray text = value.toString().toUtf8();
            rc = sqlite3_bind_text(m_stmt, i + 1, text.constData(), int(text.size()),
                                   SQLITE_TRANSIENT);
        }
        if (rc != SQLITE_OK)
            fail(rc);
    }
}

bool SqliteStatement::Step()
{
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW)
        return true;
    if (rc != SQLITE_DONE)
        fail(rc);
    return false;
}

void SqliteStatement::Reset()
{
    sqlite3_reset(m_stmt);
    sqlite3_clear_bindings(m_stmt);
}

int SqliteStatement::ColumnCount() const
{
    return sqlite3_column_count(m_stmt);
}

QString SqliteStatement::ColumnName(int column) const
{
    return QString::fromUtf8(sqlite3_column_name(m_stmt, column));
}

QString SqliteStatement::ColumnTable(int column) const
{
    return QString::fromUtf8(sqlite3_column_table_name(m_stmt, column));
}

std::optional<FieldDef> SqliteStatement::ColumnField(int column) const
{
    return Catalog::FromDeclaredType(sqlite3_column_decltype(m_stmt, column));
}

SqlStatement::Storage SqliteStatement::ColumnStorage(int column) const
{
    switch (sqlite3_column_type(m_stmt, column)) {
    case SQLITE_NULL:
        return Storage::Null;
    case SQLITE_INTEGER:
        return Storage::Integer;
    case SQLITE_FLOAT:
        return Storage::Float;
    default:
        return Storage::Text;
    }
}

qint64 SqliteStatement::Int(int column) const
{
    return sqlite3_column_int64(m_stmt, column);
}

double SqliteStatement::Double(int column) const
{
    return sqlite3_column_double(m_stmt, column);
}

const char* SqliteStatement::Text(int column, int& bytes) const
{
    // No text pointer means Null: one call instead of asking for the storage class first.
    const char* text = reinterpret_cast<const char*>(sqlite3_column_text(m_stmt, column));
    bytes = text ? sqlite3_column_bytes(m_stmt, column) : 0;
    return text;
}
