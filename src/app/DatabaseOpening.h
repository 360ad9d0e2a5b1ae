#pragma once

#include <QString>

// Steps shared by start-up and the change of database location. Failures are reported in
// the Attention box and answered with false.

// Opens the file as AppDatabase; the open database stays as it was when this fails.
bool OpenAsAppDatabase(const QString& path);
// Creates the file with its tables and seed rows.
bool CreateNewDatabase(const QString& path);
// The question asked when a file is missing.
QString NotFoundQuestion(const QString& path);
