#pragma once

#include <QList>
#include <QString>

class Database;

// Copies every table of an open database into an empty database on a server, all in one
// transaction: the target holds the whole copy, its row counts checked against the source's,
// or nothing at all.
class ServerCopy
{
public:
    struct TableCount {
        QString table;
        int rows = 0;
    };

    // The rows copied per table. DbError, with the target unchanged, when the target already
    // holds tables, when a row cannot be stored or when a count differs.
    static QList<TableCount> Run(Database& source, const QString& connection);
    // A report of the counts, one table per line.
    static QString Report(const QList<TableCount>& counts);
};
