#pragma once

#include <QString>

class Database;
class QDateTime;

// The database file itself: its name, its default place, creating and opening it.

// "brevoxal.mdb"
QString DatabaseFileName();
// True when the path ends in "brevoxal.mdb", in any letter case.
bool HasDatabaseFileName(const QString& path);
// The per-user default: <application data folder>/data/brevoxal.mdb; the folder is created.
QString LocalDatabasePath();

// A new file with the tables and seed rows; DbError when it cannot be made (or exists).
Database CreateDatabaseFile(const QString& path);
// Opens a file only if it is a Velmora database (an SQLite file holding every table);
// anything else is refused with DbError and left untouched. A file of an earlier build is
// converted, after a copy of it is kept beside it; a read-only one is refused unchanged.
Database OpenDatabaseFile(const QString& path);
// Connects to a database on a server; an empty one is given the tables and seed rows, one
// that holds other tables is refused.
Database OpenServerDatabase(const QString& connection);
// Where that copy goes: "<path>.bak-YYYYMMDD-HHMMSS".
QString EarlierFileBackupPath(const QString& path, const QDateTime& when);
