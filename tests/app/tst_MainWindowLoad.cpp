#include "MainWindowFixture.h"
#include "SettingsStore.h"
#include "ShellProfile.h"
#include "Twips.h"
#include "UserScript.h"
#include "frmMain.h"

#include <QLabel>
#include <QTableView>
#include <QTest>

using namespace MainWindowFixture;

// The main window's load on a remembered database: start-up, title, Patient view and the
// stored size. One load per process: the single-instance lock stays held.
class tst_MainWindowLoad : public QObject {
    Q_OBJECT

private slots:
    void loadShowsPatientsAtStoredSize();
};

void tst_MainWindowLoad::loadShowsPatientsAtStoredSize()
{
    ShellProfile profile;
    UserScript user;
    CreateAppDatabase(profile);
    Exec("INSERT INTO Patients (ptid, lname, fname) VALUES (4, 'Novak', 'Ivo')");
    SetAppDatabase(Database());
    SettingsStore::SaveSetting("OnLoad", "DBFileSet", "Yes");
    SettingsStore::SaveSetting("Database", "FileName", DatabasePath(profile));
    SettingsStore::SaveSetting("MainWindow", "Height", " 7200");
    // Not a 16-bit whole number: ignored, the window keeps its width.
    SettingsStore::SaveSetting("MainWindow", "Width", " 99999");

    frmMain window;
    QCOMPARE(window.windowTitle(), QString("Velmora 1.0"));
    const int width = window.width();
    QVERIFY(window.Load());
    QCOMPARE(window.windowTitle(), "Velmora 1.0 - " + DatabasePath(profile).toLower());
    QVERIFY(window.windowTitle().contains("/practice data/"));
    QCOMPARE(window.CurrentView(), QString("Patient"));
    const auto* grid = window.findChild<QTableView*>("gridEntries");
    QCOMPARE(grid->model()->rowCount(), 1);
    QCOMPARE(grid->model()->index(0, 1).data().toString(), QString("Novak"));
    QCOMPARE(window.height(), Twips::ToPixelsY(&window, 7200));
    QCOMPARE(window.width(), width);
    // Every resize is on disk at once: a size survives a program that is killed.
    window.show();
    window.resize(Twips::ToPixelsX(&window, 9900), window.height());
    QCOMPARE(profile.StoredSetting("MainWindow/Width"), QString(" 9900"));
    QCOMPARE(profile.StoredSetting("MainWindow/Height"), QString(" 7200"));
    QVERIFY2(user.unexpected.isEmpty(), qPrintable(user.unexpected.join('\n')));
    window.close();
    QVERIFY(!AppDatabase().IsOpen());
}

QTEST_MAIN(tst_MainWindowLoad)
#include "tst_MainWindowLoad.moc"
