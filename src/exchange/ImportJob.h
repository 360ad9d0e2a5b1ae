#pragma once

#include "FieldDef.h"
#include "IdSequence.h"
#include "ImportTarget.h"

#include <QChar>
#include <QSet>
#include <QStringList>
#include <functional>
#include <optional>

class Database;

// The import of one file into one table: each line becomes a new record under a newly
// allocated identifier. The counters add up over every run, and a later run retries only
// the lines that were not written, so that no line is stored twice.
class ImportJob {
public:
    // The field names of each column (empty: not mapped); columns beyond it are ignored.
    using Mapping = QStringList;
    // Told how many of the lines are done; false cancels before the next record.
    using Progress = std::function<bool(int done, int total)>;

    ImportJob(Database& db, const ImportTarget& target);

    // The table's fields in order, without the identifier field.
    QStringList FieldNames() const;
    // Imports the lines from firstLine on and returns this run's messages, in order.
    QStringList Run(const QStringList& lines, int firstLine, QChar delimiter,
                    const Mapping& mapping, const Progress& progress = {});

    int Imported() const { return m_imported; }
    int Failed() const { return m_failed; }

private:
    // The INSERT up to the new identifier's place, or nothing when the line cannot be stored.
    std::optional<QString> statement(const QStringList& values, const Mapping& mapping,
                                     QStringList& messages) const;
    bool write(const QString& line, QChar delimiter, const Mapping& mapping,
               QStringList& messages);

    Database& m_db;
    ImportTarget m_target;
    TableDef m_table;
    IdSequence m_ids;
    QSet<int> m_written;
    int m_imported = 0;
    int m_failed = 0;
};
