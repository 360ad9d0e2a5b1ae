#include "ShellProfile.h"

#include "AppDatabase.h"
#include "SingleInstance.h"

#include <QCoreApplication>
#include <QDir>
#include <QSettings>

namespace {

void setFolder(const char* variable, const QString& path)
{
    QDir().mkpath(path);
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv(variable, QFile::encodeName(path));
}

} // namespace

ShellProfile::ShellProfile() : m_oldHome(qgetenv("HOME"))
{
    QCoreApplication::setApplicationName(QStringLiteral("Velmora"));
    setFolder("HOME", Root() + QStringLiteral("/home"));
    setFolder("XDG_DATA_HOME", Root() + QStringLiteral("/data"));
    setFolder("XDG_CONFIG_HOME", Root() + QStringLiteral("/config"));
    setFolder("XDG_RUNTIME_DIR", RuntimeFolder());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, Root() + QStringLiteral("/config"));
}

ShellProfile::~ShellProfile()
{
    SetAppDatabase(Database());
    ReleaseSingleInstanceLock();
    qputenv("HOME", m_oldHome);
}

QString ShellProfile::LocalDatabasePath() const
{
    return Root() + QStringLiteral("/data/Velmora/data/brevoxal.mdb");
}

QString ShellProfile::RuntimeFolder() const
{
    return Root() + QStringLiteral("/runtime");
}

QString ShellProfile::StoredSetting(const QString& key) const
{
    QSettings settings(Root() + QStringLiteral("/config/Velmora/Velmora.ini"),
                       QSettings::IniFormat);
    return settings.value(key).toString();
}
