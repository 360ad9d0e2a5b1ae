#include "DatabaseFile.h"

#include "Database.h"
#include "DatabaseBackup.h"
#include "DbError.h"
#include "Schema.h"
#include "SchemaConversion.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

const QString kLocale = QStringLiteral(";LANGID=0x0409;CP=1252;COUNTRY=0");

DbError notVelmora(const QString& path)
{
    return DbError(QStringLiteral("The file '%1' is not a Velmora database.  It has been left "
                                  "unchanged; please choose another location.")
                       .arg(QDir::toNativeSeparators(path)));
}

// Checked before the engine touches the file, so that a foreign file is never written to.
bool hasSQLiteHeader(const QString& path)
{
    static const QByteArray header("SQLite format 3\0", 16);
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.read(header.size()) == header;
}

bool holdsEveryTable(const Database& db)
{
    const QStringList tables = db.TableNames();
    for (const QString& name : SchemaTableNames()) {
        if (!tables.contains(name, Qt::CaseInsensitive))
            return false;
    }
    return true;
}

// A file of an earlier build is copied aside first, so that nothing is lost should the
// conversion be interrupted in a way the transaction cannot undo.
void convertEarlierFile(Database& db, const QString& path)
{
    const QFileInfo file(path);
    // A file marked read-only is refused even where the system would let us write it.
    const bool markedReadOnly =
        !(file.permissions() & (QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther));
    if (markedReadOnly || !file.isWritable() || !QFileInfo(file.absolutePath()).isWritable())
        throw DbError(QStringLiteral("The file '%1' was made by an earlier version of Velmora and "
                                     "must be converted before it can be used, but it cannot be "
                                     "written to.  It has been left unchanged; please ask for "
                                     "write access to the file and its folder.")
                          .arg(QDir::toNativeSeparators(path)));
    WriteDatabaseBackup(db, EarlierFileBackupPath(path, QDateTime::currentDateTime()));
    SchemaConversion::Run(db);
}

} // namespace

Database OpenServerDatabase(const QString& connection)
{
    Database db = Database::Connect(connection);
    if (db.TableNames().isEmpty())
        CreateSchema(db);
    if (!holdsEveryTable(db))
        throw DbError(QStringLiteral("The database %1 is not a Velmora database.  It has been "
                                     "left unchanged.")
                          .arg(db.Name()));
    EnsureIndexes(db);
    return db;
}

QString EarlierFileBackupPath(const QString& path, const QDateTime& when)
{
    return path + QStringLiteral(".bak-") + when.toString(QStringLiteral("yyyyMMdd-HHmmss"));
}

QString DatabaseFileName()
{
    return QStringLiteral("brevoxal.mdb");
}

bool HasDatabaseFileName(const QString& path)
{
    return path.right(12).toUpper() == QLatin1String("BREVOXAL.MDB");
}

QString LocalDatabasePath()
{
    const QString folder =
        QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation) +
        QStringLiteral("/data");
    QDir().mkpath(folder);
    return folder + u'/' + DatabaseFileName();
}

Database CreateDatabaseFile(const QString& path)
{
    Database db = Database::Create(path, kLocale);
    CreateSchema(db);
    return db;
}

Database OpenDatabaseFile(const QString& path)
{
    if (!hasSQLiteHeader(path))
        throw notVelmora(path);
    Database db = Database::Open(path);
    if (!holdsEveryTable(db))
        throw notVelmora(path);
    if (SchemaConversion::Needed(db))
        convertEarlierFile(db, path);
    EnsureIndexes(db);
    return db;
}
