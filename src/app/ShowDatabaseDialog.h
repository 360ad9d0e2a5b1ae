#pragma once

#include <QString>

class QWidget;

// What the user chose in the "Connect to DataBase" window.
struct DatabaseChoice {
    QString answer; // "NEW", "OLD", "SERVER" or "CANCEL"
    QString path;   // the file, or the server's connection string
};

// Runs the "Connect to DataBase" window and remembers a chosen path in the settings.
DatabaseChoice ShowDatabaseDialog(QWidget* parent, const QString& initialPath);
