#pragma once

#include <QString>
#include <functional>

class Database;
class Field;

// A query written to a tab-delimited UTF-8 text file with CR LF line ends: a heading line of
// the field names, then one line per row, each value as FieldText reads it. No row makes an
// empty file. The file is written beside its final place and only then takes that name, so
// a failed export never leaves a file that looks complete.
class ExportFile {
public:
    enum class Outcome { Written, Cancelled, Failed };
    // Told how many rows are written so far; false cancels the export.
    using Progress = std::function<bool(qint64 rows)>;

    // Whether the name is a full path into a folder that exists and can be written.
    static bool UsableName(const QString& path);
    // Engine errors are raised as DbError; a file error is Failed, with its reason in error.
    static Outcome Write(Database& db, const QString& sql, const QString& path, QString& error,
                         const Progress& progress = {});
    // A value as the file writes it: dates M/d/yyyy, booleans True and False.
    static QString Text(const Field& field);
};
