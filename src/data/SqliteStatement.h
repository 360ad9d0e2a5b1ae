#pragma once

#include "SqlStatement.h"

struct sqlite3;
struct sqlite3_stmt;

// A prepared statement of an SQLite connection.
class SqliteStatement : public SqlStatement
{
public:
    SqliteStatement(sqlite3* db, sqlite3_stmt* stmt) : m_db(db), m_stmt(stmt) {}
    ~SqliteStatement() override;
    SqliteStatement(const SqliteStatement&) = delete;
    SqliteStatement& operator=(const SqliteStatement&) = delete;

    void Bind(const QVariantList& values) override;
    bool Step() override;
    void Reset() override;
    int ColumnCount() const override;
    QString ColumnName(int column) const override;
    QString ColumnTable(int column) const override;
    std::optional<FieldDef> ColumnField(int column) const override;
    Storage ColumnStorage(int column) const override;
    qint64 Int(int column) const override;
    double Double(int column) const override;
    const char* Text(int column, int& bytes) const override;

private:
    [[noreturn]] void fail(int rc) const;

    sqlite3* m_db;
    sqlite3_stmt* m_stmt;
};
