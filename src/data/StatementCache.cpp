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

sqlite3_stmt* StatementCache::prepare(const QByteArray& sql, unsigned flags, int& rc)
{
    sqlite3_stmt* stmt = nullptr;
    rc = sqlite3_prepare_v3(m_db, sql.constData(), int(sql.size()), flags, &stmt, nullptr);
    if (rc != SQLITE_OK) {
        sqlite3_finalize(stmt);
        return nullptr;
    }
    return stmt;
}

sqlite3_stmt* StatementCache::Take(const QByteArray& sql, int& rc)
{
    rc = SQLITE_OK;
    if (const auto kept = m_idle.constFind(sql); kept != m_idle.constEnd()) {
        sqlite3_stmt* stmt = kept.value();
        m_idle.erase(kept);
        return stmt;
    }
    return prepare(sql, SQLITE_PREPARE_PERSISTENT, rc);
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

bool StatementCache::Run(const QByteArray& sql, const QVariantList& values, QString& message)
{
    // A text with values to bind is one that runs again with other values; the rest run once.
    const bool keep = !values.isEmpty();
    int rc = SQLITE_OK;
    sqlite3_stmt* stmt = keep ? Take(sql, rc) : prepare(sql, 0, rc);
    for (int i = 0; stmt && rc == SQLITE_OK && i < values.size(); ++i)
        rc = bind(stmt, i + 1, values[i]);
    // No statement and no error: the text held none.
    if (stmt && rc == SQLITE_OK) {
        while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        }
    }
    const bool done = rc == SQLITE_DONE || rc == SQLITE_OK;
    if (!done)
        message = QString::fromUtf8(sqlite3_errmsg(m_db));
    if (stmt && keep)
        Give(sql, stmt);
    else
        sqlite3_finalize(stmt);
    return done;
}
