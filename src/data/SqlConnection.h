#pragma once

#include "FieldDef.h"

#include <QByteArray>
#include <memory>

class SqlDialect;
class SqlStatement;
struct sqlite3;

// One open connection of a back end (the SQLite file or a PostgreSQL server): everything the
// engine asks of it. Failures raise DbError of the kind the back end reports.
class SqlConnection
{
public:
    virtual ~SqlConnection() = default;

    virtual const SqlDialect& Dialect() const = 0;
    // What the user knows the database by: the file path or "database on server".
    virtual QString Name() const = 0;
    // A statement of one SQL text; `keep` when it will run again (it may then be planned once).
    // nullptr when the text holds no statement.
    virtual std::unique_ptr<SqlStatement> Prepare(const QByteArray& sql, bool keep) = 0;
    // Runs text directly, without values and without keeping anything.
    virtual void Exec(const QByteArray& sql) = 0;
    // Rows changed by the last INSERT, UPDATE or DELETE.
    virtual int Changes() const = 0;
    virtual bool InTransaction() const = 0;
    // Starts a transaction that writes; it waits while another writer holds the data.
    virtual void BeginWrite() = 0;
    // The write transaction ends with the next statement: a back end may send its commit
    // along with it, and the commit asked for afterwards then finds nothing left to do.
    virtual void CommitWithNext() {}
    // Called before each write: a back end may settle how it stores changes.
    virtual void BeforeWrite() {}
    // The tables and their fields as stored.
    virtual QList<TableDef> ReadTables() = 0;
    // The SQLite connection of a file; nullptr on a server.
    virtual sqlite3* FileHandle() const { return nullptr; }
};
