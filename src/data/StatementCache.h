#pragma once

#include <QByteArray>
#include <QHash>
#include <QVariantList>

struct sqlite3;
struct sqlite3_stmt;

// Prepared statements kept for texts that run again and again (rows added one by one, the
// same query opened anew), so that each is parsed and planned once. A statement is reset
// when it is given back, so that it holds no lock while it waits for its next use.
class StatementCache {
public:
    explicit StatementCache(sqlite3* db) : m_db(db) {}
    ~StatementCache();
    StatementCache(const StatementCache&) = delete;
    StatementCache& operator=(const StatementCache&) = delete;

    // A prepared statement of the text for the caller alone, or nullptr with SQLite's result
    // code in `rc`.
    sqlite3_stmt* Take(const QByteArray& sql, int& rc);
    // Hands a taken statement back for the next caller of the same text.
    void Give(const QByteArray& sql, sqlite3_stmt* stmt);

    // Runs an action statement with the values bound to its ? marks; a text with values is
    // kept for its next run. False, with the engine's message in `message`, when it failed.
    bool Run(const QByteArray& sql, const QVariantList& values, QString& message);

private:
    static constexpr int kKept = 32;

    sqlite3_stmt* prepare(const QByteArray& sql, unsigned flags, int& rc);

    sqlite3* m_db;
    QMultiHash<QByteArray, sqlite3_stmt*> m_idle;
};
