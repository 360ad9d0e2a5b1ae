#pragma once

#include "Database.h"

#include <QTemporaryDir>
#include <QVariant>

// A freshly created Velmora file (schema and seed rows) in its own temporary folder,
// with the small read helpers the engine tests share.
class ScratchDatabase
{
public:
    ScratchDatabase();

    Database& db() { return m_db; }
    QString folder() const { return m_dir.path(); }

    // Rows returned by a query.
    int Count(const QString& sql);
    // The first field of the first row; a null QVariant when there is no row.
    QVariant Scalar(const QString& sql);
    // The first field of every row, in query order.
    QVariantList Column(const QString& sql);
    // Every row as text, fields joined by '|': Null as <null>, dates as MM/dd/yyyy,
    // booleans as True/False. A snapshot to compare.
    QString Dump(const QString& sql);
    void ExecuteAll(const QStringList& statements);

private:
    QTemporaryDir m_dir;
    Database m_db;
};
