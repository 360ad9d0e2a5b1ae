// Start-up and change of database location, played as a user through the windows.
#include "SettingsStore.h"
#include "ShellProfile.h"
#include "StartUp.h"
#include "UserScript.h"
#include "VolumeList.h"
#include "frmDataO.h"

#include <QComboBox>
#include <QLockFile>
#include <QSysInfo>

namespace {

const QString kNoDatabase = "No DataBase has been selected/created";
const QString kCompany = "? Would you like to fill in Your Company Information?";
const QString kNotFound = "? Data Base file '<root>/gone/brevoxal.mdb' was not found.  Search in "
                          "a new location? ";

QString notVelmora(const QString& file)
{
    return "The file '<root>/" + file +
           "' is not a Velmora database.  It has been left unchanged; please choose another "
           "location.";
}

// What the profile holds before the program starts, besides a file that is no database in x/
// and an empty folder "new place".
enum class Before {
    FirstRun,
    LocalFile,         // a Velmora file with one patient where a local installation puts it
    LocalLetter,       // a letter there instead
    LocalOtherProgram, // an SQLite file of another program there
    RememberedMissing, // gone/brevoxal.mdb chosen on an earlier run, and gone
    Remembered,        // the local file, chosen on an earlier run and open: the user changes it
    RunningInstance,   // the local file, open in another running instance
    StaleLock,         // the local file, with the lock of an instance that crashed
};

void writeFile(const QString& path, const QByteArray& content)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(none)");
}

void makeDatabase(const QString& path, int patients)
{
    QDir().mkpath(QFileInfo(path).path());
    Database db = Database::Create(path);
    CreateSchema(db);
    for (int id = 1; id <= patients; ++id)
        db.Execute(QString("INSERT INTO Patients (ptid, lname) VALUES (%1, 'Keep')").arg(id));
}

void rememberPath(const QString& path)
{
    SettingsStore::SaveSetting("OnLoad", "DBFileSet", "Yes");
    SettingsStore::SaveSetting("Database", "FileName", path);
}

void prepare(Before before, const ShellProfile& profile)
{
    const QString local = profile.LocalDatabasePath();
    writeFile(profile.Root() + "/x/brevoxal.mdb", "not a database");
    QDir().mkpath(profile.Root() + "/new place");
    if (before == Before::LocalLetter)
        writeFile(local, "Dear colleague, this is not a database.");
    if (before == Before::LocalOtherProgram) {
        QDir().mkpath(QFileInfo(local).path());
        Database::Create(local).AppendTable(TableDef{"Company", {NewField("Name", dbText, 40)}});
    }
    if (before == Before::RememberedMissing)
        rememberPath(profile.Root() + "/gone/brevoxal.mdb");
    if (before == Before::LocalFile || before >= Before::Remembered)
        makeDatabase(local, 1);
    if (before >= Before::Remembered)
        rememberPath(local);
    // The lock of a process that is no more: no process ever has this number.
    if (before == Before::StaleLock)
        writeFile(profile.RuntimeFolder() + "/velmora.lock",
                  "2147483647\nvelmora\n" + QSysInfo::machineHostName().toUtf8() + '\n');
}

// One step of the user's part, as UserScript plays it, or one of these: "company <name>" types
// the name, "existing <folder>/<file>" or "new <folder>" go through the location and folder
// windows. An existing file not yet there is made as a Velmora file with two patients.
void play(UserScript& user, const QString& root, const QString& step)
{
    const QString rest = step.section(' ', 1);
    const QString path = root + '/' + rest;
    if (step.startsWith("company ")) {
        user.OnWindow("frmComp", [rest](QDialog& w) {
            QTest::keyClicks(w.findChild<QLineEdit*>("txtName"), rest);
            ClickButton(w, "cmdOK");
        });
    } else if (step.startsWith("existing ")) {
        if (!QFileInfo::exists(path))
            makeDatabase(path, 2);
        user.Play("frmDataO cmdBrowseEX cmdOK; frmFindD in=" + rest.section('/', 0, 0) +
                      " pick=" + rest.section('/', 1) + " cmdOK",
                  root);
    } else if (step.startsWith("new ")) {
        user.Play("frmDataO optNew cmdBrowseNew =lblDataPath cmdOK");
        user.OnWindow("frmFindD", [path](QDialog& w) {
            static_cast<frmFindD&>(w).SetFolder(path);
            ClickButton(w, "cmdOK");
        });
    } else {
        user.Play(step);
    }
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
        const QString share = "share/BREVOXAL.MDB";
        QTest::newRow("first run, local: created, welcome, company")
            << Before::FirstRun
            << "frmInst optStandard cmdOK; frmGreeting cmdExit; yes; company Lakeside Clinic"
            << QStringList{"[frmInst]", "[frmGreeting]", kCompany, "[frmComp]"} << local + " 0";
        QTest::newRow("first run, local: the file present is opened")
            << Before::LocalFile << "frmInst optStandard cmdOK" << QStringList{"[frmInst]"}
            << local + " 1";
        for (const Before before : {Before::LocalLetter, Before::LocalOtherProgram})
            QTest::addRow("first run, local: %s is refused",
                          before == Before::LocalLetter ? "a letter" : "an SQLite file")
                << before << "frmInst optStandard cmdOK; frmDataO cmdCancel"
                << QStringList{"[frmInst]", notVelmora(local), "[frmDataO]", kNoDatabase}
                << QString();
        QTest::newRow("first run, question closed: network location asked for, nothing remembered")
            << Before::FirstRun << "frmInst close; frmDataO cmdCancel"
            << QStringList{"[frmInst]", "[frmDataO]", kNoDatabase} << QString();
        QTest::newRow("first run, network: existing file")
            << Before::FirstRun << "frmInst optNetwork cmdOK; existing " + share
            << QStringList{"[frmInst]", "[frmDataO]", "[frmFindD]"} << share + " 2";
        QTest::newRow("remembered file missing: asked until yes, then cancelled")
            << Before::RememberedMissing << "no; yes; frmDataO cmdCancel"
            << QStringList{kNotFound, kNotFound, "[frmDataO]", kNoDatabase} << QString();
        QTest::newRow("remembered file missing: new file, company asked, no welcome")
            << Before::RememberedMissing << "yes; new new place; no"
            << QStringList{kNotFound, "[frmDataO]", "[frmFindD]", "<root>/new place/brevoxal.mdb",
                           kCompany}
            << "new place/brevoxal.mdb 0";
        QTest::newRow("second instance refused")
            << Before::RunningInstance << QString()
            << QStringList{"You already have an instance of 'Velmora' running."} << QString();
        QTest::newRow("lock of a crashed instance taken over")
            << Before::StaleLock << QString() << QStringList() << local + " 1";
        QTest::newRow("change cancelled: the open file stays")
            << Before::Remembered << "frmDataO cmdCancel"
            << QStringList{"[frmDataO]", kNoDatabase} << local + " 1";
        QTest::newRow("change to an existing file")
            << Before::Remembered << "existing " + share << QStringList{"[frmDataO]", "[frmFindD]"}
            << share + " 2";
        QTest::newRow("change to a file that is no database: refused, the open file stays")
            << Before::Remembered << "existing x/brevoxal.mdb; frmDataO cmdCancel"
            << QStringList{"[frmDataO]", "[frmFindD]", notVelmora("x/brevoxal.mdb"),
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
        if (before == Before::LocalLetter || before == Before::LocalOtherProgram)
            files.append(profile.LocalDatabasePath());
        QList<QByteArray> contents;
        for (const QString& file : files)
            contents.append(readFile(file));
        UserScript user;
        for (const QString& step : steps.split("; ", Qt::SkipEmptyParts))
            play(user, root, step);

        const bool result = change ? ChangeDatabaseLocation(nullptr) : RunStartUp(nullptr);

        // A start succeeds with a file open; a change, with another file than before.
        QCOMPARE(result, change ? !opened.startsWith("data/") : !opened.isEmpty());
        QCOMPARE(user.seen, seen.replaceInStrings("<root>", root));
        for (int i = 0; i < files.size(); ++i)
            QCOMPARE(readFile(files[i]), contents[i]);
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
        for (const char* sql :
             {"SELECT count(*) FROM Patients", "SELECT count(*) FROM HealthFactors",
              "SELECT count(*) FROM Company", "SELECT Name FROM Company"})
            found.append(AppDatabase().OpenRecordset(sql)->Fields()[0].Value().toString());
        QCOMPARE(found, QStringList({opened.section(' ', -1), "4", "1",
                                     steps.section("company ", 1).section(';', 0, 0)}));
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
        // OK without a file stays open with its notice; then a file of another name.
        user.OnWindow("frmFindD", [&](QDialog& w) {
            static_cast<frmFindD&>(w).SetFolder(profile.Root() + "/files");
            ClickButton(w, "cmdOK");
            QVERIFY(w.isVisible());
            auto* files = w.findChild<QListWidget*>("FileDB");
            files->setCurrentItem(files->findItems("other.mdb", Qt::MatchExactly).value(0));
            ClickButton(w, "cmdOK");
        });
        user.Play("frmFindD cmdCancel; frmFindD in=files pick=brevoxal.mdb cmdOK; "
                  "frmFindD cmdCancel; frmFindD cmdCancel",
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
            act.startsWith("opt") ? ChooseOption(dialog, qPrintable(act))
                                  : ClickButton(dialog, qPrintable(act));
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
        writeFile(home + "/Practice/BREVOXAL.MDB", "x");
        writeFile(home + "/Practice/notes.txt", "x");
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
};

QTEST_MAIN(tst_StartUp)
#include "tst_StartUp.moc"
