// Start-up and change of database location, played as a user through the windows.
#include "AppDatabase.h"
#include "Database.h"
#include "DaoType.h"
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
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLockFile>
#include <QProcess>
#include <QSysInfo>
#include <QTest>
#include <QWidget>

namespace {

const QString kNoDatabase = QStringLiteral("No DataBase has been selected/created");
const QString kCompanyQuestion =
    QStringLiteral("Would you like to fill in Your Company Information?");

QString notFound(const QString& path)
{
    return QStringLiteral("Data Base file '") + path +
           QStringLiteral("' was not found.  Search in a new location? ");
}

int count(Database& db, const QString& table)
{
    auto rs = db.OpenRecordset(QStringLiteral("SELECT count(*) AS n FROM ") + table);
    return rs->Fields()["n"].Value().toInt();
}

// A Velmora file holding one patient, to tell it apart from a new one.
void makeDatabase(const QString& path)
{
    QDir().mkpath(QFileInfo(path).path());
    Database db = Database::Create(path);
    CreateSchema(db);
    db.Execute(QStringLiteral("INSERT INTO Patients (ptid, lname) VALUES (1, 'Keep')"));
}

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
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// No option: the window is closed by its close button.
void chooseInstall(UserScript& user, const char* option)
{
    user.OnWindow(QStringLiteral("frmInst"), [option](QDialog& w) {
        if (!option)
            return void(w.close());
        ChooseOption(w, option);
        ClickButton(w, "cmdOK");
    });
}

void cancelDataDialog(UserScript& user)
{
    user.OnWindow(QStringLiteral("frmDataO"), [](QDialog& w) { ClickButton(w, "cmdCancel"); });
}

void selectFile(QDialog& w, const QString& name)
{
    auto* files = w.findChild<QListWidget*>(QStringLiteral("FileDB"));
    const auto found = files->findItems(name, Qt::MatchExactly);
    QCOMPARE(found.size(), 1);
    files->setCurrentItem(found.first());
}

// "Connect to Existing Database": browse to the file in its folder and confirm.
void connectExisting(UserScript& user, const QString& path)
{
    user.OnWindow(QStringLiteral("frmFindD"), [path](QDialog& w) {
        static_cast<frmFindD&>(w).SetFolder(QFileInfo(path).path());
        selectFile(w, QFileInfo(path).fileName());
        ClickButton(w, "cmdOK");
    });
    user.OnWindow(QStringLiteral("frmDataO"), [](QDialog& w) {
        ClickButton(w, "cmdBrowseEX");
        ClickButton(w, "cmdOK");
    });
}

// "Create New Empty Database" in a folder.
void createNew(UserScript& user, const QString& folder)
{
    user.OnWindow(QStringLiteral("frmFindD"), [folder](QDialog& w) {
        QVERIFY(w.findChild<QListWidget*>(QStringLiteral("FileDB"))->isHidden());
        static_cast<frmFindD&>(w).SetFolder(folder);
        ClickButton(w, "cmdOK");
    });
    user.OnWindow(QStringLiteral("frmDataO"), [folder](QDialog& w) {
        ChooseOption(w, "optNew");
        ClickButton(w, "cmdBrowseNew");
        QCOMPARE(w.findChild<QLabel*>(QStringLiteral("lblDataPath"))->text(),
                 QDir::toNativeSeparators(folder + QStringLiteral("/brevoxal.mdb")));
        ClickButton(w, "cmdOK");
    });
}

void rememberPath(const QString& path)
{
    SettingsStore::SaveSetting(QStringLiteral("OnLoad"), QStringLiteral("DBFileSet"),
                               QStringLiteral("Yes"));
    SettingsStore::SaveSetting(QStringLiteral("Database"), QStringLiteral("FileName"), path);
}

} // namespace

class tst_StartUp : public QObject {
    Q_OBJECT

private slots:
    void firstRunLocalCreatesDatabase();
    void firstRunLocalOpensFilePresent();
    void foreignFileIsRefusedAndKept();
    void networkInstallCancelled_data();
    void networkInstallCancelled();
    void networkInstallConnectsExistingFile();
    void rememberedFileMissingAsksAgainThenEnds();
    void rememberedFileMissingCreatesNewWithoutWelcome();
    void secondInstanceRefused();
    void staleLockTakenOver();
    void changeLocationCancelledKeepsDatabase();
    void changeLocationToExistingAndNew();
    void changeLocationRefusesForeignFile();
    void dataDialogButtonsFollowOptions();
    void dataDialogExistingFileRules();
    void dataDialogCancelledNewBrowseKeepsPath();
    void findWindowListsFoldersAndDatabaseFiles();
    void volumesAlwaysOfferRootAndHome_data();
    void volumesAlwaysOfferRootAndHome();
};

void tst_StartUp::firstRunLocalCreatesDatabase()
{
    ShellProfile profile;
    UserScript user;
    chooseInstall(user, "optStandard");
    user.OnWindow(QStringLiteral("frmGreeting"), [](QDialog& w) { ClickButton(w, "cmdExit"); });
    user.Answer(true);
    user.OnWindow(QStringLiteral("frmComp"), [](QDialog& w) {
        QTest::keyClicks(w.findChild<QLineEdit*>(QStringLiteral("txtName")), QStringLiteral("Lakeside Clinic"));
        ClickButton(w, "cmdOK");
    });
    QWidget main;

    QVERIFY(RunStartUp(&main));

    const QString path = profile.LocalDatabasePath();
    QCOMPARE(user.windows, QStringList({"frmInst", "frmGreeting", "frmComp"}));
    QCOMPARE(user.questions, QStringList{kCompanyQuestion});
    QVERIFY(user.unexpected.isEmpty());
    QVERIFY(QFileInfo::exists(path));
    QCOMPARE(CurrentDbPath(), path);
    QCOMPARE(AppDatabase().Name(), path);
    for (const QString& table : SchemaTableNames())
        QVERIFY2(AppDatabase().TableNames().contains(table, Qt::CaseInsensitive), qPrintable(table));
    QCOMPARE(count(AppDatabase(), QStringLiteral("HealthFactors")), 4);
    auto company = AppDatabase().OpenRecordset(QStringLiteral("SELECT Name FROM Company"));
    QCOMPARE(company->Fields()["Name"].Value().toString(), QStringLiteral("Lakeside Clinic"));
    QCOMPARE(profile.StoredSetting(QStringLiteral("Database/FileName")), path);
    QCOMPARE(profile.StoredSetting(QStringLiteral("OnLoad/DBFileSet")), QStringLiteral("Yes"));
}

void tst_StartUp::firstRunLocalOpensFilePresent()
{
    ShellProfile profile;
    makeDatabase(profile.LocalDatabasePath());
    UserScript user;
    chooseInstall(user, "optStandard");

    QVERIFY(RunStartUp(nullptr));

    QCOMPARE(user.windows, QStringList{"frmInst"});
    QVERIFY(user.questions.isEmpty());
    QVERIFY(user.unexpected.isEmpty());
    QCOMPARE(count(AppDatabase(), QStringLiteral("Patients")), 1);
    QCOMPARE(count(AppDatabase(), QStringLiteral("Company")), 1);
}

void tst_StartUp::foreignFileIsRefusedAndKept()
{
    ShellProfile profile;
    const QByteArray letter("Dear colleague, this is not a database.");
    writeFile(profile.LocalDatabasePath(), letter);
    UserScript user;
    chooseInstall(user, "optStandard");
    cancelDataDialog(user);

    QVERIFY(!RunStartUp(nullptr));

    QCOMPARE(user.notices.size(), 2);
    QVERIFY(user.notices.first().contains(QStringLiteral("is not a Velmora database")));
    QCOMPARE(user.notices.last(), kNoDatabase);
    QCOMPARE(user.windows, QStringList({"frmInst", "frmDataO"}));
    QCOMPARE(readFile(profile.LocalDatabasePath()), letter);

    // An SQLite file of some other program is refused as well.
    ShellProfile other;
    {
        QDir().mkpath(QFileInfo(other.LocalDatabasePath()).path());
        Database db = Database::Create(other.LocalDatabasePath());
        db.AppendTable(TableDef{QStringLiteral("Company"), {NewField(QStringLiteral("Name"), dbText, 40)}});
    }
    UserScript again;
    chooseInstall(again, "optStandard");
    cancelDataDialog(again);
    QVERIFY(!RunStartUp(nullptr));
    QVERIFY(again.notices.first().contains(QStringLiteral("is not a Velmora database")));
}

void tst_StartUp::networkInstallCancelled_data()
{
    QTest::addColumn<QString>("option");
    QTest::newRow("network chosen") << "optNetwork";
    // Closing the question is no local installation: the network location is asked for.
    QTest::newRow("question closed") << QString();
}

void tst_StartUp::networkInstallCancelled()
{
    QFETCH(QString, option);
    ShellProfile profile;
    UserScript user;
    const QByteArray name = option.toLatin1();
    chooseInstall(user, option.isEmpty() ? nullptr : name.constData());
    cancelDataDialog(user);

    QVERIFY(!RunStartUp(nullptr));

    QCOMPARE(user.windows, QStringList({"frmInst", "frmDataO"}));
    QCOMPARE(user.notices, QStringList{kNoDatabase});
    QVERIFY(profile.StoredSetting(QStringLiteral("OnLoad/DBFileSet")).isEmpty());
    QVERIFY(!AppDatabase().IsOpen());
}

void tst_StartUp::networkInstallConnectsExistingFile()
{
    ShellProfile profile;
    const QString path = profile.Root() + QStringLiteral("/share/BREVOXAL.MDB");
    makeDatabase(path);
    UserScript user;
    chooseInstall(user, "optNetwork");
    connectExisting(user, path);

    QVERIFY(RunStartUp(nullptr));

    QCOMPARE(user.windows, QStringList({"frmInst", "frmDataO", "frmFindD"}));
    QVERIFY(user.unexpected.isEmpty());
    QVERIFY(user.notices.isEmpty());
    QCOMPARE(CurrentDbPath(), path);
    QCOMPARE(count(AppDatabase(), QStringLiteral("Patients")), 1);
    QCOMPARE(SettingsStore::GetSetting(QStringLiteral("database"), QStringLiteral("filename")), path);
}

void tst_StartUp::rememberedFileMissingAsksAgainThenEnds()
{
    ShellProfile profile;
    const QString path = profile.Root() + QStringLiteral("/gone/brevoxal.mdb");
    rememberPath(path);
    UserScript user;
    user.Answer(false);
    user.Answer(true);
    cancelDataDialog(user);

    QVERIFY(!RunStartUp(nullptr));

    QCOMPARE(user.questions, QStringList({notFound(path), notFound(path)}));
    QCOMPARE(user.windows, QStringList{"frmDataO"});
    QCOMPARE(user.notices, QStringList{kNoDatabase});
    QVERIFY(!QFileInfo::exists(path));
}

void tst_StartUp::rememberedFileMissingCreatesNewWithoutWelcome()
{
    ShellProfile profile;
    rememberPath(profile.Root() + QStringLiteral("/gone/brevoxal.mdb"));
    const QString folder = profile.Root() + QStringLiteral("/new place");
    QDir().mkpath(folder);
    UserScript user;
    user.Answer(true);
    createNew(user, folder);
    user.Answer(false);

    QVERIFY(RunStartUp(nullptr));

    const QString path = folder + QStringLiteral("/brevoxal.mdb");
    QCOMPARE(user.windows, QStringList({"frmDataO", "frmFindD"}));
    QCOMPARE(user.questions.last(), kCompanyQuestion);
    QVERIFY(user.unexpected.isEmpty());
    QCOMPARE(CurrentDbPath(), path);
    QCOMPARE(count(AppDatabase(), QStringLiteral("HealthFactors")), 4);
    QCOMPARE(profile.StoredSetting(QStringLiteral("Database/FileName")), path);
}

void tst_StartUp::secondInstanceRefused()
{
    ShellProfile profile;
    makeDatabase(profile.LocalDatabasePath());
    rememberPath(profile.LocalDatabasePath());
    QLockFile running(profile.RuntimeFolder() + QStringLiteral("/velmora.lock"));
    running.setStaleLockTime(0);
    QVERIFY(running.tryLock());
    UserScript user;

    QVERIFY(!RunStartUp(nullptr));

    QCOMPARE(user.notices,
             QStringList{QStringLiteral("You already have an instance of 'Velmora' running.")});
    QVERIFY(user.windows.isEmpty());
    QVERIFY(!AppDatabase().IsOpen());
}

void tst_StartUp::staleLockTakenOver()
{
    ShellProfile profile;
    makeDatabase(profile.LocalDatabasePath());
    rememberPath(profile.LocalDatabasePath());
    QProcess ended;
    ended.start(QStringLiteral("sleep"), {QStringLiteral("30")});
    QVERIFY(ended.waitForStarted());
    const qint64 pid = ended.processId();
    ended.kill();
    QVERIFY(ended.waitForFinished());
    writeFile(profile.RuntimeFolder() + QStringLiteral("/velmora.lock"),
              QByteArray::number(pid) + "\nvelmora\n" + QSysInfo::machineHostName().toUtf8() + '\n');
    UserScript user;

    QVERIFY(RunStartUp(nullptr));

    // A normal start: no window, no question, the remembered file open.
    QVERIFY(user.notices.isEmpty());
    QVERIFY(user.windows.isEmpty());
    QVERIFY(user.questions.isEmpty());
    QCOMPARE(CurrentDbPath(), profile.LocalDatabasePath());
}

void tst_StartUp::changeLocationCancelledKeepsDatabase()
{
    ShellProfile profile;
    makeDatabase(profile.LocalDatabasePath());
    rememberPath(profile.LocalDatabasePath());
    QVERIFY(RunStartUp(nullptr));
    UserScript user;
    cancelDataDialog(user);

    QVERIFY(!ChangeDatabaseLocation(nullptr));

    QCOMPARE(user.notices, QStringList{kNoDatabase});
    QCOMPARE(CurrentDbPath(), profile.LocalDatabasePath());
    QCOMPARE(AppDatabase().Name(), profile.LocalDatabasePath());
    QCOMPARE(count(AppDatabase(), QStringLiteral("Patients")), 1);
    QCOMPARE(profile.StoredSetting(QStringLiteral("Database/FileName")), profile.LocalDatabasePath());
}

void tst_StartUp::changeLocationToExistingAndNew()
{
    ShellProfile profile;
    makeDatabase(profile.LocalDatabasePath());
    rememberPath(profile.LocalDatabasePath());
    QVERIFY(RunStartUp(nullptr));
    const QString other = profile.Root() + QStringLiteral("/Other/Brevoxal.mdb");
    makeDatabase(other);
    {
        UserScript user;
        connectExisting(user, other);
        QVERIFY(ChangeDatabaseLocation(nullptr));
        QVERIFY(user.unexpected.isEmpty());
    }
    QCOMPARE(CurrentDbPath(), other);
    QCOMPARE(AppDatabase().Name(), other);
    QCOMPARE(profile.StoredSetting(QStringLiteral("Database/FileName")), other);

    // A new database from the menu: neither the welcome nor the company question.
    const QString folder = profile.Root() + QStringLiteral("/Fresh");
    QDir().mkpath(folder);
    UserScript user;
    createNew(user, folder);
    QVERIFY(ChangeDatabaseLocation(nullptr));
    QCOMPARE(user.windows, QStringList({"frmDataO", "frmFindD"}));
    QVERIFY(user.questions.isEmpty());
    QVERIFY(user.unexpected.isEmpty());
    QCOMPARE(CurrentDbPath(), folder + QStringLiteral("/brevoxal.mdb"));
    QCOMPARE(count(AppDatabase(), QStringLiteral("Patients")), 0);
    QCOMPARE(count(AppDatabase(), QStringLiteral("Company")), 1);
}

void tst_StartUp::changeLocationRefusesForeignFile()
{
    ShellProfile profile;
    makeDatabase(profile.LocalDatabasePath());
    rememberPath(profile.LocalDatabasePath());
    QVERIFY(RunStartUp(nullptr));
    const QString foreign = profile.Root() + QStringLiteral("/x/brevoxal.mdb");
    writeFile(foreign, "not a database");
    UserScript user;
    connectExisting(user, foreign);
    cancelDataDialog(user);

    QVERIFY(!ChangeDatabaseLocation(nullptr));

    QCOMPARE(user.notices.size(), 2);
    QVERIFY(user.notices.first().contains(QStringLiteral("is not a Velmora database")));
    QCOMPARE(AppDatabase().Name(), profile.LocalDatabasePath());
    QCOMPARE(CurrentDbPath(), profile.LocalDatabasePath());
    QCOMPARE(profile.StoredSetting(QStringLiteral("Database/FileName")), profile.LocalDatabasePath());
    QCOMPARE(readFile(foreign), QByteArray("not a database"));
}

void tst_StartUp::dataDialogButtonsFollowOptions()
{
    ShellProfile profile;
    frmDataO dialog;
    dialog.Init(QString());
    dialog.show();
    auto button = [&](const char* name) {
        return dialog.findChild<QAbstractButton*>(QString::fromLatin1(name));
    };
    QVERIFY(!button("cmdOK")->isEnabled());
    QVERIFY(button("cmdBrowseEX")->isEnabled());
    QVERIFY(!button("cmdBrowseNew")->isEnabled());
    QVERIFY(button("optExist")->isChecked());

    ChooseOption(dialog, "optNew");
    QVERIFY(dialog.CreateNew());
    QVERIFY(!button("cmdBrowseEX")->isEnabled());
    QVERIFY(button("cmdBrowseNew")->isEnabled());
    ChooseOption(dialog, "optExist");
    QVERIFY(!dialog.CreateNew());

    // Cancel keeps the initial path as the result and leaves "new" unset.
    frmDataO withPath;
    withPath.Init(QStringLiteral("/srv/brevoxal.mdb"));
    withPath.show();
    QVERIFY(withPath.findChild<QAbstractButton*>(QStringLiteral("cmdOK"))->isEnabled());
    ChooseOption(withPath, "optNew");
    ClickButton(withPath, "cmdCancel");
    QVERIFY(!withPath.CreateNew());
    QCOMPARE(withPath.DataFilePath(), QStringLiteral("/srv/brevoxal.mdb"));
}

void tst_StartUp::dataDialogExistingFileRules()
{
    ShellProfile profile;
    const QString folder = profile.Root() + QStringLiteral("/files");
    makeDatabase(folder + QStringLiteral("/brevoxal.mdb"));
    makeDatabase(folder + QStringLiteral("/other.mdb"));
    UserScript user;
    frmDataO dialog;
    dialog.Init(QString());
    dialog.show();
    auto* ok = dialog.findChild<QAbstractButton*>(QStringLiteral("cmdOK"));
    auto* path = dialog.findChild<QLabel*>(QStringLiteral("lblDataPath"));
    auto browse = [&] {
        ClickButton(dialog, "cmdBrowseEX");
    };

    // OK without a file stays open with its notice; then a file of another name is refused.
    user.OnWindow(QStringLiteral("frmFindD"), [&](QDialog& w) {
        static_cast<frmFindD&>(w).SetFolder(folder);
        ClickButton(w, "cmdOK");
        QVERIFY(w.isVisible());
        selectFile(w, QStringLiteral("other.mdb"));
        ClickButton(w, "cmdOK");
    });
    browse();
    QCOMPARE(user.notices, QStringList({"You have not selected a file yet", "Not a valid Database File"}));
    QVERIFY(!ok->isEnabled());
    QVERIFY(path->text().isEmpty());
    QVERIFY(dialog.DataFilePath().isEmpty());

    // Cancelling the search with nothing valid held before is refused too.
    user.OnWindow(QStringLiteral("frmFindD"), [](QDialog& w) { ClickButton(w, "cmdCancel"); });
    browse();
    QCOMPARE(user.notices.last(), QStringLiteral("Not a valid Database File"));

    // The right name is accepted; a later cancelled search keeps it.
    user.OnWindow(QStringLiteral("frmFindD"), [&](QDialog& w) {
        static_cast<frmFindD&>(w).SetFolder(folder);
        selectFile(w, QStringLiteral("brevoxal.mdb"));
        ClickButton(w, "cmdOK");
    });
    user.OnWindow(QStringLiteral("frmFindD"), [](QDialog& w) { ClickButton(w, "cmdCancel"); });
    browse();
    QVERIFY(ok->isEnabled());
    browse();
    QCOMPARE(user.notices.size(), 3);
    QVERIFY(ok->isEnabled());
    QCOMPARE(dialog.DataFilePath(), folder + QStringLiteral("/brevoxal.mdb"));
    QCOMPARE(path->text(), QDir::toNativeSeparators(dialog.DataFilePath()));
    QVERIFY(user.unexpected.isEmpty());
}

void tst_StartUp::dataDialogCancelledNewBrowseKeepsPath()
{
    ShellProfile profile;
    UserScript user;
    user.OnWindow(QStringLiteral("frmFindD"), [](QDialog& w) { ClickButton(w, "cmdCancel"); });
    frmDataO dialog;
    dialog.Init(QStringLiteral("/srv/brevoxal.mdb"));
    dialog.show();
    ChooseOption(dialog, "optNew");
    ClickButton(dialog, "cmdBrowseNew");
    QCOMPARE(dialog.DataFilePath(), QStringLiteral("/srv/brevoxal.mdb"));
}

void tst_StartUp::findWindowListsFoldersAndDatabaseFiles()
{
    ShellProfile profile;
    const QString home = QDir::homePath();
    QDir(home).mkpath(QStringLiteral("Practice/Archive"));
    writeFile(home + QStringLiteral("/Practice/BREVOXAL.MDB"), "x");
    writeFile(home + QStringLiteral("/Practice/notes.txt"), "x");
    frmFindD find;
    find.Init(QStringLiteral("Exist"));
    find.show();
    QCOMPARE(find.Folder(), home);

    auto* drives = find.findChild<QComboBox*>(QStringLiteral("DriveDBLoc"));
    QVERIFY(drives->count() >= 1);
    QCOMPARE(drives->itemData(0).toString(), QStringLiteral("/"));

    auto* folders = find.findChild<QListWidget*>(QStringLiteral("DirDBLoc"));
    const auto practice = folders->findItems(QStringLiteral("Practice"), Qt::MatchExactly);
    QCOMPARE(practice.size(), 1);
    folders->setCurrentItem(practice.first());
    QTest::keyClick(folders, Qt::Key_Return);
    QCOMPARE(find.Folder(), home + QStringLiteral("/Practice"));
    auto* files = find.findChild<QListWidget*>(QStringLiteral("FileDB"));
    QCOMPARE(files->count(), 1);
    QCOMPARE(files->item(0)->text(), QStringLiteral("BREVOXAL.MDB"));
    QCOMPARE(folders->item(0)->text(), QStringLiteral(".."));
    QCOMPARE(folders->item(1)->text(), QStringLiteral("Archive"));

    drives->setCurrentIndex(-1);
    drives->setCurrentIndex(0);
    QCOMPARE(find.Folder(), QStringLiteral("/"));
}

void tst_StartUp::volumesAlwaysOfferRootAndHome_data()
{
    QTest::addColumn<bool>("rootReported");
    QTest::addColumn<QString>("homeRoot");
    QTest::addColumn<QStringList>("offered");
    QTest::newRow("none reported") << false << "/" << QStringList{"/"};
    QTest::newRow("home volume not reported") << false << "/home" << QStringList{"/", "/home"};
    QTest::newRow("root reported, listed once") << true << "/" << QStringList{"/"};
}

void tst_StartUp::volumesAlwaysOfferRootAndHome()
{
    QFETCH(bool, rootReported);
    QFETCH(QString, homeRoot);
    QFETCH(QStringList, offered);
    QList<QStorageInfo> mounted;
    if (rootReported)
        mounted.append(QStorageInfo(QStringLiteral("/")));
    QStringList roots;
    for (const Volume& volume : ListVolumes(mounted, homeRoot))
        roots.append(volume.rootPath);
    QCOMPARE(roots, offered);
}

QTEST_MAIN(tst_StartUp)
#include "tst_StartUp.moc"
