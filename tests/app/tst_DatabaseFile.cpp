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

// Runs the standard shell on a file; its exit code and what it printed.
std::pair<int, QString> sqliteShell(const QString& file, const QString& sql)
{
    QProcess shell;
    shell.start("sqlite3", {"-bail", file, sql});
    if (!shell.waitForFinished(30000))
        return {-1, "sqlite3 did not run (install Debian's sqlite3 package)"};
    return {
        shell.exitCode(),
        QString::fromUtf8(shell.readAllStandardOutput() + shell.readAllStandardError()).trimmed()};
}

// Every table, every row and value, as the engine reads them.
QString dumpAll(Database& db)
{
    QStringList out;
    for (const QString& table : SchemaTableNames()) {
        for (auto rs = db.OpenRecordset(table); !rs->Eof(); rs->MoveNext()) {
            QStringList values{table};
            for (int i = 0; i < rs->Fields().Count(); ++i)
                values.append(rs->Fields()[i].Value().toString());
            out.append(values.join(u'|'));
        }
    }
    return out.join(u'\n');
}

QStringList lastNamesInOrder(Database& db)
{
    QStringList names;
    for (auto rs = db.OpenRecordset("SELECT lname FROM Patients ORDER BY lname, ptid"); !rs->Eof();
         rs->MoveNext())
        names.append(rs->Fields()[0].Value().toString());
    return names;
}

void execRaw(sqlite3* db, const QString& sql)
{
    QCOMPARE(sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, nullptr), SQLITE_OK);
}

// A file as earlier builds wrote it: every text column declared with the engine's collation.
void makeEarlierFile(const QString& path)
{
    QTemporaryDir modern;
    QStringList tables;
    {
        Database current = CreateDatabaseFile(modern.filePath(DatabaseFileName()));
        sqlite3_stmt* stmt = nullptr;
        sqlite3_prepare_v2(current.Handle(), "SELECT sql FROM sqlite_schema WHERE type = 'table'",
                           -1, &stmt, nullptr);
        while (sqlite3_step(stmt) == SQLITE_ROW)
            tables.append(
                QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0))));
        sqlite3_finalize(stmt);
    }
    Database old = Database::Create(path);
    for (QString sql : tables)
        execRaw(old.Handle(), sql.replace(QRegularExpression("(VARCHAR\\(\\d+\\)|LONGTEXT)"),
                                          "\\1 COLLATE JETTEXT"));
    old.TableNames();
    for (const QString& sql : kPatients)
        old.Execute(sql, dbFailOnError);
    EnsureIndexes(old);
}

int schemaEntriesNamingJetText(const QString& file)
{
    return sqliteShell(file, QStringLiteral("SELECT count(*) FROM sqlite_schema WHERE sql LIKE "
                                            "'%JETTEXT%' OR sql LIKE '%NONEMPTY%'"))
        .second.toInt();
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
    void standardShellChecksAndQueriesTheFile()
    {
        const QString path = m_dir.filePath("shell/brevoxal.mdb");
        QDir().mkpath(QFileInfo(path).path());
        Database db = CreateDatabaseFile(path);
        for (const QString& sql : kPatients)
            db.Execute(sql, dbFailOnError);

        QCOMPARE(sqliteShell(path, "PRAGMA integrity_check"), std::pair(0, QString("ok")));
        QCOMPARE(sqliteShell(path, "SELECT ptid FROM Patients WHERE lname = 'Müller'"),
                 std::pair(0, QString("1")));
        QCOMPARE(sqliteShell(path, "SELECT ptid FROM Patients ORDER BY lname").first, 0);
        QCOMPARE(schemaEntriesNamingJetText(path), 0);
        // The engine still compares every letter without regard to case.
        QCOMPARE(
            db.OpenRecordset("SELECT ptid FROM Patients WHERE lname = 'müller'")->RecordCount(),
            2);
        QCOMPARE(lastNamesInOrder(db).first(), "adams");
    }

    void earlierFileIsConvertedAfterACopyIsKept()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath(DatabaseFileName());
        makeEarlierFile(path);
        QString before;
        {
            Database old = Database::Open(path);
            before = dumpAll(old);
        }
        const QByteArray original = contentOf(path);

        Database converted = OpenDatabaseFile(path);
        QCOMPARE(dumpAll(converted), before);
        QCOMPARE(lastNamesInOrder(converted), QStringList({"adams", "Müller", "MÜLLER"}));
        converted.Close();
        QCOMPARE(schemaEntriesNamingJetText(path), 0);
        QCOMPARE(sqliteShell(path, "PRAGMA integrity_check").second, "ok");
        const QStringList copies = copiesIn(folder.path());
        QCOMPARE(copies.size(), 1);
        QVERIFY(QRegularExpression("^brevoxal\\.mdb\\.bak-\\d{8}-\\d{6}$")
                    .match(copies.first())
                    .hasMatch());
        QVERIFY(schemaEntriesNamingJetText(folder.filePath(copies.first())) > 0);
        QVERIFY(contentOf(path) != original);
    }

    void readOnlyEarlierFileIsLeftUntouched()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath(DatabaseFileName());
        makeEarlierFile(path);
        QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
        const QByteArray original = contentOf(path);
        try {
            OpenDatabaseFile(path);
            QFAIL("a read-only file of an earlier build was opened");
        } catch (const DbError& e) {
            QVERIFY2(e.Message().contains("earlier version"), qPrintable(e.Message()));
        }
        QCOMPARE(contentOf(path), original);
        QCOMPARE(copiesIn(folder.path()), QStringList());
    }

    void backupWhileAnotherConnectionWrites()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath(DatabaseFileName());
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
        int copies = 0;
        while (committed < 300 || copies < 3) {
            const int before = committed;
            const QString target = folder.filePath(QStringLiteral("copy%1.mdb").arg(++copies));
            WriteDatabaseBackup(db, target);
            const int after = committed;
            const auto [code, rows] = sqliteShell(target, "SELECT count(*) FROM Patients");
            QCOMPARE(code, 0);
            QVERIFY2(rows.toInt() >= before && rows.toInt() <= after, qPrintable(rows));
            QCOMPARE(sqliteShell(target, "PRAGMA integrity_check").second, "ok");
        }
        writer.join();

        // The copy opens as a Velmora file and holds every committed row.
        QDir().mkpath(folder.filePath("restored"));
        const QString restored = folder.filePath("restored/brevoxal.mdb");
        WriteDatabaseBackup(db, restored);
        Database copy = OpenDatabaseFile(restored);
        QCOMPARE(copy.OpenRecordset("SELECT ptid FROM Patients")->RecordCount(), 300);
    }

    void failedBackupLeavesNoFile()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath(DatabaseFileName());
        Database db = CreateDatabaseFile(path);
        db.Execute(kPatients.first(), dbFailOnError);
        // The open file itself is never replaced by its copy.
        QVERIFY_THROWS_EXCEPTION(DbError, WriteDatabaseBackup(db, path));
        QCOMPARE(db.OpenRecordset("SELECT ptid FROM Patients")->RecordCount(), 1);
        // A folder stands where the copy should go: it cannot be replaced.
        const QString target = folder.filePath("occupied");
        QDir().mkpath(target);
        QVERIFY_THROWS_EXCEPTION(DbError, WriteDatabaseBackup(db, target));
        QVERIFY(QFileInfo(target).isDir());
        QVERIFY_THROWS_EXCEPTION(DbError, WriteDatabaseBackup(db, folder.filePath("none/x.mdb")));
        QCOMPARE(copiesIn(folder.path()), QStringList());
    }

private:
    QTemporaryDir m_dir;
};

QTEST_GUILESS_MAIN(tst_DatabaseFile)
#include "tst_DatabaseFile.moc"
