#pragma once

class Database;

// A write transaction that is rolled back unless committed: a failure part-way through
// leaves the file as it was.
class WriteTransaction {
public:
    explicit WriteTransaction(Database& db);
    ~WriteTransaction();
    WriteTransaction(const WriteTransaction&) = delete;
    WriteTransaction& operator=(const WriteTransaction&) = delete;

    void Commit();

private:
    Database& m_db;
    bool m_done = false;
};
