#pragma once

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

private:
    void runOnHandle(const char* sql);

    Database& m_db;
    bool m_nested;
    bool m_done = false;
};
