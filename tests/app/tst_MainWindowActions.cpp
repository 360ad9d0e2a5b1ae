#include "ColumnButton.h"
#include "EditorWindow.h"
#include "InstalledEditors.h"
#include "MainToolBar.h"
#include "MainWindowFixture.h"
#include "PictureButton.h"
#include "SettingsStore.h"
#include "ShellProfile.h"
#include "StoredWindowSize.h"
#include "Twips.h"
#include "UserScript.h"
#include "frmFindD.h"
#include "frmMain.h"

#include <QDate>
#include <QStandardPaths>
#include <QDialog>
#include <QFileDialog>
#include <QLabel>
#include <QListWidget>
#include <QTimer>
#include <QLineEdit>
#include <QDir>
#include <QRadioButton>
#include <QMouseEvent>
#include <QMenu>
#include <QMenuBar>
#include <QTableView>
#include <QTest>

using namespace MainWindowFixture;

namespace {

// The pointer moving over a widget, as the window system delivers it.
void moveMouse(QWidget* widget, QPoint at)
{
    QMouseEvent move(QEvent::MouseMove, at, widget->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
}

// An editor window as the later ones are built: Init with or without an identifier.
class FakeEditor : public QDialog {
public:
    using QDialog::QDialog;
    void Init() { calls().append(QStringLiteral("new")); }
    void Init(qint32 id) { calls().append(QString::number(id)); }
    static QStringList& calls()
    {
        static QStringList list;
        return list;
    }
};

} // namespace

// What the user does from the main window: menus, toolbar, pop-up menu, double-clicks,
// deletions with their questions, and the end of the program.
class tst_MainWindowActions : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void menuBarCaptions();
    void popupItemsByView_data();
    void popupItemsByView();
    void deletePatientRemovesDependentRows();
    void deleteLinkedDoctorAsksToUnassign();
    void deleteUnlinkedRecordsAskPlainly_data();
    void deleteUnlinkedRecordsAskPlainly();
    void deleteLinkedHealthFactorCancelled();
    void editorOpenersShowTheEditedView();
    void modalEditorPassesTheIdentifier();
    void installedEditorsOpenFromTheMainWindow_data();
    void installedEditorsOpenFromTheMainWindow();
    void printItemsOfferTheirReport_data();
    void printItemsOfferTheirReport();
    void chartItemsOpenTheChartOptions_data();
    void chartItemsOpenTheChartOptions();
    void toolbarStatusFollowsPointer();
    void gridStatusByView();
    void databaseLocationCancelledAndChanged();
    void storedSizeReading();
    void exitStoresSizeAndClosesDatabase();
    void importedPatientIsListed();
    void backupOffersDatedNameAndWritesCopy();

private:
    QTableView* grid() const { return m_window->findChild<QTableView*>("gridEntries"); }
    QMenu* popup() const { return m_window->findChild<QMenu*>("fmnuItems"); }
    QStringList visiblePopupItems() const;
    void rightClickRow(int row);
    void deleteRow(int row);
    QStringList column(int index) const;

    std::unique_ptr<ShellProfile> m_profile;
    std::unique_ptr<UserScript> m_user;
    std::unique_ptr<frmMain> m_window;
};

void tst_MainWindowActions::init()
{
    m_profile = std::make_unique<ShellProfile>();
    m_user = std::make_unique<UserScript>();
    CreateAppDatabase(*m_profile);
    Exec("INSERT INTO Patients (ptid, lname, fname) VALUES (1, 'Okafor', 'Ada')");
    Exec("INSERT INTO Patients (ptid, lname, fname) VALUES (2, 'Brandt', 'Jonas')");
    Exec("INSERT INTO Doctors (doctorid, lname, fname) VALUES (5, 'House', 'Greg')");
    Exec("INSERT INTO Doctors (doctorid, lname, fname) VALUES (6, 'Quinn', 'Mae')");
    Exec("INSERT INTO PatientsDoctors (ptid, doctorid) VALUES (1, 5)");
    Exec("INSERT INTO PatientsDoctors (ptid, doctorid) VALUES (2, 5)");
    Exec("INSERT INTO Drugs (drugid, drugdesc) VALUES (1, 'Lipitor®')");
    Exec("INSERT INTO PatientFactors (ptid, condid) VALUES (1, 1)");
    Exec("INSERT INTO LabVisits (id, ptid, labdate) VALUES (1, 1, #01/02/2024#)");
    Exec("INSERT INTO Communications (id, ptid, calldate) VALUES (1, 1, #01/03/2024#)");
    Exec("INSERT INTO Schedule (ptid, drugid) VALUES (2, 1)");
    Exec("INSERT INTO PrintLog (ptid, calldate) VALUES (1, #01/04/2024#)");
    m_window = std::make_unique<frmMain>();
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    m_window->ShowView("Patient");
}

void tst_MainWindowActions::cleanup()
{
    QVERIFY2(m_user->unexpected.isEmpty(), qPrintable(m_user->unexpected.join('\n')));
    m_window.reset();
    m_user.reset();
    m_profile.reset();
    FakeEditor::calls().clear();
}

QStringList tst_MainWindowActions::column(int index) const
{
    QStringList cells;
    for (int row = 0; row < grid()->model()->rowCount(); ++row)
        cells.append(grid()->model()->index(row, index).data().toString());
    return cells;
}

QStringList tst_MainWindowActions::visiblePopupItems() const
{
    QStringList items;
    if (!popup()->isVisible())
        return items;
    for (const QAction* action : popup()->actions()) {
        if (action->isVisible())
            items.append(action->text());
    }
    return items;
}

void tst_MainWindowActions::rightClickRow(int row)
{
    const QRect cell = grid()->visualRect(grid()->model()->index(row, 1));
    QTest::mousePress(grid()->viewport(), Qt::RightButton, {}, cell.center());
    QTest::mouseRelease(grid()->viewport(), Qt::RightButton, {}, cell.center());
}

void tst_MainWindowActions::deleteRow(int row)
{
    rightClickRow(row);
    QVERIFY(popup()->isVisible());
    QAction* remove = popup()->findChild<QAction*>("fmnuDeleteOpt");
    popup()->hide();
    remove->trigger();
}

void tst_MainWindowActions::menuBarCaptions()
{
    const auto caption = [this](const char* name) {
        const QAction* action = m_window->findChild<QAction*>(name);
        if (!action) {
            const QMenu* menu = m_window->findChild<QMenu*>(name);
            return menu ? menu->title() : QString("missing");
        }
        return action->text();
    };
    const QList<QPair<const char*, QString>> expected = {
        {"mnuFile", "&File"}, {"mnuNew", "&New"}, {"mnuNewPatient", "&Patient"},
        {"mnuNewDoctor", "&Doctor"}, {"mnuNewDrug", "Dru&g"}, {"mnuNewHF", "&Health Factor"},
        {"mnuPrint", "&Print..."}, {"mnuToCall", "Patient 'To Call' List"},
        {"mnuReminderLetter", "Patient Reminder Letters"},
        {"mnuImportExport", "&Import/Export"}, {"mnuImport", "Import"}, {"mnuExport", "Export"},
        {"mnuExit", "E&xit"}, {"mnuMaintain", "&Maintain"}, {"mnuPatients", "&Patients"},
        {"mnuDoctors", "&Doctors"}, {"mnuHealthFactors", "Health &Factors"},
        {"mnuDrugs", "Dru&gs"}, {"mnuCompany", "Compan&y"}, {"mnuletter", "&Reminder letter"},
        {"mnuDatabaseLocation", "DataBase &Location"}, {"mnuChart", "Charts"},
        {"mnuChartPatientHistory", "Patient History"}, {"mnuHelp", "&Help"},
        {"mnuContents", "&Contents"}, {"mnuAbout", "&About"}};
    for (const auto& [name, text] : expected)
        QCOMPARE(caption(name), text);
    QStringList bar;
    for (const QAction* action : m_window->menuBar()->actions())
        bar.append(action->text());
    QCOMPARE(bar, QStringList({"&File", "&Maintain", "Charts", "&Help"}));
    // Windows that come later: present, not yet usable.
    for (const char* later : {"mnuNewPatient", "mnuPatients"})
        QVERIFY2(!m_window->findChild<QAction*>(later)->isEnabled(), later);
    for (const char* ready : {"mnuToCall", "mnuReminderLetter", "mnuImport", "mnuExport",
                              "mnuBackUp", "mnuCompany", "mnuletter", "mnuDatabaseLocation",
                              "mnuChartPatientHistory", "mnuContents", "mnuAbout", "mnuExit"})
        QVERIFY2(m_window->findChild<QAction*>(ready)->isEnabled(), ready);
    QCOMPARE(popup()->title(), QString("floatMenu"));
}

void tst_MainWindowActions::popupItemsByView_data()
{
    QTest::addColumn<QString>("view");
    QTest::addColumn<QStringList>("items");
    const QStringList entity = {"Add", "Edit", "Delete"};
    QTest::newRow("Patient") << "Patient"
                             << QStringList({"Add", "Edit", "Delete", "Print Detail", "View Chart(s)"});
    QTest::newRow("Doctor") << "Doctor" << entity;
    QTest::newRow("Drug") << "Drug" << entity;
    QTest::newRow("HealthFactor") << "HealthFactor" << entity;
    QTest::newRow("LabVisits") << "LabVisits" << QStringList();
    QTest::newRow("Communications") << "Communications" << QStringList();
}

void tst_MainWindowActions::popupItemsByView()
{
    QFETCH(QString, view);
    QFETCH(QStringList, items);
    m_window->ShowView(view);
    // After the Patient view, so that its extra items must be hidden again.
    rightClickRow(0);
    QCOMPARE(visiblePopupItems(), items);
    popup()->hide();
    QCOMPARE(grid()->currentIndex().row(), 0);
    // Below the last row there is no record: no menu.
    QTest::mousePress(grid()->viewport(), Qt::RightButton, {},
                      QPoint(10, grid()->viewport()->height() - 3));
    QVERIFY(!popup()->isVisible());
}

void tst_MainWindowActions::deletePatientRemovesDependentRows()
{
    QCOMPARE(column(1), QStringList({"Brandt", "Okafor"}));
    m_user->Answer(false);
    deleteRow(1);
    QCOMPARE(m_user->questions, QStringList({"Are you sure you want to delete Ada, Okafor ?"}));
    QCOMPARE(Count("SELECT count(*) FROM Patients"), 2);

    m_user->Answer(true);
    deleteRow(1);
    QCOMPARE(column(1), QStringList({"Brandt"}));
    for (const char* table : {"Communications", "LabVisits", "PatientFactors", "PatientsDoctors",
                              "PrintLog", "Schedule", "Patients"}) {
        QCOMPARE(Count(QStringLiteral("SELECT count(*) FROM %1 WHERE ptid = 1").arg(table)), 0);
    }
    QVERIFY(m_user->notices.isEmpty());
}

void tst_MainWindowActions::deleteLinkedDoctorAsksToUnassign()
{
    m_window->ShowView("Doctor");
    const QString question =
        "Doctor Greg, House is currently assigned to one or more patients.  Would you like to "
        "un-assign this doctor to all patients for whom this doctor is assigned?";
    m_user->Answer(false);
    deleteRow(0);
    QCOMPARE(m_user->questions, QStringList({question}));
    QCOMPARE(m_user->notices, QStringList({"Delete Cancelled"}));
    QCOMPARE(Count("SELECT count(*) FROM PatientsDoctors WHERE doctorid = 5"), 2);

    m_user->Answer(true);
    deleteRow(0);
    QCOMPARE(m_user->questions.size(), 2);
    QCOMPARE(Count("SELECT count(*) FROM PatientsDoctors WHERE doctorid = 5"), 0);
    QCOMPARE(Count("SELECT count(*) FROM Doctors WHERE doctorid = 5"), 0);
    QCOMPARE(m_window->CurrentView(), QString("Doctor"));
    QCOMPARE(column(1), QStringList({"Quinn"}));
}

void tst_MainWindowActions::deleteUnlinkedRecordsAskPlainly_data()
{
    QTest::addColumn<QString>("view");
    QTest::addColumn<QString>("question");
    QTest::addColumn<QString>("remaining");
    QTest::newRow("doctor") << "Doctor" << "Are you Sure you want to delete Mae, Quinn ?"
                            << "SELECT count(*) FROM Doctors WHERE doctorid = 6";
    QTest::newRow("health factor") << "HealthFactor"
                                   << "Are you Sure you want to delete %1 ?"
                                   << "SELECT count(*) FROM HealthFactors WHERE condid = 2";
}

void tst_MainWindowActions::deleteUnlinkedRecordsAskPlainly()
{
    QFETCH(QString, view);
    QFETCH(QString, question);
    QFETCH(QString, remaining);
    m_window->ShowView(view);
    const int row = 1;
    if (question.contains("%1"))
        question = question.arg(grid()->model()->index(row, 1).data().toString());
    const int rows = grid()->model()->rowCount();
    m_user->Answer(false);
    deleteRow(row);
    QCOMPARE(m_user->questions, QStringList({question}));
    QVERIFY(m_user->notices.isEmpty());
    QCOMPARE(Count(remaining), 1);
    m_user->Answer(true);
    deleteRow(row);
    QCOMPARE(Count(remaining), 0);
    QCOMPARE(grid()->model()->rowCount(), rows - 1);
}

void tst_MainWindowActions::deleteLinkedHealthFactorCancelled()
{
    Exec("INSERT INTO Drugs (drugid, drugdesc) VALUES (2, 'Zocor®')");
    m_window->ShowView("Drug");
    m_user->Answer(false);
    deleteRow(0);
    m_user->Answer(true);
    deleteRow(1);
    QCOMPARE(m_user->questions,
             QStringList({"Drug 'Lipitor®' is currently assigned to one or more patients.  Would "
                          "you like to un-assign this drug to all patients for whom this drug is "
                          "assigned?",
                          "Are you Sure you want to delete Zocor® ?"}));
    QCOMPARE(m_user->notices, QStringList({"Delete Cancelled"}));
    QCOMPARE(column(1), QStringList({"Lipitor®"}));

    m_window->ShowView("HealthFactor");
    m_user->Answer(false);
    deleteRow(0);
    QCOMPARE(m_user->questions.last(),
             QString("Health Factor '%1' is currently assigned to one or more patients.  Would "
                     "you like to un-assign this health factor to all patients for whom this "
                     "health factor is assigned?")
                 .arg(grid()->model()->index(0, 1).data().toString()));
    QCOMPARE(m_user->notices.size(), 2);
    QCOMPARE(Count("SELECT count(*) FROM PatientFactors WHERE condid = 1"), 1);
}

void tst_MainWindowActions::editorOpenersShowTheEditedView()
{
    QList<std::optional<qint32>> opened;
    QStringList viewsWhileOpen;
    const auto editor = [&](QWidget* parent, std::optional<qint32> id) {
        QCOMPARE(parent, m_window.get());
        opened.append(id);
        viewsWhileOpen.append(m_window->CurrentView());
    };
    m_window->SetEditor("Doctor", editor);
    m_window->SetEditor("Patient", editor);
    QVERIFY(m_window->findChild<QAction*>("mnuNewDoctor")->isEnabled());

    m_window->findChild<QAction*>("mnuNewDoctor")->trigger();
    QCOMPARE(opened.last(), std::nullopt);
    QCOMPARE(m_window->CurrentView(), QString("Doctor"));
    QCOMPARE(column(1), QStringList({"House", "Quinn"}));
    rightClickRow(0);
    QCOMPARE(visiblePopupItems(), QStringList({"Add", "Edit", "Delete"}));
    popup()->hide();

    m_window->findChild<QAction*>("mnuPatients")->trigger();
    QCOMPARE(opened.last(), std::optional<qint32>(0));
    QCOMPARE(m_window->CurrentView(), QString("Patient"));

    // Double-click on Okafor's row: the editor gets the row's identifier.
    const QRect cell = grid()->visualRect(grid()->model()->index(1, 1));
    QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(grid()->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseRelease(grid()->viewport(), Qt::LeftButton, {}, cell.center());
    QCOMPARE(opened.last(), std::optional<qint32>(1));

    rightClickRow(0);
    popup()->hide();
    popup()->findChild<QAction*>("fmnuEditOpt")->trigger();
    QCOMPARE(opened.last(), std::optional<qint32>(2));
    popup()->findChild<QAction*>("fmnuAddOpt")->trigger();
    QCOMPARE(opened.last(), std::nullopt);

    // Double-click on a picture adds a record of that kind.
    m_window->ShowView("LabVisits");
    QTest::mouseDClick(m_window->findChild<PictureButton*>("picDoctors"), Qt::LeftButton);
    QCOMPARE(opened.size(), 6);
    QCOMPARE(opened.last(), std::nullopt);
    QCOMPARE(m_window->CurrentView(), QString("Doctor"));
    // A kind without an editor opens nothing, and the view stays.
    QTest::mouseDClick(m_window->findChild<PictureButton*>("picDrugs"), Qt::LeftButton);
    QCOMPARE(opened.size(), 6);
    QCOMPARE(viewsWhileOpen.first(), QString("Patient"));
}

void tst_MainWindowActions::installedEditorsOpenFromTheMainWindow_data()
{
    QTest::addColumn<QString>("view");
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("nameBox");
    QTest::addColumn<QString>("newAction");
    QTest::addColumn<int>("row");
    QTest::addColumn<QStringList>("shown");
    QTest::newRow("patient") << "Patient" << "frmPatient" << "txtLName" << "mnuNewPatient" << 1
                             << QStringList({"1|Okafor", "3|"});
    QTest::newRow("doctor") << "Doctor" << "frmDoctors" << "txtLName" << "mnuNewDoctor" << 1
                            << QStringList({"6|Quinn", "7|"});
    QTest::newRow("drug") << "Drug" << "frmDrugs" << "txtDesc" << "mnuNewDrug" << 0
                          << QStringList({"1|Lipitor®", "2|"});
    QTest::newRow("health factor") << "HealthFactor" << "frmHF" << "txtDesc" << "mnuNewHF" << 1
                                   << QStringList({"2|Family History", "5|"});
}

// A double-click on a row edits that record; the menu's New starts a new one.
void tst_MainWindowActions::installedEditorsOpenFromTheMainWindow()
{
    QFETCH(QString, view);
    QFETCH(QString, window);
    QFETCH(QString, nameBox);
    QFETCH(QString, newAction);
    QFETCH(int, row);
    QFETCH(QStringList, shown);
    InstallEditors(*m_window);
    m_window->ShowView(view);
    QStringList seen;
    const auto record = [&](QDialog& editor) {
        seen.append(editor.findChild<QLabel*>("lblID")->text() + u'|' +
                    editor.findChild<QLineEdit*>(nameBox)->text());
        editor.reject();
    };
    m_user->OnWindow(window, record);
    m_user->OnWindow(window, record);

    const QRect cell = grid()->visualRect(grid()->model()->index(row, 1));
    QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(grid()->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseRelease(grid()->viewport(), Qt::LeftButton, {}, cell.center());
    QVERIFY(m_window->findChild<QAction*>(newAction)->isEnabled());
    m_window->findChild<QAction*>(newAction)->trigger();

    QCOMPARE(seen, shown);
    QCOMPARE(m_user->unexpected, QStringList());
    QCOMPARE(m_window->CurrentView(), view);
}

void tst_MainWindowActions::modalEditorPassesTheIdentifier()
{
    m_user->OnWindow("", [](QDialog& window) { window.reject(); });
    m_user->OnWindow("", [](QDialog& window) { window.reject(); });
    const EditorWindow open = ModalEditor<FakeEditor>();
    open(m_window.get(), std::nullopt);
    open(m_window.get(), 7);
    QCOMPARE(FakeEditor::calls(), QStringList({"new", "7"}));
    QCOMPARE(m_user->windows.size(), 2);
}

void tst_MainWindowActions::printItemsOfferTheirReport_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("report");
    QTest::newRow("File > Print > call list") << "mnuToCall" << "call-list";
    QTest::newRow("call list button") << "tbCallList" << "call-list";
    QTest::newRow("File > Print > letters") << "mnuReminderLetter" << "letters";
    QTest::newRow("letters button") << "tbLetters" << "letters";
    QTest::newRow("pop-up Print Detail") << "fmnuPrintDetail" << "patient-detail";
}

// Each print item lets the user choose a printer; on the PDF file destination the offered file
// is named after its report.
void tst_MainWindowActions::printItemsOfferTheirReport()
{
    QFETCH(QString, item);
    QFETCH(QString, report);
    Exec("UPDATE Patients SET calldate = #1/2/2020# WHERE ptid = 2");
    if (report == u"letters")
        m_user->Answer(true);
    QStringList seen;
    QTimer poll;
    connect(&poll, &QTimer::timeout, [&seen] {
        QWidget* window = QApplication::activeModalWidget();
        if (!window || (!seen.isEmpty() && seen.last() == window->objectName()))
            return;
        seen.append(window->objectName());
        if (auto* files = qobject_cast<QFileDialog*>(window)) {
            seen.append(QFileInfo(files->selectedFiles().value(0)).fileName());
            files->reject();
            return;
        }
        auto* printers = window->findChild<QListWidget*>("lstPrinters");
        printers->setCurrentItem(printers->findItems("PDF file", Qt::MatchExactly).value(0));
        ClickButton(*static_cast<QDialog*>(window), "cmdOK");
    });
    poll.start(20);
    if (item == u"fmnuPrintDetail") {
        rightClickRow(0);
        popup()->hide();
    }
    m_window->findChild<QAction*>(item)->trigger();
    const QString file = report + QDate::currentDate().toString(u"-yyyy-MM-dd") + ".pdf";
    QCOMPARE(seen, QStringList({"frmPrint", "dlgSavePdf", file}));
}

void tst_MainWindowActions::chartItemsOpenTheChartOptions_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<bool>("withPatient");
    QTest::newRow("Charts > Patient History") << "mnuChartPatientHistory" << false;
    QTest::newRow("pop-up View Chart(s)") << "fmnuChart" << true;
}

// The chart options open empty from the menu and with the selected patient from the pop-up.
void tst_MainWindowActions::chartItemsOpenTheChartOptions()
{
    QFETCH(QString, item);
    QFETCH(bool, withPatient);
    QString id;
    QString lastName;
    m_user->OnWindow("frmChartSetup", [&](QDialog& window) {
        id = window.findChild<QLabel*>("lblID")->text();
        lastName = window.findChild<QLabel*>("lblLName")->text();
        window.reject();
    });
    if (withPatient) {
        rightClickRow(0);
        popup()->hide();
    }
    m_window->findChild<QAction*>(item)->trigger();
    QCOMPARE(m_user->windows, QStringList({"frmChartSetup"}));
    QCOMPARE(id.isEmpty(), !withPatient);
    if (withPatient) {
        auto patient = AppDatabase().OpenRecordset("SELECT lname FROM Patients WHERE ptid = " + id);
        QCOMPARE(lastName, patient->Fields()[0].Value().toString());
    }
}

void tst_MainWindowActions::toolbarStatusFollowsPointer()
{
    auto* toolBar = m_window->findChild<MainToolBar*>("tbMain");
    QWidget* first = toolBar->widgetForAction(toolBar->NewRecordAction());
    const auto at = [&](int twips) {
        return toolBar->StatusAt(first->x() + Twips::ToPixelsX(toolBar, twips));
    };
    QCOMPARE(at(100), QString("Create new patient record"));
    QCOMPARE(at(400), QString("Print list of patients to be contacted"));
    QCOMPARE(at(800), QString("Print patient notification letter(s)"));
    QCOMPARE(at(1200), QString());
    m_window->ShowView("HealthFactor");
    QCOMPARE(at(100), QString("Create new health factor record"));
    m_window->ShowView("Communications");
    QCOMPARE(at(100), QString());
    // The buttons are the 360-twip bands the texts describe; a disabled one has its text too.
    QCOMPARE(first->width(), Twips::ToPixelsX(toolBar, 360));
    m_window->ShowView("Drug");
    QVERIFY(!first->isEnabled());
    moveMouse(first, QPoint(4, 4));
    QCOMPARE(m_window->StatusText(), QString("Create new drug record"));
    moveMouse(toolBar->widgetForAction(toolBar->CallListAction()), QPoint(4, 4));
    QCOMPARE(m_window->StatusText(), QString("Print list of patients to be contacted"));
    m_window->ShowView("LabVisits");
    moveMouse(first, QPoint(4, 4));
    QCOMPARE(m_window->StatusText(), QString());
}

void tst_MainWindowActions::gridStatusByView()
{
    moveMouse(grid()->viewport(), QPoint(20, 5));
    QCOMPARE(m_window->StatusText(), QString("Right-Click for Menu of Options"));
    moveMouse(m_window->centralWidget(), QPoint(2, 2));
    QCOMPARE(m_window->StatusText(), QString());
    m_window->ShowView("Communications");
    moveMouse(grid()->viewport(), QPoint(20, 5));
    QCOMPARE(m_window->StatusText(), QString());
}

void tst_MainWindowActions::databaseLocationCancelledAndChanged()
{
    m_window->setWindowTitle("Velmora 1.0 - before");
    m_window->ShowView("Doctor");
    m_user->OnWindow("frmDataO", [](QDialog& window) { ClickButton(window, "cmdCancel"); });
    m_window->findChild<QAction*>("mnuDatabaseLocation")->trigger();
    QCOMPARE(m_window->windowTitle(), QString("Velmora 1.0 - before"));
    QCOMPARE(m_window->CurrentView(), QString("Doctor"));
    QCOMPARE(column(1), QStringList({"House", "Quinn"}));

    const QString folder = m_profile->Root() + "/Other Practice";
    QVERIFY(QDir().mkpath(folder));
    m_user->OnWindow("frmDataO", [](QDialog& window) {
        window.findChild<QRadioButton*>("optNew")->click();
        ClickButton(window, "cmdBrowseNew");
        ClickButton(window, "cmdOK");
    });
    m_user->OnWindow("frmFindD", [folder](QDialog& window) {
        static_cast<frmFindD&>(window).SetFolder(folder);
        ClickButton(window, "cmdOK");
    });
    m_window->findChild<QAction*>("mnuDatabaseLocation")->trigger();
    QCOMPARE(m_window->windowTitle(), "Velmora 1.0 - " + (folder + "/brevoxal.mdb").toLower());
    QCOMPARE(m_window->CurrentView(), QString("Patient"));
    QCOMPARE(grid()->model()->rowCount(), 0);
    m_user->notices.removeAll("No DataBase has been selected/created");
    QVERIFY2(m_user->notices.isEmpty(), qPrintable(m_user->notices.join('\n')));
}

void tst_MainWindowActions::storedSizeReading()
{
    const auto stored = [](const QString& text) {
        SettingsStore::SaveSetting("MainWindow", "Height", text);
        return StoredWindowSize::Read("height");
    };
    QCOMPARE(stored(" 7200"), std::optional<int>(7200));
    QCOMPARE(stored("32767"), std::optional<int>(32767));
    QCOMPARE(stored("No"), std::nullopt);
    QCOMPARE(stored("70000"), std::nullopt);
    QCOMPARE(stored("72.5"), std::nullopt);
    QCOMPARE(stored(""), std::nullopt);
}

void tst_MainWindowActions::exitStoresSizeAndClosesDatabase()
{
    m_window->resize(Twips::ToPixelsX(m_window.get(), 9000), Twips::ToPixelsY(m_window.get(), 7200));
    m_window->findChild<QAction*>("mnuExit")->trigger();
    QVERIFY(!m_window->isVisible());
    QVERIFY(!AppDatabase().IsOpen());
    QCOMPARE(m_profile->StoredSetting("MainWindow/Height"), QString(" 7200"));
    QCOMPARE(m_profile->StoredSetting("MainWindow/Width"), QString(" 9000"));
}


void tst_MainWindowActions::importedPatientIsListed()
{
    const QString path = m_profile->Root() + "/patients.txt";
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("Zuber\tEva\n");
    file.close();
    // The name typed into the open-file dialog.
    m_user->OnWindow("ImportFileDlg", [&](QDialog& dialog) {
        QTest::keyClicks(dialog.findChild<QLineEdit*>("fileNameEdit"), path);
        dialog.accept();
    });
    m_user->OnWindow("frmImportMap", [](QDialog& window) {
        auto* column = window.findChild<ColumnButton*>("Command1_1");
        emit column->fieldDropped(column, "lname");
        ClickButton(window, "cmdImport");
    });
    m_window->findChild<QAction*>("mnuImport")->trigger();
    QCOMPARE(m_user->notices, QStringList{"1 records successfully imported.\r\n"
                                          "0 records failed to be imported."});
    QCOMPARE(column(1), QStringList({"Brandt", "Okafor", "Zuber"}));
    QCOMPARE(m_user->unexpected, QStringList());
}

void tst_MainWindowActions::backupOffersDatedNameAndWritesCopy()
{
    const QString target = m_profile->Root() + "/copy of practice.mdb";
    QString offered;
    m_user->OnWindow("BackupFileDlg", [&](QDialog& dialog) {
        auto* name = dialog.findChild<QLineEdit*>("fileNameEdit");
        offered = static_cast<QFileDialog&>(dialog).directory().filePath(name->text());
        name->setText(target);
        dialog.accept();
    });
    m_window->findChild<QAction*>("mnuBackUp")->trigger();
    QCOMPARE(offered, QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) +
                          "/brevoxal-" + QDate::currentDate().toString(Qt::ISODate) + ".mdb");
    QCOMPARE(Database::Open(target).OpenRecordset("SELECT ptid FROM Patients")->RecordCount(),
             Count("SELECT count(*) FROM Patients"));
    QCOMPARE(m_user->notices, QStringList{"The database was backed up to '" + target + "'."});
    QCOMPARE(m_user->unexpected, QStringList());
}

QTEST_MAIN(tst_MainWindowActions)
#include "tst_MainWindowActions.moc"
