#include "DatabaseOpening.h"

#include "AppDatabase.h"
#include "DatabaseFile.h"
#include "Messages.h"

bool OpenAsAppDatabase(const QString& path)
{
    return RunReportingErrors([&] { SetAppDatabase(OpenDatabaseFile(path)); });
}

bool CreateNewDatabase(const QString& path)
{
    return RunReportingErrors([&] { CreateDatabaseFile(path); });
}

QString NotFoundQuestion(const QString& path)
{
    return QStringLiteral("Data Base file '") + path +
           QStringLiteral("' was not found.  Search in a new location? ");
}
