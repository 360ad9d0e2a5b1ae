// Start-up and change of database location, played as a user through the windows.
#include "AppDatabase.h"
#include "Database.h"
#include "Schema.h"
#include "SettingsStore.h"
#include "ShellProfile.h"
#include "StartUp.h"
#include "UserScript.h"
#include "VolumeList.h"
#include "frmDataO.h"
#include "frmFindD.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLockFile>
#include <QSysInfo>
#include <QTest>

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
    Remembered,        // the local file, chosen on an earlier run
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

QVariant firstValue(const QString& sql)
{
    return AppDatabase().OpenRecordset(sql)->Fields()[0].Value();
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

void selectFile(QDialog& w, const QString& name)
{
    auto* files = w.findChild<QListWidget*>("FileDB");
    const auto found = files->findItems(name, Qt::MatchExactly);
    QCOMPARE(found.size(), 1);
    files->setCurrentItem(found.first());
}

void findIn(UserScript& user, const QString& folder, const QString& file = QString())
{
    user.OnWindow("frmFindD", [folder, file](QDialog& w) {
        static_cast<frmFindD&>(w).SetFolder(folder);
        if (!file.isEmpty())
            selectFile(w, file);
        ClickButton(w, "cmdOK");
    });
}

// One step of the user's part: an answer ("yes", "no"), or what is done in a window:
// "<window> <option or button>..." chooses and clicks them in order ("close" closes it),
// "company <name>" types the name, "existing <file>" or "new <folder>" go through the location
// and folder windows. An existing file not yet there is made as a Velmora file with two
// patients.
void play(UserScript& user, const QString& root, const QString& step)
{
    const QStringList words = step.split(' ');
    const QString rest = step.section(' ', 1);
    const QString path = root + '/' + rest;
    if (words[0] == "yes" || words[0] == "no") {
        user.Answer(words[0] == "yes");
    } else if (words[0] == "company") {
        user.OnWindow("frmComp", [rest](QDialog& w) {
            QTest::keyClicks(w.findChild<QLineEdit*>("txtName"), rest);
            ClickButton(w, "cmdOK");
        });
    } else if (words[0] == "existing") {
        if (!QFileInfo::exists(path))
            makeDatabase(path, 2);
        play(user, root, "frmDataO cmdBrowseEX cmdOK");
        findIn(user, QFileInfo(path).path(), QFileInfo(path).fileName());
    } else if (words[0] == "new") {
        user.OnWindow("frmDataO", [path](QDialog& w) {
            ChooseOption(w, "optNew");
            ClickButton(w, "cmdBrowseNew");
            QCOMPARE(w.findChild<QLabel*>("lblDataPath")->text(),
                     QDir::toNativeSeparators(path + "/brevoxal.mdb"));
            ClickButton(w, "cmdOK");
        });
        findIn(user, path);
    } else {
        user.OnWindow(words[0], [words](QDialog& w) {
            for (const QString& name : words.mid(1)) {
                if (name == "close")
                    w.close();
                else if (name.startsWith("opt"))
                    ChooseOption(w, qPrintable(name));
                else
                    ClickButton(w, qPrintable(name));
            }
        });
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
        QTest::addColumn<bool>("change");
        QTest::addColumn<QString>("steps"); // separated by "; "
        QTest::addColumn<QStringList>("seen");
        QTest::addColumn<QString>("opened"); // under the profile; empty: none
        QTest::addColumn<int>("patients");
        QTest::addColumn<bool>("remembered");
        const QString local = "data/Velmora/data/brevoxal.mdb";
        const QString share = "share/BREVOXAL.MDB";
        QTest::newRow("first run, local: created, welcome, company")
            << Before::FirstRun << false
            << "frmInst optStandard cmdOK; frmGreeting cmdExit; yes; company Lakeside Clinic"
            << QStringList{"[frmInst]", "[frmGreeting]", kCompany, "[frmComp]"} << local << 0
            << true;
        QTest::newRow("first run, local: the file present is opened")
            << Before::LocalFile << false << "frmInst optStandard cmdOK"
            << QStringList{"[frmInst]"}
            << local << 1 << true;
        for (const Before before : {Before::LocalLetter, Before::LocalOtherProgram})
            QTest::addRow("first run, local: %s is refused",
                          before == Before::LocalLetter ? "a letter" : "an SQLite file")
                << before << false << "frmInst optStandard cmdOK; frmDataO cmdCancel"
                << QStringList{"[frmInst]", notVelmora(local), "[frmDataO]", kNoDatabase}
                << QString() << 0 << true;
        QTest::newRow("first run, question closed: network location asked for")
            << Before::FirstRun << false << "frmInst close; frmDataO cmdCancel"
            << QStringList{"[frmInst]", "[frmDataO]", kNoDatabase} << QString() << 0 << false;
        QTest::newRow("first run, network: existing file")
            << Before::FirstRun << false << "frmInst optNetwork cmdOK; existing " + share
            << QStringList{"[frmInst]", "[frmDataO]", "[frmFindD]"} << share << 2 << true;
        QTest::newRow("remembered file missing: asked until yes, then cancelled")
            << Before::RememberedMissing << false << "no; yes; frmDataO cmdCancel"
            << QStringList{kNotFound, kNotFound, "[frmDataO]", kNoDatabase} << QString() << 0
            << true;
        QTest::newRow("remembered file missing: new file, company asked, no welcome")
            << Before::RememberedMissing << false << "yes; new new place; no"
            << QStringList{kNotFound, "[frmDataO]", "[frmFindD]", kCompany}
            << "new place/brevoxal.mdb" << 0 << true;
        QTest::newRow("second instance refused")
            << Before::RunningInstance << false << QString()
            << QStringList{"You already have an instance of 'Velmora' running."} << QString()
            << 0 << true;
        QTest::newRow("lock of a crashed instance taken over")
            << Before::StaleLock << false << QString() << QStringList() << local << 1 << true;
        QTest::newRow("change cancelled: the open file stays")
            << Before::Remembered << true << "frmDataO cmdCancel"
            << QStringList{"[frmDataO]", kNoDatabase}
            << local << 1 << true;
        QTest::newRow("change to an existing file")
            << Before::Remembered << true << "existing " + share
            << QStringList{"[frmDataO]", "[frmFindD]"} << share << 2 << true;
        QTest::newRow("change to a file that is no database: refused, the open file stays")
            << Before::Remembered << true << "existing x/brevoxal.mdb; frmDataO cmdCancel"
            << QStringList{"[frmDataO]", "[frmFindD]", notVelmora("x/brevoxal.mdb"),
                           "[frmDataO]", kNoDatabase}
            << local << 1 << true;
    }

    void opensTheChosenDatabase()
    {
        QFETCH(Before, before);
        QFETCH(bool, change);
        QFETCH(QString, steps);
        QFETCH(QString, opened);
        QFETCH(QStringList, seen);
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
        QCOMPARE(result, change ? opened != "data/Velmora/data/brevoxal.mdb" : !opened.isEmpty());
        QCOMPARE(user.seen, seen.replaceInStrings("<root>", root));
        for (int i = 0; i < files.size(); ++i)
            QCOMPARE(readFile(files[i]), contents[i]);
        QTEST(!profile.StoredSetting("OnLoad/DBFileSet").isEmpty(), "remembered");
        QCOMPARE(AppDatabase().IsOpen(), !opened.isEmpty());
        if (opened.isEmpty())
            return;
        const QString path = root + '/' + opened;
        QCOMPARE(QStringList({CurrentDbPath(), AppDatabase().Name(),
                              profile.StoredSetting("Database/FileName")}),
                 QStringList({path, path, path}));
        QFETCH(int, patients);
        QCOMPARE(QList<int>({firstValue("SELECT count(*) FROM Patients").toInt(),
                             firstValue("SELECT count(*) FROM HealthFactors").toInt(),
                             firstValue("SELECT count(*) FROM Company").toInt()}),
                 QList<int>({patients, 4, 1}));
        QCOMPARE(firstValue("SELECT Name FROM Company").toString(),
                 steps.section("company ", 1).section(';', 0, 0));
    }

    // Each option enables its own browse button; OK needs a path. Only a file named
    // brevoxal.mdb is taken; a cancelled search keeps what was taken before, and Cancel
    // leaves "new" unset.
    void locationWindowTakesOnlyADatabaseFile()
    {
        ShellProfile profile;
        const QString folder = profile.Root() + "/files";
        const QString path = folder + "/brevoxal.mdb";
        makeDatabase(path, 0);
        makeDatabase(folder + "/other.mdb", 0);
        UserScript user;
        frmDataO dialog;
        dialog.Init(QString());
        dialog.show();
        // The buttons that can be used, then the path taken and the path shown.
        const auto state = [&dialog] {
            QStringList state;
            for (const char* name : {"cmdOK", "cmdBrowseEX", "cmdBrowseNew"})
                state.append(dialog.findChild<QAbstractButton*>(name)->isEnabled() ? name : "-");
            return state << dialog.DataFilePath()
                         << dialog.findChild<QLabel*>("lblDataPath")->text();
        };
        const auto browseTwice = [&](const char* button) {
            play(user, QString(), "frmFindD cmdCancel");
            ClickButton(dialog, button);
            ClickButton(dialog, button);
        };
        QCOMPARE(state(), QStringList({"-", "cmdBrowseEX", "-", "", ""}));
        ChooseOption(dialog, "optNew");
        QVERIFY(dialog.CreateNew());
        QCOMPARE(state(), QStringList({"-", "-", "cmdBrowseNew", "", ""}));
        ChooseOption(dialog, "optExist");
        QVERIFY(!dialog.CreateNew());
        // OK without a file stays open with its notice; then a file of another name.
        user.OnWindow("frmFindD", [&](QDialog& w) {
            static_cast<frmFindD&>(w).SetFolder(folder);
            ClickButton(w, "cmdOK");
            QVERIFY(w.isVisible());
            selectFile(w, "other.mdb");
            ClickButton(w, "cmdOK");
        });
        browseTwice("cmdBrowseEX");
        QCOMPARE(state(), QStringList({"-", "cmdBrowseEX", "-", "", ""}));
        findIn(user, folder, "brevoxal.mdb");
        browseTwice("cmdBrowseEX");
        QCOMPARE(state(),
                 QStringList({"cmdOK", "cmdBrowseEX", "-", path, QDir::toNativeSeparators(path)}));
        ChooseOption(dialog, "optNew");
        play(user, QString(), "frmFindD cmdCancel");
        ClickButton(dialog, "cmdBrowseNew");
        ClickButton(dialog, "cmdCancel");
        QVERIFY(!dialog.CreateNew());
        QCOMPARE(dialog.DataFilePath(), path);
        QCOMPARE(user.seen, QStringList({"[frmFindD]", "You have not selected a file yet",
                                         "Not a valid Database File", "[frmFindD]",
                                         "Not a valid Database File", "[frmFindD]", "[frmFindD]",
                                         "[frmFindD]"}));
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
        QCOMPARE(find.Folder(), home);
        auto* folders = find.findChild<QListWidget*>("DirDBLoc");
        folders->setCurrentItem(folders->findItems("Practice", Qt::MatchExactly).value(0));
        QTest::keyClick(folders, Qt::Key_Return);
        QCOMPARE(find.Folder(), home + "/Practice");
        const auto texts = [&find](const char* list) {
            QStringList items;
            const auto* widget = find.findChild<QListWidget*>(list);
            for (const auto* item : widget->findItems("*", Qt::MatchWildcard))
                items.append(item->text());
            return items;
        };
        QCOMPARE(texts("FileDB"), QStringList({"BREVOXAL.MDB"}));
        QCOMPARE(texts("DirDBLoc"), QStringList({"..", "Archive"}));
        auto* drives = find.findChild<QComboBox*>("DriveDBLoc");
        QCOMPARE(drives->itemData(0).toString(), "/");
        drives->setCurrentIndex(-1);
        drives->setCurrentIndex(0);
        QCOMPARE(find.Folder(), "/");
        // The root and the home folder's volume are offered even when the system reports none.
        QList<Volume> offered = ListVolumes({}, "/home");
        QCOMPARE(QStringList({offered.value(0).rootPath, offered.value(1).rootPath}),
                 QStringList({"/", "/home"}));
        QCOMPARE(ListVolumes({QStorageInfo("/")}, "/").size(), 1);
    }
};

QTEST_MAIN(tst_StartUp)
#include "tst_StartUp.moc"
