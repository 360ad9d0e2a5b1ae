// The database file as other tools see it: readable by the standard sqlite3 shell, converted
// from the form earlier builds wrote, and copied out while in use.
#include "DaoType.h"
#include "Database.h"
#include "DatabaseBackup.h"
#include "DatabaseFile.h"
#include "DbError.h"
#include "Schema.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <atomic>
#include <sqlite3.h>
#include <thread>

namespace {

const QStringList kPatients = {
    QStringLiteral("INSERT INTO Patients (ptid, lname, fname, birthdate, goal_chol) VALUES "
                   "(1, 'Müller', 'Anna', #3/4/1950#, 180)"),
    QStringLiteral("INSERT INTO Patients (ptid, lname, fname, Comment) VALUES "
                   "(2, 'MÜLLER', 'Bert', 'O''Brien''s note')"),
    "INSERT INTO Patients (ptid, lname, fname) VALUES (3, 'adams', 'Cora')",
    QStringLiteral("INSERT INTO LabVisits (ID, PtID, LabDate, OverallCL, The_Intervention) VALUES "
                   "(1, 1, #11/1/2003 10:30#, 240, 'diet')"),
};

// Runs the standard shell on a file; what it printed, or why it failed.
QString sqliteShell(const QString& file, const QString& sql)
{
    QProcess shell;
    shell.start("sqlite3", {"-bail", file, sql});
    if (!shell.waitForFinished(30000))
        return "sqlite3 did not run (install Debian's sqlite3 package)";
    const QString out = QString::fromUtf8(shell.readAllStandardOutput()).trimmed();
    return shell.exitCode() ? "failed: " + QString::fromUtf8(shell.readAllStandardError()) : out;
}

// The rows a query gives, as the engine reads them, values joined by |.
QStringList rows(Database& db, const QString& sql)
{
    QStringList out;
    for (auto rs = db.OpenRecordset(sql); !rs->Eof(); rs->MoveNext()) {
        QStringList values;
        for (int i = 0; i < rs->Fields().Count(); ++i)
            values.append(rs->Fields()[i].Value().toString());
        out.append(values.join(u'|'));
    }
    return out;
}

// Every row of every table as the shell reads them, stored values as they are.
QString everyRow(const QString& file)
{
    QString sql;
    for (const QString& table : SchemaTableNames())
        sql += "SELECT * FROM " + table + ";";
    return sqliteShell(file, sql);
}

// A file as earlier builds wrote it: every text column declared with the engine's collation.
void makeEarlierFile(const QString& path)
{
    QTemporaryDir modern;
    const QString current = modern.filePath(DatabaseFileName());
    CreateDatabaseFile(current);
    QString tables =
        sqliteShell(current, "SELECT sql || ';' FROM sqlite_schema WHERE type = 'table'");
    tables.replace(QRegularExpression("(VARCHAR\\(\\d+\\)|LONGTEXT)"), "\\1 COLLATE JETTEXT");
    Database old = Database::Create(path);
    QCOMPARE(sqlite3_exec(old.Handle(), tables.toUtf8().constData(), nullptr, nullptr, nullptr),
             SQLITE_OK);
    old.TableNames();
    for (const QString& sql : kPatients)
        old.Execute(sql, dbFailOnError);
    EnsureIndexes(old);
}

QString schemaEntriesNamingJetText(const QString& file)
{
    return sqliteShell(file, "SELECT count(*) FROM sqlite_schema WHERE sql LIKE '%JETTEXT%' OR "
                             "sql LIKE '%NONEMPTY%'");
}

QStringList copiesIn(const QString& folder)
{
    return QDir(folder).entryList({"*.bak-*", "*.part"});
}

QByteArray contentOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class tst_DatabaseFile : public QObject {
    Q_OBJECT

private slots:
    // A read-only file is refused untouched; a writable one is converted after a copy is kept.
    void earlierFileIsConvertedAfterACopyIsKept()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath(DatabaseFileName());
        makeEarlierFile(path);
        const QString before = everyRow(path);
        QVERIFY(before.contains("Müller"));
        const QByteArray original = contentOf(path);
        QFile::setPermissions(path, QFile::ReadOwner);
        try {
            OpenDatabaseFile(path);
            QFAIL("a read-only file of an earlier build was opened");
        } catch (const DbError& e) {
            QVERIFY2(e.Message().contains("earlier version"), qPrintable(e.Message()));
        }
        QCOMPARE(contentOf(path), original);
        QCOMPARE(copiesIn(folder.path()), QStringList());

        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
        Database converted = OpenDatabaseFile(path);
        QCOMPARE(rows(converted, "SELECT lname FROM Patients ORDER BY lname, ptid"),
                 QStringList({"adams", "Müller", "MÜLLER"}));
        converted.Close();
        QCOMPARE(everyRow(path), before);
        QCOMPARE(schemaEntriesNamingJetText(path), "0");
        QCOMPARE(sqliteShell(path, "PRAGMA integrity_check"), "ok");
        const QStringList copies = copiesIn(folder.path());
        QCOMPARE(copies.size(), 1);
        QVERIFY(QRegularExpression("^brevoxal\\.mdb\\.bak-\\d{8}-\\d{6}$")
                    .match(copies.first())
                    .hasMatch());
        QVERIFY(schemaEntriesNamingJetText(folder.filePath(copies.first())).toInt() > 0);
    }

    // Each copy holds the rows committed when it was taken, and opens as a Velmora file; the
    // standard shell reads and checks the files. The open file itself, a folder and a missing
    // folder cannot take a copy, and nothing is left of it.
    void backupWhileAnotherConnectionWrites()
    {
        const QString path = m_dir.filePath(DatabaseFileName());
        Database db = CreateDatabaseFile(path);
        std::atomic<int> committed = 0;
        std::thread writer([&] {
            Database other = Database::Open(path);
            for (int id = 1; id <= 300; ++id) {
                other.Execute(
                    QStringLiteral("INSERT INTO Patients (ptid, lname) VALUES (%1, 'P%1')")
                        .arg(id));
                committed = id;
            }
        });
        for (int copies = 1; committed < 300 || copies <= 3; ++copies) {
            const int before = committed;
            const QString target = m_dir.filePath(QStringLiteral("copy%1.mdb").arg(copies));
            WriteDatabaseBackup(db, target);
            const int after = committed;
            const int count = sqliteShell(target, "SELECT count(*) FROM Patients").toInt();
            QVERIFY2(count >= before && count <= after, qPrintable(QString::number(count)));
            QCOMPARE(sqliteShell(target, "PRAGMA integrity_check"), "ok");
        }
        // The shell sorts text without the engine's own collation.
        QCOMPARE(sqliteShell(path, "SELECT lname FROM Patients ORDER BY lname LIMIT 2"), "P1\nP10");
        writer.join();
        QDir().mkpath(m_dir.filePath("restored"));
        const QString restored = m_dir.filePath("restored/brevoxal.mdb");
        WriteDatabaseBackup(db, restored);
        Database copy = OpenDatabaseFile(restored);
        QCOMPARE(rows(copy, "SELECT count(*) FROM Patients"), QStringList({"300"}));
        for (const char* target : {"brevoxal.mdb", "restored", "none/x.mdb"})
            QVERIFY_THROWS_EXCEPTION(DbError, WriteDatabaseBackup(db, m_dir.filePath(target)));
        QCOMPARE(rows(db, "SELECT count(*) FROM Patients"), QStringList({"300"}));
        QVERIFY(QFileInfo(m_dir.filePath("restored")).isDir());
        QCOMPARE(copiesIn(m_dir.path()), QStringList());
    }

private:
    QTemporaryDir m_dir;
};

QTEST_GUILESS_MAIN(tst_DatabaseFile)
#include "tst_DatabaseFile.moc"
