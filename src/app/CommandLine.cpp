#include "CommandLine.h"

#include "DatabaseFile.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <cstdio>
#include <cstdlib>

CommandLineDatabase ParseCommandLine(int argc, char* argv[])
{
    // A console application only: it needs no display and is gone before the windows' own.
    QCoreApplication console(argc, argv);
    QCoreApplication::setApplicationVersion(QStringLiteral(VELMORA_VERSION));
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Keeps the cholesterol records, lab results and contact reminders of a "
                       "medical practice's patients."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(
        QStringLiteral("file"),
        QStringLiteral("Database file (%1) to open and remember instead of the remembered one.")
            .arg(DatabaseFileName()),
        QStringLiteral("[file]"));
    const QCommandLineOption server(
        QStringLiteral("server"),
        QStringLiteral("Database on a PostgreSQL server to open and remember instead of the "
                       "remembered one, as \"host=... port=... dbname=... user=...\"; the "
                       "password comes from ~/.pgpass or is asked for."),
        QStringLiteral("connection"));
    parser.addOption(server);
    parser.process(console);
    const QStringList files = parser.positionalArguments();
    if (files.isEmpty())
        return {QString(), parser.value(server)};
    if (files.size() > 1 || parser.isSet(server) || !HasDatabaseFileName(files.first())) {
        std::fprintf(stderr, "%s\n",
                     qPrintable(QStringLiteral("Velmora opens one database file named %1.")
                                    .arg(DatabaseFileName())));
        std::exit(EXIT_FAILURE);
    }
    return {QFileInfo(files.first()).absoluteFilePath(), QString()};
}
