#pragma once

// Shared by the app tests: a new database as AppDatabase inside the test's own profile
// folders, short ways to seed and count rows, to write and read files, and the texts of the grid.

#include "ShellProfile.h"
#include "Twips.h"
#include "UserScript.h"
#include "frmMain.h"

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

// A file with its folders.
inline void WriteFile(const QString& path, const QByteArray& content)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

// A file's content, or "(none)".
inline QByteArray ReadFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(none)");
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

// A column's cells top to bottom; with column -1, the headings; with a row, that row's cells.
inline QStringList Texts(const QTableView& grid, int column, int row = -1)
{
    const QAbstractItemModel& model = *grid.model();
    QStringList texts;
    for (int i = 0; i < (column < 0 ? model.columnCount() : model.rowCount()); ++i) {
        texts.append(column >= 0 ? model.index(i, column).data().toString()
                     : row >= 0  ? model.index(row, i).data().toString()
                                 : model.headerData(i, Qt::Horizontal).toString());
    }
    return texts;
}

} // namespace MainWindowFixture
