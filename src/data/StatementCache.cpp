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
    for (sqlite3_stmt* stmt : std::as_const(m_idle))
        sqlite3_finalize(stmt);
}

sqlite3_stmt* StatementCache::Take(const QByteArray& sql, int& rc)
{
    rc = SQLITE_OK;
    if (const auto kept = m_idle.constFind(sql); kept != m_idle.constEnd()) {
        sqlite3_stmt* stmt = kept.value();
        m_idle.erase(kept);
        return stmt;
    }
    sqlite3_stmt* stmt = nullptr;
    rc = sqlite3_prepare_v3(m_db, sql.constData(), int(sql.size()), SQLITE_PREPARE_PERSISTENT,
                            &stmt, nullptr);
    if (rc != SQLITE_OK) {
        sqlite3_finalize(stmt);
        return nullptr;
    }
    return stmt;
}

void StatementCache::Give(const QByteArray& sql, sqlite3_stmt* stmt)
{
    sqlite3_reset(stmt);
    sqlite3_clear_bindings(stmt);
    // Once full, all are let go: texts run only once must not crowd out the others for good.
    if (m_idle.size() >= kKept) {
        for (sqlite3_stmt* idle : std::as_const(m_idle))
            sqlite3_finalize(idle);
        m_idle.clear();
    }
    m_idle.insert(sql, stmt);
}

int StatementCache::Run(const QByteArray& sql, const QVariantList& values, QString& message)
{
    int rc = SQLITE_OK;
    sqlite3_stmt* stmt = Take(sql, rc);
    for (int i = 0; stmt && rc == SQLITE_OK && i < values.size(); ++i)
        rc = bind(stmt, i + 1, values[i]);
    if (stmt && rc == SQLITE_OK) {
        while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        }
    }
    if (rc != SQLITE_DONE)
        message = QString::fromUtf8(sqlite3_errmsg(m_db));
    if (stmt)
        Give(sql, stmt);
    return rc;
}
