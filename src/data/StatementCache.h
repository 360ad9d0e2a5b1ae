#pragma once

#include "SqlStatement.h"

#include <QByteArray>
#include <QHash>
#include <QVariantList>
#include <memory>
#include <unordered_map>

class SqlConnection;

// Prepared statements kept for texts that run again and again (rows added one by one, the
// same query opened anew), so that each is parsed and planned once. A statement is reset
// when it is given back, so that it holds no lock while it waits for its next use.
class StatementCache {
public:
    explicit StatementCache(SqlConnection& connection) : m_connection(connection) {}
    StatementCache(const StatementCache&) = delete;
    StatementCache& operator=(const StatementCache&) = delete;

    // A prepared statement of the text for the caller alone; DbError when it cannot be
    // prepared, nullptr when the text holds none.
    std::unique_ptr<SqlStatement> Take(const QByteArray& sql);
    // Hands a taken statement back for the next caller of the same text.
    void Give(const QByteArray& sql, std::unique_ptr<SqlStatement> stmt);

    // Runs an action statement with the values bound to its parameters; a text with values
    // is kept for its next run. DbError when it failed.
    void Run(const QByteArray& sql, const QVariantList& values);

private:
    static constexpr int kKept = 32;

    SqlConnection& m_connection;
    std::unordered_multimap<QByteArray, std::unique_ptr<SqlStatement>> m_idle;
};
