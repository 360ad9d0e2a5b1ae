#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// A fresh home, data, runtime and settings folder for one test, never the user's own.
// The open database is closed when the profile ends.
class ShellProfile {
public:
    ShellProfile();
    ~ShellProfile();

    QString Root() const { return m_dir.path(); }
    // Where a local installation puts its database file.
    QString LocalDatabasePath() const;
    QString RuntimeFolder() const;
    // A setting as stored in the file, by its exact spelling.
    QString StoredSetting(const QString& key) const;

private:
    QTemporaryDir m_dir;
    QByteArray m_oldHome;
};
