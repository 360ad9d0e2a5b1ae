#pragma once

#include "DaoType.h"
#include "FieldDef.h"
#include "Recordset.h"

#include <QString>
#include <memory>

class QueryDef;
struct sqlite3;

// How the identifier an INSERT stores must stand to the stored ones for its row to go in.
enum class IdCheck { Free, NextAfterLargest };

// One open database: an SQLite file or a database on a PostgreSQL server. SQL text is written
// in the Jet dialect and translated for the back end. Every statement is atomic: a failing one
// raises DbError and applies nothing. Several processes may share the database; a writer waits
// for another instead of failing.
class Database {
public:
    Database();
    ~Database();
    Database(Database&&) noexcept;
    Database& operator=(Database&&) noexcept;

    // Creates a new, empty file (refused when the file exists) and opens it.
    // The locale text is accepted for compatibility; text always compares without regard to case.
    static Database Create(const QString& path, const QString& locale = QString());
    // Opens an existing file for reading and writing; refuses a file that is no database.
    static Database Open(const QString& path);
    // Connects to a database on a server, given as a libpq connection string
    // ("host=... port=... dbname=... user=..."); the password comes from ~/.pgpass.
    static Database Connect(const QString& connection);

    bool IsOpen() const;
    // The file's path, or "database on server" for a database on a server.
    QString Name() const;
    bool OnServer() const;
    void Close();

    // Runs an INSERT, UPDATE or DELETE. With or without dbFailOnError a failing statement
    // raises DbError and changes nothing.
    void Execute(const QString& sql, int options = 0);
    int RecordsAffected() const;
    // The last statement of the caller's write transaction (on a server the commit goes with
    // it, in one exchange): stores the row of an INSERT ... VALUES only when the value it gives
    // `idField` of `table` passes the check at that moment. False, with nothing stored, when
    // it does not, or when the identifier is no plain value that can be checked.
    bool InsertChecked(const QString& sql, const QString& table, const QString& idField,
                       IdCheck check);
    // A query (SELECT text) or every row of a table (a table name).
    std::unique_ptr<Recordset> OpenRecordset(const QString& source, int type = dbOpenSnapshot);
    QueryDef CreateQueryDef(const QString& name = QString());

    void AppendTable(const TableDef& table);
    // The table's fields as stored in the file; DbError when there is no such table.
    TableDef GetTableDef(const QString& name) const;
    QStringList TableNames() const;
    void CreateIndex(const QString& table, const QString& field);

    // A write transaction: BeginTrans waits until no other writer holds the file.
    void BeginTrans();
    void CommitTrans();
    void Rollback();
    bool InTransaction() const;
    // Text that every back end reads alike (savepoints), run as it is, untranslated.
    void ExecuteDirect(const QByteArray& sql);

    // The SQLite connection of a file, for what only a file has (backups, file checks);
    // DbError on a server.
    sqlite3* Handle() const;

private:
    struct Impl;
    class SqlConnection& connection() const;
    explicit Database(std::shared_ptr<class SqlConnection> connection);
    void run(const QByteArray& sql, const QString& original, const QVariantList& values = {});

    std::unique_ptr<Impl> d;
};
