#pragma once

#include <QString>

class QWidget;

// Steps shared by start-up and the change of database location. Failures are reported in
// the Attention box and answered with false.

// Opens the file as AppDatabase; the open database stays as it was when this fails.
bool OpenAsAppDatabase(const QString& path);
// Connects to the database server as AppDatabase; a password the server asks for and
// ~/.pgpass does not give is asked of the user and used for this connection only.
bool ConnectAsAppDatabase(QWidget* parent, const QString& connection);
// Creates the file with its tables and seed rows.
bool CreateNewDatabase(const QString& path);
// The question asked when a file is missing.
QString NotFoundQuestion(const QString& path);
