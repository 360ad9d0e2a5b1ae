#pragma once

#include <QString>

// The settings that remember where the database file is.

// True once a database location has been chosen.
bool DatabaseLocationKnown();
QString RememberedDatabasePath();
void RememberDatabasePath(const QString& path);
// The database server chosen instead of a file, as a connection string without a password;
// empty when the database is a file.
QString RememberedServer();
void RememberServer(const QString& connection);
