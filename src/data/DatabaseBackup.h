#pragma once

#include <QString>

class Database;

// Writes a consistent copy of an open database to a file through SQLite's online backup, so
// that other connections go on reading and writing meanwhile. The copy is written under a
// temporary name and checked before it takes the target's name: a failure leaves no file
// that looks complete (DbError with the reason).
void WriteDatabaseBackup(Database& source, const QString& target);
