#pragma once

#include "SqlConnection.h"

#include <QString>

// A connection to an SQLite file, with the engine's collation and functions registered.
class SqliteConnection : public SqlConnection
{
public:
    // Opens the file with sqlite3_open_v2's flags; refuses a file that is no database.
    SqliteConnection(const QString& path, int flags);
    ~SqliteConnection() override;
    SqliteConnection(const SqliteConnection&) = delete;
    SqliteConnection& operator=(const SqliteConnection&) = delete;

    const SqlDialect& Dialect() const override;
    QString Name() const override { return m_path; }
    std::unique_ptr<SqlStatement> Prepare(const QByteArray& sql, bool keep) override;
    void Exec(const QByteArray& sql) override;
    int Changes() const override;
    bool InTransaction() const override;
    void BeginWrite() override;
    void BeforeWrite() override;
    QList<TableDef> ReadTables() override;
    static QList<TableDef> ReadTables(sqlite3* db);
    sqlite3* FileHandle() const override { return m_db; }

private:
    [[noreturn]] void fail(const QString& context = QString()) const;

    sqlite3* m_db = nullptr;
    QString m_path;
    bool m_journalChosen = false;
};
