#include "StatementCache.h"

#include "SqlConnection.h"

std::unique_ptr<SqlStatement> StatementCache::Take(const QByteArray& sql)
{
    if (const auto kept = m_idle.find(sql); kept != m_idle.end()) {
        std::unique_ptr<SqlStatement> stmt = std::move(kept->second);
        m_idle.erase(kept);
        return stmt;
    }
    return m_connection.Prepare(sql, true);
}

void StatementCache::Give(const QByteArray& sql, std::unique_ptr<SqlStatement> stmt)
{
    stmt->Reset();
    // Once full, all are let go: texts run only once must not crowd out the others for good.
    if (m_idle.size() >= kKept)
        m_idle.clear();
    m_idle.emplace(sql, std::move(stmt));
}

void StatementCache::Run(const QByteArray& sql, const QVariantList& values)
{
    // A text with values to bind is one that runs again with other values; the rest run once.
    const bool keep = !values.isEmpty();
    std::unique_ptr<SqlStatement> stmt = keep ? Take(sql) : m_connection.Prepare(sql, false);
    // No statement and no error: the text held none.
    if (!stmt)
        return;
    try {
        stmt->Bind(values);
        while (stmt->Step()) {
        }
    } catch (...) {
        if (keep)
            Give(sql, std::move(stmt));
        throw;
    }
    if (keep)
        Give(sql, std::move(stmt));
}
