#include "DatabaseSettings.h"

#include "SettingsStore.h"

bool DatabaseLocationKnown()
{
    return SettingsStore::GetSetting(QStringLiteral("OnLoad"), QStringLiteral("DBFileSet"),
                                     QStringLiteral("No")) != QLatin1String("No");
}

QString RememberedDatabasePath()
{
    return SettingsStore::GetSetting(QStringLiteral("Database"), QStringLiteral("Filename"),
                                     QString());
}

void RememberDatabasePath(const QString& path)
{
    SettingsStore::SaveSetting(QStringLiteral("Database"), QStringLiteral("FileName"), path);
    SettingsStore::SaveSetting(QStringLiteral("Database"), QStringLiteral("Server"), QString());
    SettingsStore::SaveSetting(QStringLiteral("OnLoad"), QStringLiteral("DBFileSet"),
                               QStringLiteral("Yes"));
}

QString RememberedServer()
{
    return SettingsStore::GetSetting(QStringLiteral("Database"), QStringLiteral("Server"),
                                     QString());
}

void RememberServer(const QString& connection)
{
    SettingsStore::SaveSetting(QStringLiteral("Database"), QStringLiteral("Server"), connection);
    SettingsStore::SaveSetting(QStringLiteral("OnLoad"), QStringLiteral("DBFileSet"),
                               QStringLiteral("Yes"));
}
