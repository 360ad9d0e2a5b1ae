#include "StatementCache.h"

#include <sqlite3.h>

namespace {

int bind(sqlite3_stmt* stmt, int index, const QVariant& value)
{
    if (!value.isValid())
        return sqlite3_bind_null(stmt, index);
    if (value.typeId() == QMetaType::LongLong)
        return sqlite3_bind_int64(stmt, index, value.toLongLong());
    const QByteArray text = value.toString().toUtf8();
    return sqlite3_bind_text(stmt, index, text.constData(), int(text.size()), SQLITE_TRANSIENT);
}

} // namespace

StatementCache::~StatementCache()
{
    for (sqlite3_stmt* stmt : std::as_const(m_statements))
        sqlite3_finalize(stmt);
}

sqlite3_stmt* StatementCache::prepared(const QByteArray& sql, int& rc)
{
    rc = SQLITE_OK;
    if (sqlite3_stmt* kept = m_statements.value(sql))
        return kept;
    // Texts that differ in their Null values are few; a full cache is simply emptied.
    if (m_statements.size() >= kKept) {
        for (sqlite3_stmt* stmt : std::as_const(m_statements))
            sqlite3_finalize(stmt);
        m_statements.clear();
    }
    sqlite3_stmt* stmt = nullptr;
    rc = sqlite3_prepare_v3(m_db, sql.constData(), int(sql.size()), SQLITE_PREPARE_PERSISTENT,
                            &stmt, nullptr);
    if (rc != SQLITE_OK) {
        sqlite3_finalize(stmt);
        return nullptr;
    }
    m_statements.insert(sql, stmt);
    return stmt;
}

int StatementCache::Run(const QByteArray& sql, const QVariantList& values, QString& message)
{
    int rc = SQLITE_OK;
    sqlite3_stmt* stmt = prepared(sql, rc);
    for (int i = 0; stmt && rc == SQLITE_OK && i < values.size(); ++i)
        rc = bind(stmt, i + 1, values[i]);
    if (stmt && rc == SQLITE_OK) {
        while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        }
    }
    if (rc != SQLITE_DONE)
        message = QString::fromUtf8(sqlite3_errmsg(m_db));
    if (stmt) {
        sqlite3_reset(stmt);
        sqlite3_clear_bindings(stmt);
    }
    return rc;
}
