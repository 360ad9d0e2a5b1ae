#pragma once

#include "Database.h"

#include <QTemporaryDir>
#include <QVariant>
#include <functional>

// A freshly created Velmora database (schema and seed rows): a file in its own temporary
// folder, or a new database on the test server that VELMORA_TEST_PG names, dropped again at
// the end; with the small read helpers the engine tests share.
class ScratchDatabase
{
public:
    enum BackEnd { File, Server };
    explicit ScratchDatabase(BackEnd backEnd = File);
    ~ScratchDatabase();

    // The connection string of the test server; empty when none is running.
    static QString ServerConnection() { return qEnvironmentVariable("VELMORA_TEST_PG"); }
    // Why a test of the server cannot run here; empty when it can.
    static QString ServerMissing();
    // The column "backEnd" with a row for each back end, for a test run on both.
    static void AddBackEndRows();

    Database& db() { return m_db; }
    QString folder() const { return m_dir.path(); }

    // The connection string of the database on the server.
    QString Connection() const { return ServerConnection() + " dbname=" + m_serverDatabase; }
    // A second connection to the same database, as another workstation opens it; on a file it
    // does not wait for a writer, so that a lock left held shows at once.
    Database OpenAgain() const;
    // Rows returned by a query.
    int Count(const QString& sql) { return m_db.OpenRecordset(sql)->RecordCount(); }
    // The first field of every row, in query order.
    QVariantList Column(const QString& sql);
    // Every row as text, fields joined by '|': Null as <null>, dates as MM/dd/yyyy,
    // booleans as True/False. A snapshot to compare.
    QString Dump(const QString& sql);
    void ExecuteAll(const QStringList& statements);
    // Every row of the tables as one text, to tell whether a statement changed anything.
    QString EveryRow(const QStringList& tables);

private:
    static QByteArray serverTemplate();
    static void drop(const QByteArray& database);

    QTemporaryDir m_dir;
    QString m_serverDatabase;
    Database m_db;
};

// The message of the DbError the operation raises; empty when it raises none.
QString MessageOf(const std::function<void()>& operation);
