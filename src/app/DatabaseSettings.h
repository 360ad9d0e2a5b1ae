#pragma once

#include <QString>

// The settings that remember where the database file is.

// True once a database location has been chosen.
bool DatabaseLocationKnown();
QString RememberedDatabasePath();
void RememberDatabasePath(const QString& path);
