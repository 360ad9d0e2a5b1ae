#pragma once

// Shared by the main-window tests: a new database as AppDatabase inside the test's own
// profile folders, and short ways to seed and count rows.

#include "AppDatabase.h"
#include "DaoType.h"
#include "Database.h"
#include "Schema.h"
#include "ShellProfile.h"

#include <QDir>

namespace MainWindowFixture {

// Under a folder with capitals in its name, so that the title's lower case shows.
inline QString DatabasePath(const ShellProfile& profile)
{
    return profile.Root() + QStringLiteral("/Practice Data/brevoxal.mdb");
}

inline void CreateAppDatabase(const ShellProfile& profile)
{
    QDir().mkpath(profile.Root() + QStringLiteral("/Practice Data"));
    SetAppDatabase(Database::Create(DatabasePath(profile)));
    CreateSchema(AppDatabase());
}

inline void Exec(const QString& sql)
{
    AppDatabase().Execute(sql, dbFailOnError);
}

inline int Count(const QString& sql)
{
    auto recordset = AppDatabase().OpenRecordset(sql, dbOpenForwardOnly);
    return recordset->Fields()[0].Value().toInt();
}

} // namespace MainWindowFixture
