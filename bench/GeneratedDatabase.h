#pragma once

#include <QString>

struct sqlite3;

// A Velmora file filled with plausible patients and lab visits. It is generated once, straight
// through SQLite for speed, and kept under the build folder for the next run.
class GeneratedDatabase
{
public:
    // The path of the cached file; generated when missing or made by an older schema.
    static QString Ensure(int patients, int visits);
    // Patient and visit rows as the engine would store them, in one transaction.
    static void Fill(sqlite3* db, int patients, int visits);

private:
    static bool isCurrent(const QString& path, int patients, int visits);
    static QString schemaText(sqlite3* db);
    static void generate(const QString& path, int patients, int visits);
};
