#pragma once

#include <QByteArray>
#include <QHash>
#include <QVariantList>

struct sqlite3;
struct sqlite3_stmt;

// Prepared statements kept for texts that are run again and again with other values (rows
// added one by one), so that each is parsed and planned once. A kept statement is always
// reset after its run, so that it holds no lock between runs.
class StatementCache {
public:
    explicit StatementCache(sqlite3* db) : m_db(db) {}
    ~StatementCache();
    StatementCache(const StatementCache&) = delete;
    StatementCache& operator=(const StatementCache&) = delete;

    // Runs the statement with the values bound to its ? marks; returns SQLite's result code
    // (SQLITE_DONE on success) with the engine's message in `message` otherwise.
    int Run(const QByteArray& sql, const QVariantList& values, QString& message);

private:
    static constexpr int kKept = 32;

    sqlite3_stmt* prepared(const QByteArray& sql, int& rc);

    sqlite3* m_db;
    QHash<QByteArray, sqlite3_stmt*> m_statements;
};
