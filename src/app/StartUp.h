#pragma once

#include <QString>

class QWidget;

// Single-instance check, then finding, creating and opening the database file.
// False when the program must end.
bool RunStartUp(QWidget* mainWindow);

// Lets the user pick or create another database file while the program runs.
// True when another database is now open as AppDatabase; cancel leaves everything as it was.
bool ChangeDatabaseLocation(QWidget* parent);

// Full path of the open database file, or the database and server it is on.
QString CurrentDbPath();
