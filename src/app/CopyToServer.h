#pragma once

class QWidget;

// "Copy this database to a server": asks for the server, copies every table of the open
// database into its empty database and reports the rows of each table.
void CopyDatabaseToServer(QWidget* parent);
