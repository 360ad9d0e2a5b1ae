#pragma once

#include "AppDatabase.h"
#include "SingleInstance.h"

#include <QCoreApplication>
#include <QDir>
#include <QSettings>
#include <QTemporaryDir>

// A fresh home, data, runtime and settings folder for one test, never the user's own.
// The open database is closed when the profile ends.
class ShellProfile {
public:
    ShellProfile()
    {
        QCoreApplication::setApplicationName(QStringLiteral("Velmora"));
        for (const auto& [variable, folder] :
             {std::pair("HOME", "/home"), {"XDG_DATA_HOME", "/data"},
              {"XDG_CONFIG_HOME", "/config"}, {"XDG_RUNTIME_DIR", "/runtime"}}) {
            const QString path = Root() + QString::fromLatin1(folder);
            QDir().mkpath(path);
            QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            qputenv(variable, QFile::encodeName(path));
        }
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, Root() + "/config");
    }
    ~ShellProfile()
    {
        SetAppDatabase(Database());
        ReleaseSingleInstanceLock();
        qputenv("HOME", m_oldHome);
    }

    QString Root() const { return m_dir.path(); }
    // Where a local installation puts its database file.
    QString LocalDatabasePath() const { return Root() + "/data/Velmora/data/brevoxal.mdb"; }
    QString RuntimeFolder() const { return Root() + "/runtime"; }
    // A setting as stored in the file, by its exact spelling.
    QString StoredSetting(const QString& key) const
    {
        return QSettings(Root() + "/config/Velmora/Velmora.ini", QSettings::IniFormat)
            .value(key)
            .toString();
    }

private:
    QTemporaryDir m_dir;
    QByteArray m_oldHome = qgetenv("HOME");
};
