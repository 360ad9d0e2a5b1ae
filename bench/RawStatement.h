#pragma once

#include <QString>
#include <optional>

struct sqlite3;
struct sqlite3_stmt;

// A prepared SQLite statement used directly, without the engine: the baseline the engine is
// measured against, and the fast path that fills generated databases.
class RawStatement
{
public:
    RawStatement(sqlite3* db, const char* sql);
    ~RawStatement();
    RawStatement(const RawStatement&) = delete;
    RawStatement& operator=(const RawStatement&) = delete;

    // A null text or an empty optional binds Null.
    void Bind(int index, const QString& text);
    void Bind(int index, std::optional<int> number);
    // True while there is a row; throws std::runtime_error on an SQLite error.
    bool Step();
    void Reset();
    // Runs the statement to its end and readies it for the next values.
    void Run();
    sqlite3_stmt* Handle() const { return m_stmt; }

private:
    [[noreturn]] void fail() const;

    sqlite3* m_db;
    sqlite3_stmt* m_stmt = nullptr;
};
