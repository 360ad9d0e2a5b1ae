#pragma once

#include <QString>

class QWidget;

// Finds the database file (asking at first run or when it is missing), creates it when
// needed and opens it as AppDatabase. Returns its path; empty when the program must end.
QString LocateAndOpenDatabase(QWidget* parent);
