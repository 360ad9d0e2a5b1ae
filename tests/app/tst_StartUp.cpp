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
#include <QProcess>
#include <QRegularExpression>
#include <QSysInfo>
#include <QTest>

namespace {

const QString kNoDatabase = "No DataBase has been selected/created";
const QString kCompany = "Would you like to fill in Your Company Information?";
const QString kNotFound = "Data Base file '<root>/gone/brevoxal.mdb' was not found.  Search in a "
                          "new location? ";

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

int count(const QString& table)
{
    auto rows = AppDatabase().OpenRecordset("SELECT count(*) FROM " + table);
    return rows->Fields()[0].Value().toInt();
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
}

void selectFile(QDialog& w, const QString& name)
{
    auto* files = w.findChild<QListWidget*>("FileDB");
    const auto found = files->findItems(name, Qt::MatchExactly);
    QCOMPARE(found.size(), 1);
    files->setCurrentItem(found.first());
}

// One step of the user's part: an answer ("yes", "no"), or what is done in a window:
// "install <option>|close", "welcome", "company <name>", "cancel" the location window,
// "existing <file>" or "new <folder>" through the location and folder windows. An existing
// file not yet there is made as a Velmora file with two patients.
void play(UserScript& user, const QString& root, const QString& step)
{
    const QString verb = step.section(' ', 0, 0);
    const QString rest = step.section(' ', 1);
    const QString path = root + '/' + rest;
    if (verb == "yes" || verb == "no")
        user.Answer(verb == "yes");
    if (verb == "install")
        user.OnWindow("frmInst", [rest](QDialog& w) {
            if (rest == "close")
                return void(w.close());
            ChooseOption(w, rest.toLatin1().constData());
            ClickButton(w, "cmdOK");
        });
    if (verb == "welcome")
        user.OnWindow("frmGreeting", [](QDialog& w) { ClickButton(w, "cmdExit"); });
    if (verb == "company")
        user.OnWindow("frmComp", [rest](QDialog& w) {
            QTest::keyClicks(w.findChild<QLineEdit*>("txtName"), rest);
            ClickButton(w, "cmdOK");
        });
    if (verb == "cancel")
        user.OnWindow("frmDataO", [](QDialog& w) { ClickButton(w, "cmdCancel"); });
    if (verb == "existing") {
        if (!QFileInfo::exists(path))
            makeDatabase(path, 2);
        user.OnWindow("frmDataO", [](QDialog& w) {
            ClickButton(w, "cmdBrowseEX");
            ClickButton(w, "cmdOK");
        });
        user.OnWindow("frmFindD", [path](QDialog& w) {
            static_cast<frmFindD&>(w).SetFolder(QFileInfo(path).path());
            selectFile(w, QFileInfo(path).fileName());
            ClickButton(w, "cmdOK");
        });
    }
    if (verb == "new") {
        user.OnWindow("frmDataO", [path](QDialog& w) {
            ChooseOption(w, "optNew");
            ClickButton(w, "cmdBrowseNew");
            QCOMPARE(w.findChild<QLabel*>("lblDataPath")->text(),
                     QDir::toNativeSeparators(path + "/brevoxal.mdb"));
            ClickButton(w, "cmdOK");
        });
        user.OnWindow("frmFindD", [path](QDialog& w) {
            QVERIFY(w.findChild<QListWidget*>("FileDB")->isHidden());
            static_cast<frmFindD&>(w).SetFolder(path);
            ClickButton(w, "cmdOK");
        });
    }
}

QStringList atRoot(QStringList texts, const QString& root)
{
    return texts.replaceInStrings("<root>", root);
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
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QStringList>("windows");
        QTest::addColumn<QStringList>("questions");
        QTest::addColumn<QStringList>("notices");
        QTest::addColumn<QString>("opened"); // under the profile; empty: none
        QTest::addColumn<int>("patients");
        QTest::addColumn<bool>("remembered");
        const QString local = "data/Velmora/data/brevoxal.mdb";
        const QStringList none;
        QTest::newRow("first run, local: created, welcome, company")
            << Before::FirstRun << false
            << QStringList{"install optStandard", "welcome", "yes", "company Lakeside Clinic"}
            << QStringList{"frmInst", "frmGreeting", "frmComp"} << QStringList{kCompany} << none
            << local << 0 << true;
        QTest::newRow("first run, local: the file present is opened")
            << Before::LocalFile << false << QStringList{"install optStandard"}
            << QStringList{"frmInst"} << none << none << local << 1 << true;
        QTest::newRow("first run, local: a letter is refused")
            << Before::LocalLetter << false << QStringList{"install optStandard", "cancel"}
            << QStringList{"frmInst", "frmDataO"} << none
            << QStringList{notVelmora(local), kNoDatabase} << QString() << 0 << true;
        QTest::newRow("first run, local: another program's SQLite file is refused")
            << Before::LocalOtherProgram << false << QStringList{"install optStandard", "cancel"}
            << QStringList{"frmInst", "frmDataO"} << none
            << QStringList{notVelmora(local), kNoDatabase} << QString() << 0 << true;
        QTest::newRow("first run, network cancelled")
            << Before::FirstRun << false << QStringList{"install optNetwork", "cancel"}
            << QStringList{"frmInst", "frmDataO"} << none << QStringList{kNoDatabase}
            << QString() << 0 << false;
        QTest::newRow("first run, question closed: network location asked for")
            << Before::FirstRun << false << QStringList{"install close", "cancel"}
            << QStringList{"frmInst", "frmDataO"} << none << QStringList{kNoDatabase}
            << QString() << 0 << false;
        QTest::newRow("first run, network: existing file")
            << Before::FirstRun << false
            << QStringList{"install optNetwork", "existing share/BREVOXAL.MDB"}
            << QStringList{"frmInst", "frmDataO", "frmFindD"} << none << none
            << "share/BREVOXAL.MDB" << 2 << true;
        QTest::newRow("remembered file missing: asked until yes, then cancelled")
            << Before::RememberedMissing << false << QStringList{"no", "yes", "cancel"}
            << QStringList{"frmDataO"} << QStringList{kNotFound, kNotFound}
            << QStringList{kNoDatabase} << QString() << 0 << true;
        QTest::newRow("remembered file missing: new file, company asked, no welcome")
            << Before::RememberedMissing << false << QStringList{"yes", "new new place", "no"}
            << QStringList{"frmDataO", "frmFindD"} << QStringList{kNotFound, kCompany} << none
            << "new place/brevoxal.mdb" << 0 << true;
        QTest::newRow("second instance refused")
            << Before::RunningInstance << false << none << none << none
            << QStringList{"You already have an instance of 'Velmora' running."} << QString()
            << 0 << true;
        QTest::newRow("lock of a crashed instance taken over")
            << Before::StaleLock << false << none << none << none << none << local << 1 << true;
        QTest::newRow("change cancelled: the open file stays")
            << Before::Remembered << true << QStringList{"cancel"} << QStringList{"frmDataO"}
            << none << QStringList{kNoDatabase} << local << 1 << true;
        QTest::newRow("change to an existing file")
            << Before::Remembered << true << QStringList{"existing share/BREVOXAL.MDB"}
            << QStringList{"frmDataO", "frmFindD"} << none << none << "share/BREVOXAL.MDB" << 2
            << true;
        QTest::newRow("change to a new file: no welcome, no company question")
            << Before::Remembered << true << QStringList{"new new place"}
            << QStringList{"frmDataO", "frmFindD"} << none << none << "new place/brevoxal.mdb"
            << 0 << true;
        QTest::newRow("change to a file that is no database: refused, the open file stays")
            << Before::Remembered << true << QStringList{"existing x/brevoxal.mdb", "cancel"}
            << QStringList{"frmDataO", "frmFindD", "frmDataO"} << none
            << QStringList{notVelmora("x/brevoxal.mdb"), kNoDatabase} << local << 1 << true;
    }

    void opensTheChosenDatabase()
    {
        QFETCH(Before, before);
        QFETCH(bool, change);
        QFETCH(QStringList, steps);
        QFETCH(QString, opened);
        ShellProfile profile;
        const QString root = profile.Root();
        prepare(before, profile);
        QLockFile running(profile.RuntimeFolder() + "/velmora.lock");
        running.setStaleLockTime(0);
        if (before == Before::RunningInstance)
            QVERIFY(running.tryLock());
        if (before == Before::StaleLock) {
            QProcess ended;
            ended.start("sleep", {"30"});
            QVERIFY(ended.waitForStarted());
            const qint64 pid = ended.processId();
            ended.kill();
            QVERIFY(ended.waitForFinished());
            writeFile(profile.RuntimeFolder() + "/velmora.lock",
                      QByteArray::number(pid) + "\nvelmora\n" +
                          QSysInfo::machineHostName().toUtf8() + '\n');
        }
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
        for (const QString& step : steps)
            play(user, root, step);

        const bool result = change ? ChangeDatabaseLocation(nullptr) : RunStartUp(nullptr);

        // A start succeeds with a file open; a change, with another file than before.
        QCOMPARE(result, change ? opened != "data/Velmora/data/brevoxal.mdb" : !opened.isEmpty());
        QTEST(user.windows, "windows");
        QFETCH(QStringList, questions);
        QCOMPARE(user.questions, atRoot(questions, root));
        QFETCH(QStringList, notices);
        QCOMPARE(user.notices, atRoot(notices, root));
        QVERIFY2(user.unexpected.isEmpty(), qPrintable(user.unexpected.join('\n')));
        for (int i = 0; i < files.size(); ++i)
            QCOMPARE(readFile(files[i]), contents[i]);
        QTEST(!profile.StoredSetting("OnLoad/DBFileSet").isEmpty(), "remembered");
        QCOMPARE(AppDatabase().IsOpen(), !opened.isEmpty());
        if (opened.isEmpty())
            return;
        const QString path = root + '/' + opened;
        QCOMPARE(CurrentDbPath(), path);
        QCOMPARE(AppDatabase().Name(), path);
        QCOMPARE(profile.StoredSetting("Database/FileName"), path);
        QTEST(count("Patients"), "patients");
        QCOMPARE(count("HealthFactors"), 4);
        QCOMPARE(count("Company"), 1);
        for (const QString& step : steps.filter(QRegularExpression("^company ")))
            QCOMPARE(AppDatabase().OpenRecordset("SELECT Name FROM Company")->Fields()[0].Value(),
                     QVariant(step.section(' ', 1)));
    }

    // Each option enables its own browse button; OK needs a path; Cancel, and a cancelled
    // search for a new folder, keep the initial path and leave "new" unset.
    void locationWindowFollowsTheOptions()
    {
        ShellProfile profile;
        UserScript user;
        frmDataO dialog;
        dialog.Init(QString());
        dialog.show();
        const auto enabled = [&dialog](const char* name) {
            return dialog.findChild<QAbstractButton*>(name)->isEnabled();
        };
        QCOMPARE(QList<bool>({enabled("cmdOK"), enabled("cmdBrowseEX"), enabled("cmdBrowseNew")}),
                 QList<bool>({false, true, false}));
        QVERIFY(dialog.findChild<QAbstractButton*>("optExist")->isChecked());
        ChooseOption(dialog, "optNew");
        QVERIFY(dialog.CreateNew());
        QCOMPARE(QList<bool>({enabled("cmdBrowseEX"), enabled("cmdBrowseNew")}),
                 QList<bool>({false, true}));
        ChooseOption(dialog, "optExist");
        QVERIFY(!dialog.CreateNew());

        frmDataO withPath;
        withPath.Init("/srv/brevoxal.mdb");
        withPath.show();
        QVERIFY(withPath.findChild<QAbstractButton*>("cmdOK")->isEnabled());
        ChooseOption(withPath, "optNew");
        user.OnWindow("frmFindD", [](QDialog& w) { ClickButton(w, "cmdCancel"); });
        ClickButton(withPath, "cmdBrowseNew");
        QCOMPARE(withPath.DataFilePath(), "/srv/brevoxal.mdb");
        ClickButton(withPath, "cmdCancel");
        QVERIFY(!withPath.CreateNew());
        QCOMPARE(withPath.DataFilePath(), "/srv/brevoxal.mdb");
        QCOMPARE(user.unexpected, QStringList());
    }

    // Only a file named brevoxal.mdb is taken; a cancelled search keeps what was taken before.
    void existingFileMustBeADatabaseFile()
    {
        ShellProfile profile;
        const QString folder = profile.Root() + "/files";
        makeDatabase(folder + "/brevoxal.mdb", 0);
        makeDatabase(folder + "/other.mdb", 0);
        UserScript user;
        frmDataO dialog;
        dialog.Init(QString());
        dialog.show();
        auto* ok = dialog.findChild<QAbstractButton*>("cmdOK");
        auto* path = dialog.findChild<QLabel*>("lblDataPath");
        // OK without a file stays open with its notice; then a file of another name.
        user.OnWindow("frmFindD", [&](QDialog& w) {
            static_cast<frmFindD&>(w).SetFolder(folder);
            ClickButton(w, "cmdOK");
            QVERIFY(w.isVisible());
            selectFile(w, "other.mdb");
            ClickButton(w, "cmdOK");
        });
        user.OnWindow("frmFindD", [](QDialog& w) { ClickButton(w, "cmdCancel"); });
        ClickButton(dialog, "cmdBrowseEX");
        ClickButton(dialog, "cmdBrowseEX");
        QCOMPARE(user.notices, QStringList({"You have not selected a file yet",
                                            "Not a valid Database File",
                                            "Not a valid Database File"}));
        QVERIFY(!ok->isEnabled());
        QVERIFY(path->text().isEmpty());
        QVERIFY(dialog.DataFilePath().isEmpty());

        user.OnWindow("frmFindD", [&](QDialog& w) {
            static_cast<frmFindD&>(w).SetFolder(folder);
            selectFile(w, "brevoxal.mdb");
            ClickButton(w, "cmdOK");
        });
        user.OnWindow("frmFindD", [](QDialog& w) { ClickButton(w, "cmdCancel"); });
        ClickButton(dialog, "cmdBrowseEX");
        ClickButton(dialog, "cmdBrowseEX");
        QCOMPARE(user.notices.size(), 3);
        QVERIFY(ok->isEnabled());
        QCOMPARE(dialog.DataFilePath(), folder + "/brevoxal.mdb");
        QCOMPARE(path->text(), QDir::toNativeSeparators(dialog.DataFilePath()));
        QCOMPARE(user.unexpected, QStringList());
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
        const auto practice = folders->findItems("Practice", Qt::MatchExactly);
        QCOMPARE(practice.size(), 1);
        folders->setCurrentItem(practice.first());
        QTest::keyClick(folders, Qt::Key_Return);
        QCOMPARE(find.Folder(), home + "/Practice");
        auto* files = find.findChild<QListWidget*>("FileDB");
        QCOMPARE(files->count(), 1);
        QCOMPARE(files->item(0)->text(), "BREVOXAL.MDB");
        QCOMPARE(QStringList({folders->item(0)->text(), folders->item(1)->text()}),
                 QStringList({"..", "Archive"}));
        auto* drives = find.findChild<QComboBox*>("DriveDBLoc");
        QCOMPARE(drives->itemData(0).toString(), "/");
        drives->setCurrentIndex(-1);
        drives->setCurrentIndex(0);
        QCOMPARE(find.Folder(), "/");
    }

    void volumesAlwaysOfferRootAndHome_data()
    {
        QTest::addColumn<bool>("rootReported");
        QTest::addColumn<QString>("homeRoot");
        QTest::addColumn<QStringList>("offered");
        QTest::newRow("none reported") << false << "/" << QStringList{"/"};
        QTest::newRow("home volume not reported") << false << "/home" << QStringList{"/", "/home"};
        QTest::newRow("root reported, listed once") << true << "/" << QStringList{"/"};
    }

    void volumesAlwaysOfferRootAndHome()
    {
        QFETCH(bool, rootReported);
        QFETCH(QString, homeRoot);
        QList<QStorageInfo> mounted;
        if (rootReported)
            mounted.append(QStorageInfo("/"));
        QStringList roots;
        for (const Volume& volume : ListVolumes(mounted, homeRoot))
            roots.append(volume.rootPath);
        QTEST(roots, "offered");
    }
};

QTEST_MAIN(tst_StartUp)
#include "tst_StartUp.moc"
