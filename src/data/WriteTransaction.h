#pragma once

#include <functional>

class Database;

// A write transaction that is rolled back unless committed: a failure part-way through
// leaves the file as it was. Inside a transaction the caller already holds it becomes a
// savepoint, so that only its own work is undone and the caller's transaction stays open.
class WriteTransaction {
public:
    explicit WriteTransaction(Database& db);
    ~WriteTransaction();
    WriteTransaction(const WriteTransaction&) = delete;
    WriteTransaction& operator=(const WriteTransaction&) = delete;

    void Commit();

    // Runs the work in a write transaction and commits it. When another writer made it fail
    // (a serialization failure, a deadlock, a file still locked) it is rolled back and run
    // again, a few times, so that a collision never reaches the user as a lost record.
    // Inside a transaction of the caller's it runs once: only the caller can start over.
    static void Run(Database& db, const std::function<void()>& work);

private:
    void runOnHandle(const char* sql);

    Database& m_db;
    bool m_nested;
    bool m_done = false;
};
