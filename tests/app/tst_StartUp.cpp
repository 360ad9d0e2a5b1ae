// Start-up and change of database location, played as a user through the windows; then the
// database file as other tools see it: readable by the standard sqlite3 shell, converted from
// the form earlier builds wrote, and copied out while in use.
#include "DatabaseBackup.h"
#include "DatabaseFile.h"
#include "DbError.h"
#include "MainWindowFixture.h"
#include "SettingsStore.h"
#include "StartUp.h"
#include "VolumeList.h"
#include "frmDataO.h"

#include <QComboBox>
#include <QLockFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSysInfo>
#include <atomic>
#include <sqlite3.h>
#include <thread>

using namespace MainWindowFixture;

namespace {

const QString kNoDatabase = "No DataBase has been selected/created";
const QString kNotFound = "? Data Base file '<root>/gone/brevoxal.mdb' was not found.  Search in "
                          "a new location? ";

const QString kNotVelmora = "The file '<root>/%1' is not a Velmora database.  It has been left "
                            "unchanged; please choose another location.";

// What the profile holds before the program starts, besides a file that is no database in x/,
// a Velmora file with two patients in share/ and an empty folder "new place".
enum class Before {
    FirstRun,
    LocalFile,         // a Velmora file with one patient where a local installation puts it
    LocalOtherProgram, // an SQLite file of another program there
    RememberedMissing, // gone/brevoxal.mdb chosen on an earlier run, and gone
    Remembered,        // the local file, chosen on an earlier run and open: the user changes it
    RunningInstance,   // the local file, open in another running instance
    StaleLock,         // the local file, with the lock of an instance that crashed
};

void makeDatabase(const QString& path, int patients)
{
    QDir().mkpath(QFileInfo(path).path());
    Database db = Database::Create(path);
    CreateSchema(db);
    for (int id = 1; id <= patients; ++id)
        db.Execute(QString("INSERT INTO Patients (ptid, lname) VALUES (%1, 'Keep')").arg(id));
}

void prepare(Before before, const ShellProfile& profile)
{
    const QString local = profile.LocalDatabasePath();
    WriteFile(profile.Root() + "/x/brevoxal.mdb", "not a database");
    makeDatabase(profile.Root() + "/share/BREVOXAL.MDB", 2);
    QDir().mkpath(profile.Root() + "/new place");
    if (before == Before::LocalOtherProgram) {
        QDir().mkpath(QFileInfo(local).path());
        Database::Create(local).AppendTable(TableDef{"Company", {NewField("Name", dbText, 40)}});
    }
    if (before == Before::LocalFile || before >= Before::Remembered)
        makeDatabase(local, 1);
    if (before == Before::RememberedMissing || before >= Before::Remembered) {
        SettingsStore::SaveSetting("OnLoad", "DBFileSet", "Yes");
        const QString gone = profile.Root() + "/gone/brevoxal.mdb";
        SettingsStore::SaveSetting("Database", "FileName",
                                   before >= Before::Remembered ? local : gone);
    }
    // The lock of a process that is no more: no process ever has this number.
    if (before == Before::StaleLock)
        WriteFile(profile.RuntimeFolder() + "/velmora.lock",
                  "2147483647\nvelmora\n" + QSysInfo::machineHostName().toUtf8() + '\n');
}

// One step of the user's part, as UserScript plays it, or "new <folder>": through the location
// and folder windows to a new file there.
void play(UserScript& user, const QString& root, const QString& step)
{
    if (!step.startsWith("new "))
        return user.Play(step, root);
    user.Play("frmDataO optNew cmdBrowseNew =lblDataPath cmdOK");
    user.OnWindow("frmFindD", [path = root + '/' + step.section(' ', 1)](QDialog& w) {
        static_cast<frmFindD&>(w).SetFolder(path);
        ClickButton(w, "cmdOK");
    });
}

const QStringList kPatients = {
    QStringLiteral("INSERT INTO Patients (ptid, lname, fname, birthdate, goal_chol, Comment) "
                   "VALUES (1, 'Müller', 'Anna', #3/4/1950#, 180, 'O''Brien''s note')"),
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

} // namespace

class tst_StartUp : public QObject {
    Q_OBJECT

private slots:
    // The program starts (or the menu changes the location) on the file the user finds or
    // creates; a file that is not Velmora's is refused and left as it was.
    void opensTheChosenDatabase_data()
    {
        QTest::addColumn<Before>("before");
        QTest::addColumn<QString>("steps"); // separated by "; "
        QTest::addColumn<QStringList>("seen");
        QTest::addColumn<QString>("opened"); // under the profile, and its patients; empty: none
        const QString local = "data/Velmora/data/brevoxal.mdb";
        const QString existing = "frmDataO cmdBrowseEX cmdOK; frmFindD in=%1 pick=%2 cmdOK";
        QTest::newRow("first run, local: the file present is opened")
            << Before::LocalFile << "frmInst optStandard cmdOK" << QStringList{"[frmInst]"}
            << local + " 1";
        QTest::newRow("first run, local: an SQLite file of another program is refused")
            << Before::LocalOtherProgram << "frmInst optStandard cmdOK; frmDataO cmdCancel"
            << QStringList{"[frmInst]", kNotVelmora.arg(local), "[frmDataO]", kNoDatabase}
            << QString();
        QTest::newRow("first run, question closed: network location asked for, nothing remembered")
            << Before::FirstRun << "frmInst close; frmDataO cmdCancel"
            << QStringList{"[frmInst]", "[frmDataO]", kNoDatabase} << QString();
        QTest::newRow("first run, network: existing file")
            << Before::FirstRun
            << "frmInst optNetwork cmdOK; " + existing.arg("share", "BREVOXAL.MDB")
            << QStringList{"[frmInst]", "[frmDataO]", "[frmFindD]"} << "share/BREVOXAL.MDB 2";
        QTest::newRow("remembered file missing: asked until yes, then cancelled")
            << Before::RememberedMissing << "no; yes; frmDataO cmdCancel"
            << QStringList{kNotFound, kNotFound, "[frmDataO]", kNoDatabase} << QString();
        QTest::newRow("remembered file missing: new file, company asked, no welcome")
            << Before::RememberedMissing << "yes; new new place; no"
            << QStringList{kNotFound, "[frmDataO]", "[frmFindD]", "<root>/new place/brevoxal.mdb",
                           "? Would you like to fill in Your Company Information?"}
            << "new place/brevoxal.mdb 0";
        QTest::newRow("second instance refused")
            << Before::RunningInstance << QString()
            << QStringList{"You already have an instance of 'Velmora' running."} << QString();
        QTest::newRow("lock of a crashed instance taken over")
            << Before::StaleLock << QString() << QStringList() << local + " 1";
        QTest::newRow("change to a file that is no database: refused, the open file stays")
            << Before::Remembered << existing.arg("x", "brevoxal.mdb") + "; frmDataO cmdCancel"
            << QStringList{"[frmDataO]", "[frmFindD]", kNotVelmora.arg("x/brevoxal.mdb"),
                           "[frmDataO]", kNoDatabase}
            << local + " 1";
    }

    void opensTheChosenDatabase()
    {
        QFETCH(Before, before);
        QFETCH(QString, steps);
        QFETCH(QString, opened);
        QFETCH(QStringList, seen);
        const bool change = before == Before::Remembered;
        ShellProfile profile;
        const QString root = profile.Root();
        prepare(before, profile);
        QLockFile running(profile.RuntimeFolder() + "/velmora.lock");
        if (before == Before::RunningInstance)
            QVERIFY(running.tryLock());
        // Starting again in the same process keeps the instance's own lock.
        if (change)
            QVERIFY(RunStartUp(nullptr) && RunStartUp(nullptr));
        // What is no Velmora file is never written to, nor a missing file made.
        QStringList files = {root + "/x/brevoxal.mdb", root + "/gone/brevoxal.mdb"};
        if (before == Before::LocalOtherProgram)
            files.append(profile.LocalDatabasePath());
        QList<QByteArray> contents;
        for (const QString& file : files)
            contents.append(ReadFile(file));
        UserScript user;
        for (const QString& step : steps.split("; ", Qt::SkipEmptyParts))
            play(user, root, step);

        const bool result = change ? ChangeDatabaseLocation(nullptr) : RunStartUp(nullptr);

        // A start succeeds with a file open; a change, with another file than before.
        QCOMPARE(result, change ? !opened.startsWith("data/") : !opened.isEmpty());
        QCOMPARE(user.seen, seen.replaceInStrings("<root>", root));
        for (int i = 0; i < files.size(); ++i)
            QCOMPARE(ReadFile(files[i]), contents[i]);
        // A closed installation question leaves nothing remembered.
        QCOMPARE(profile.StoredSetting("OnLoad/DBFileSet").isEmpty(),
                 steps.contains("frmInst close"));
        QCOMPARE(AppDatabase().IsOpen(), !opened.isEmpty());
        if (opened.isEmpty())
            return;
        const QString path = root + '/' + opened.section(' ', 0, -2);
        QCOMPARE(QStringList({CurrentDbPath(), AppDatabase().Name(),
                              profile.StoredSetting("Database/FileName")}),
                 QStringList({path, path, path}));
        QStringList found;
        for (const char* table : {"Patients", "HealthFactors", "Company"})
            found.append(QString::number(Count(QString("SELECT count(*) FROM ") + table)));
        QCOMPARE(found, QStringList({opened.section(' ', -1), "4", "1"}));
    }

    // Each option enables its own browse button; OK needs a path. Only a file named
    // brevoxal.mdb is taken; a cancelled search keeps what was taken before, and Cancel
    // leaves "new" unset.
    void locationWindowTakesOnlyADatabaseFile()
    {
        ShellProfile profile;
        const QString path = profile.Root() + "/files/brevoxal.mdb";
        makeDatabase(path, 0);
        makeDatabase(profile.Root() + "/files/other.mdb", 0);
        UserScript user;
        // OK without a file gives its notice; then a file of another name.
        user.Play("frmFindD in=files cmdOK pick=other.mdb cmdOK; frmFindD cmdCancel; frmFindD "
                  "in=files pick=brevoxal.mdb cmdOK; frmFindD cmdCancel; frmFindD cmdCancel",
                  profile.Root());
        frmDataO dialog;
        dialog.Init(QString());
        dialog.show();
        // Logged after each act: the buttons (~ where they cannot be used), the option chosen,
        // the path shown and taken, and whether a new file is to be made.
        const auto logState = [&] {
            user.seen.append(ShownState(dialog, {"cmdOK", "cmdBrowseEX", "cmdBrowseNew", "optNew",
                                                 "lblDataPath"}) +
                             '|' + dialog.DataFilePath() + (dialog.CreateNew() ? "|new" : ""));
        };
        logState();
        for (const QString& act : QString("optNew optExist cmdBrowseEX cmdBrowseEX cmdBrowseEX "
                                          "cmdBrowseEX optNew cmdBrowseNew cmdCancel")
                                      .split(' ')) {
            ClickButton(dialog, act);
            logState();
        }
        const QString none = "~&OK|Browse...|~Browse...|[ ]||";
        const QString taken = "&OK|Browse...|~Browse...|[ ]|<p>|<p>";
        const QString takenForNew = "&OK|~Browse...|Browse...|[x]|<p>|<p>";
        QCOMPARE(user.seen,
                 QStringList({none, "~&OK|~Browse...|Browse...|[x]|||new", none, "[frmFindD]",
                              "You have not selected a file yet", "Not a valid Database File", none,
                              "[frmFindD]", "Not a valid Database File", none, "[frmFindD]", taken,
                              "[frmFindD]", taken, takenForNew + "|new", "[frmFindD]",
                              takenForNew + "|new", takenForNew})
                     .replaceInStrings("<p>", path));
        frmDataO withPath;
        withPath.Init("/srv/brevoxal.mdb");
        QVERIFY(withPath.findChild<QAbstractButton*>("cmdOK")->isEnabled());
    }

    // Starts at home; lists ".." and the subfolders, and only the database files; root first.
    void findWindowListsFoldersAndDatabaseFiles()
    {
        ShellProfile profile;
        const QString home = QDir::homePath();
        QDir(home).mkpath("Practice/Archive");
        WriteFile(home + "/Practice/BREVOXAL.MDB", "x");
        WriteFile(home + "/Practice/notes.txt", "x");
        frmFindD find;
        find.Init("Exist");
        find.show();
        QStringList seen = {find.Folder()};
        auto* folders = find.findChild<QListWidget*>("DirDBLoc");
        folders->setCurrentItem(folders->findItems("Practice", Qt::MatchExactly).value(0));
        QTest::keyClick(folders, Qt::Key_Return);
        seen << find.Folder();
        for (const char* list : {"FileDB", "DirDBLoc"}) {
            const auto* widget = find.findChild<QListWidget*>(list);
            for (const auto* item : widget->findItems("*", Qt::MatchWildcard))
                seen << item->text();
        }
        auto* drives = find.findChild<QComboBox*>("DriveDBLoc");
        drives->setCurrentIndex(-1);
        drives->setCurrentIndex(0);
        seen << drives->itemData(0).toString() << find.Folder();
        QCOMPARE(seen, QStringList({home, home + "/Practice", "BREVOXAL.MDB", "..", "Archive", "/",
                                    "/"}));
        // The root and the home folder's volume are offered even when the system reports none.
        QList<Volume> offered = ListVolumes({}, "/home");
        QCOMPARE(QStringList({offered.value(0).rootPath, offered.value(1).rootPath}),
                 QStringList({"/", "/home"}));
        QCOMPARE(ListVolumes({QStorageInfo("/")}, "/").size(), 1);
    }
    // A read-only file is refused untouched; a writable one is converted after a copy is kept.
    void earlierFileIsConvertedAfterACopyIsKept()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath(DatabaseFileName());
        makeEarlierFile(path);
        const QString before = everyRow(path);
        QVERIFY(before.contains("Müller"));
        const QByteArray original = ReadFile(path);
        QFile::setPermissions(path, QFile::ReadOwner);
        try {
            OpenDatabaseFile(path);
            QFAIL("a read-only file of an earlier build was opened");
        } catch (const DbError& e) {
            QVERIFY2(e.Message().contains("earlier version"), qPrintable(e.Message()));
        }
        QCOMPARE(ReadFile(path), original);
        QCOMPARE(copiesIn(folder.path()), QStringList());

        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
        OpenDatabaseFile(path).Close();
        QCOMPARE(everyRow(path), before);
        QCOMPARE(schemaEntriesNamingJetText(path), "0");
        QCOMPARE(sqliteShell(path, "PRAGMA integrity_check"), "ok");
        const QStringList copies = copiesIn(folder.path());
        // Exactly one copy, named after the file and the time.
        const QRegularExpression copyName("^brevoxal\\.mdb\\.bak-\\d{8}-\\d{6}$");
        QVERIFY2(copyName.match(copies.join('|')).hasMatch(), qPrintable(copies.join('|')));
        QVERIFY(schemaEntriesNamingJetText(folder.filePath(copies.first())).toInt() > 0);
    }

    // Each copy holds the rows committed when it was taken, and opens as a Velmora file; the
    // standard shell reads and checks the files. The open file itself, a folder and a missing
    // folder cannot take a copy, and nothing is left of it.
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
        for (int copies = 1; committed < 300 || copies <= 3; ++copies) {
            const int before = committed;
            const QString target = folder.filePath(QStringLiteral("copy%1.mdb").arg(copies));
            WriteDatabaseBackup(db, target);
            const int after = committed;
            const int count = sqliteShell(target, "SELECT count(*) FROM Patients").toInt();
            QVERIFY2(count >= before && count <= after, qPrintable(QString::number(count)));
            QCOMPARE(sqliteShell(target, "PRAGMA integrity_check"), "ok");
        }
        // The shell sorts text without the engine's own collation.
        QCOMPARE(sqliteShell(path, "SELECT lname FROM Patients ORDER BY lname LIMIT 2"), "P1\nP10");
        writer.join();
        QDir().mkpath(folder.filePath("restored"));
        const QString restored = folder.filePath("restored/brevoxal.mdb");
        WriteDatabaseBackup(db, restored);
        OpenDatabaseFile(restored).Close();
        for (const char* target : {"brevoxal.mdb", "restored", "none/x.mdb"})
            QVERIFY_THROWS_EXCEPTION(DbError, WriteDatabaseBackup(db, folder.filePath(target)));
        QCOMPARE(sqliteShell(restored, "SELECT count(*) FROM Patients") + '|' +
                     sqliteShell(path, "SELECT count(*) FROM Patients"),
                 "300|300");
        QVERIFY(QFileInfo(folder.filePath("restored")).isDir());
        QCOMPARE(copiesIn(folder.path()), QStringList());
    }
};

QTEST_MAIN(tst_StartUp)
#include "tst_StartUp.moc"
