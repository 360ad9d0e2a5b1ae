#pragma once

#include "SqlConnection.h"

#include <QHash>
#include <QString>
#include <functional>

struct pg_conn;
struct pg_result;

// A connection to a database on a PostgreSQL server through libpq. Dates are exchanged in ISO
// form, text in UTF-8; the case-blind collation is made in the database when it is missing.
class PostgresConnection : public SqlConnection
{
public:
    // `connection` is a libpq connection string or URI.
    explicit PostgresConnection(const QString& connection);
    ~PostgresConnection() override;
    PostgresConnection(const PostgresConnection&) = delete;
    PostgresConnection& operator=(const PostgresConnection&) = delete;

    const SqlDialect& Dialect() const override;
    QString Name() const override;
    std::unique_ptr<SqlStatement> Prepare(const QByteArray& sql, bool keep) override;
    void Exec(const QByteArray& sql) override;
    int Changes() const override { return m_changes; }
    bool InTransaction() const override;
    void BeginWrite() override;
    void CommitWithNext() override;
    QList<TableDef> ReadTables() override;

    pg_conn* Handle() const { return m_conn; }
    // Connects again when the connection was lost (the server stopped or restarted); DbError
    // when the server cannot be reached. Counts the connections made: a statement prepared on
    // an earlier one is prepared again.
    void EnsureConnected();
    int Generation() const { return m_generation; }
    void SetChanges(int changes) { m_changes = changes; }
    // The name of a table by its object id, from the last reading of the tables.
    QString TableName(unsigned oid) const { return m_tableNames.value(oid); }
    // Raises the failure a result reports; does nothing for a result that succeeded.
    void Check(const pg_result* result) const;
    // Sends one statement through the extended protocol (`send` queues it) and returns its
    // result for the caller to clear; nullptr when it could not be sent.
    pg_result* Run(const std::function<int(pg_conn*)>& send);

private:
    void prepareWrappers();
    pg_result* runInPipeline(bool begin, const std::function<int(pg_conn*)>& send, bool commit);

    pg_conn* m_conn = nullptr;
    // A write begun but not yet sent: it goes to the server with the first statement.
    bool m_beginPending = false;
    // The write ends with the next statement: its commit goes with it.
    bool m_commitPending = false;
    int m_changes = 0;
    int m_prepared = 0;
    int m_generation = 0;
    int m_wrappersPrepared = -1;
    QHash<unsigned, QString> m_tableNames;
};
