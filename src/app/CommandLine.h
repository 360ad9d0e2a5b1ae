#pragma once

#include <QString>

// Reads the command line before any window is made, so that --help and --version answer on
// a terminal without a display. Ends the process after answering them or after refusing a
// wrong command line; otherwise returns the database named on it: a file, or a database server.
struct CommandLineDatabase {
    QString file;
    QString server;
};
CommandLineDatabase ParseCommandLine(int argc, char* argv[]);
