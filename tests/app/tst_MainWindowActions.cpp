#include "ColumnButton.h"
#include "InstalledEditors.h"
#include "ListWindowTestbed.h"
#include "MainToolBar.h"
#include "MainWindowFixture.h"
#include "PictureButton.h"
#include "frmFindD.h"

#include <QFileDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QRadioButton>

using namespace MainWindowFixture;

// The pointer moving over a widget, as the window system delivers it.
static void moveMouse(QWidget* widget, QPoint at = QPoint(4, 4))
{
    QMouseEvent move(QEvent::MouseMove, at, widget->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
}

// A menu's items in order, a submenu's indented under its title; "(off)" marks a disabled item.
static QStringList menuItems(const QList<QAction*>& actions, const QString& indent = QString())
{
    QStringList items;
    for (const QAction* action : actions) {
        if (!action->isSeparator())
            items.append(indent + action->text() + (action->isEnabled() ? "" : " (off)"));
        if (action->menu())
            items += menuItems(action->menu()->actions(), indent + "  ");
    }
    return items;
}

// What the user does from the main window: menus, toolbar, pop-up menu, double-clicks,
// deletions with their questions, and the end of the program.
class tst_MainWindowActions : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        m_profile = std::make_unique<ShellProfile>();
        m_user = std::make_unique<UserScript>();
        CreateAppDatabase(*m_profile);
        for (const char* sql :
             {"INSERT INTO Patients (ptid, lname, fname) VALUES (1, 'Okafor', 'Ada')",
              "INSERT INTO Patients (ptid, lname, fname) VALUES (2, 'Brandt', 'Jonas')",
              "INSERT INTO Doctors (doctorid, lname, fname) VALUES (5, 'House', 'Greg')",
              "INSERT INTO Doctors (doctorid, lname, fname) VALUES (6, 'Quinn', 'Mae')",
              "INSERT INTO PatientsDoctors (ptid, doctorid) VALUES (1, 5)",
              "INSERT INTO PatientsDoctors (ptid, doctorid) VALUES (2, 5)",
              "INSERT INTO Drugs (drugid, drugdesc) VALUES (1, 'Lipitor®')",
              "INSERT INTO PatientFactors (ptid, condid) VALUES (1, 1)",
              "INSERT INTO LabVisits (id, ptid, labdate) VALUES (1, 1, #01/02/2024#)",
              "INSERT INTO Communications (id, ptid, calldate) VALUES (1, 1, #01/03/2024#)",
              "INSERT INTO Schedule (ptid, drugid) VALUES (1, 1)",
              "INSERT INTO Schedule (ptid, drugid) VALUES (2, 1)",
              "INSERT INTO PrintLog (ptid, calldate) VALUES (1, #01/04/2024#)"})
            Exec(QString::fromUtf8(sql));
        m_window = std::make_unique<frmMain>();
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        m_window->ShowView("Patient");
    }

    void cleanup()
    {
        m_window.reset();
        m_user.reset();
        m_profile.reset();
    }

    // Windows that come later are present, not yet usable.
    void menuBarCaptions()
    {
        QCOMPARE(menuItems(m_window->menuBar()->actions()),
                 QStringList({"&File", "  &New", "    &Patient (off)", "    &Doctor (off)",
                              "    Dru&g (off)", "    &Health Factor (off)", "  &Print...",
                              "    Patient 'To Call' List", "    Patient Reminder Letters",
                              "  &Import/Export", "    Import", "    Export",
                              "  &Back Up Database...", "  &Copy this database to a server...",
                              "  E&xit", "&Maintain", "  &Patients (off)", "  &Doctors (off)",
                              "  Health &Factors (off)", "  Dru&gs (off)", "  Compan&y",
                              "  &Reminder letter", "  DataBase &Location", "Charts",
                              "  Patient History", "&Help", "  &Contents", "  &About"}));
        QCOMPARE(popup()->title(), QString("floatMenu"));
    }

    // A right-click on a row selects it and offers what can be done with it there; below the
    // last row there is no record and no menu. Patient's extra items are hidden again after.
    void popupItemsByView()
    {
        QStringList offered;
        for (const char* view :
             {"Patient", "Doctor", "Drug", "HealthFactor", "LabVisits", "Communications"}) {
            m_window->ShowView(view);
            rightClickRow(0);
            offered.append(view + QString(": ") + visiblePopupItems().join(", "));
            popup()->hide();
            QCOMPARE(grid()->currentIndex().row(), 0);
            QTest::mousePress(grid()->viewport(), Qt::RightButton, {},
                              QPoint(10, grid()->viewport()->height() - 3));
            QVERIFY(!popup()->isVisible());
        }
        QCOMPARE(offered, QStringList({"Patient: Add, Edit, Delete, Print Detail, View Chart(s)",
                                       "Doctor: Add, Edit, Delete", "Drug: Add, Edit, Delete",
                                       "HealthFactor: Add, Edit, Delete", "LabVisits: ",
                                       "Communications: "}));
    }

    void deletionAsksFirst_data()
    {
        QTest::addColumn<QString>("view");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("question");
        QTest::addColumn<QStringList>("namesLeft");
        QTest::addColumn<QString>("links");
        QTest::addColumn<int>("linksLeft");
        const QString doctor = "Doctor Greg, House is currently assigned to one or more patients.  "
                               "Would you like to un-assign this doctor to all patients for whom "
                               "this doctor is assigned?";
        const QString doctorLinks = "SELECT count(*) FROM PatientsDoctors WHERE doctorid = 5";
        const QString factorLinks = "SELECT count(*) FROM PatientFactors WHERE condid = 1";
        QTest::newRow("patient, with its rows")
            << "Patient" << 1 << "Are you sure you want to delete Ada, Okafor ?"
            << QStringList{"Brandt"} << "SELECT count(*) FROM LabVisits WHERE ptid = 1" << 0;
        QTest::newRow("linked doctor: un-assigned") << "Doctor" << 0 << doctor
                                                    << QStringList{"Quinn"} << doctorLinks << 0;
        QTest::newRow("doctor") << "Doctor" << 1 << "Are you Sure you want to delete Mae, Quinn ?"
                                << QStringList{"House"} << doctorLinks << 2;
        QTest::newRow("linked drug: un-assigned")
            << "Drug" << 0
            << "Drug 'Lipitor®' is currently assigned to one or more patients.  Would you like to "
               "un-assign this drug to all patients for whom this drug is assigned?"
            << QStringList() << "SELECT count(*) FROM Schedule WHERE drugid = 1" << 0;
        QTest::newRow("linked health factor: un-assigned")
            << "HealthFactor" << 0
            << "Health Factor 'Smoking' is currently assigned to one or more patients.  Would you "
               "like to un-assign this health factor to all patients for whom this health factor "
               "is assigned?"
            << QStringList{"Family History", "Overweight", "Sedintery lifestyle"}
            << factorLinks << 0;
        QTest::newRow("health factor")
            << "HealthFactor" << 1 << "Are you Sure you want to delete Family History ?"
            << QStringList{"Smoking", "Overweight", "Sedintery lifestyle"} << factorLinks << 1;
    }

    // Pop-up Delete asks first: No keeps everything (for a record still linked to patients it
    // is reported), Yes deletes, un-assigning a linked record from its patients. The view
    // shows what is left in the database.
    void deletionAsksFirst()
    {
        QFETCH(QString, view);
        QFETCH(int, row);
        QFETCH(QString, question);
        QFETCH(QString, links);
        m_window->ShowView(view);
        const QStringList names = Texts(*grid(), 1);
        const int linked = Count(links);
        const auto deleteRow = [&](bool yes) {
            m_user->Answer(yes);
            rightClickRow(row);
            QVERIFY(popup()->isVisible());
            popup()->hide();
            popup()->findChild<QAction*>("fmnuDeleteOpt")->trigger();
        };
        deleteRow(false);
        QCOMPARE(Texts(*grid(), 1), names);
        QCOMPARE(Count(links), linked);
        deleteRow(true);
        // A No on a record still linked is reported.
        const QStringList onNo = question.contains("currently assigned")
                                     ? QStringList{"Delete Cancelled"}
                                     : QStringList();
        QCOMPARE(m_user->seen, QStringList{"? " + question} + onNo + QStringList{"? " + question});
        QTEST(Texts(*grid(), 1), "namesLeft");
        QTEST(Count(links), "linksLeft");
        m_window->LoadView(view);
        QTEST(Texts(*grid(), 1), "namesLeft");
        QCOMPARE(m_window->CurrentView(), view);
    }

    // The menus, the pop-up and a double-click on a picture open the editor of the record
    // they name, then show the view of its kind; a kind without an editor opens nothing.
    void editorOpenersShowTheEditedView()
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
        m_window->findChild<QAction*>("mnuNewDoctor")->trigger();
        QCOMPARE(Texts(*grid(), 1), QStringList({"House", "Quinn"}));
        m_window->findChild<QAction*>("mnuPatients")->trigger();
        rightClickRow(0);
        popup()->hide();
        popup()->findChild<QAction*>("fmnuEditOpt")->trigger();
        popup()->findChild<QAction*>("fmnuAddOpt")->trigger();
        m_window->ShowView("LabVisits");
        QTest::mouseDClick(m_window->findChild<PictureButton*>("picDoctors"), Qt::LeftButton);
        QTest::mouseDClick(m_window->findChild<PictureButton*>("picDrugs"), Qt::LeftButton);
        const std::optional<qint32> none;
        QCOMPARE(opened, QList<std::optional<qint32>>({none, 0, 2, none, none}));
        QCOMPARE(viewsWhileOpen,
                 QStringList({"Patient", "Doctor", "Patient", "Patient", "LabVisits"}));
        QCOMPARE(m_window->CurrentView(), QString("Doctor"));
    }

    // A double-click on a row edits that record; the menu's New starts a new one. Shown: the
    // editor's ID and name.
    void installedEditorsOpenFromTheMainWindow()
    {
        InstallEditors(*m_window);
        QStringList shown;
        const QList<std::tuple<const char*, int, const char*, const char*, const char*>> kinds = {
            {"Patient", 1, "frmPatient", "txtLName", "mnuNewPatient"},
            {"Doctor", 1, "frmDoctors", "txtLName", "mnuNewDoctor"},
            {"Drug", 0, "frmDrugs", "txtDesc", "mnuNewDrug"},
            {"HealthFactor", 1, "frmHF", "txtDesc", "mnuNewHF"}};
        for (const auto& [view, row, window, nameBox, newAction] : kinds) {
            for (int i = 0; i < 2; ++i)
                m_user->OnWindow(window, [&, nameBox = nameBox](QDialog& editor) {
                    shown.append(editor.findChild<QLabel*>("lblID")->text() + u'|' +
                                 editor.findChild<QLineEdit*>(nameBox)->text());
                    editor.reject();
                });
            m_window->ShowView(view);
            DoubleClickRow(*grid(), row);
            m_window->findChild<QAction*>(newAction)->trigger();
            QCOMPARE(m_window->CurrentView(), QString(view));
        }
        QCOMPARE(shown, QStringList({"1|Okafor", "3|", "6|Quinn", "7|", "1|Lipitor®", "2|",
                                     "2|Family History", "5|"}));
    }

    // Each print item lets the user choose a printer; on the PDF file destination the offered file
    // is named after its report.
    void printItemsOfferTheirReport()
    {
        Exec("UPDATE Patients SET calldate = #1/2/2020# WHERE ptid = 2");
        QStringList seen;
        QTimer poll;
        connect(&poll, &QTimer::timeout, [&seen] {
            QWidget* window = QApplication::activeModalWidget();
            if (!window || (!seen.isEmpty() && seen.last() == window->objectName()))
                return;
            seen.append(window->objectName());
            if (auto* files = qobject_cast<QFileDialog*>(window)) {
                seen.append(QFileInfo(files->selectedFiles().value(0)).fileName());
                return files->reject();
            }
            auto* printers = window->findChild<QListWidget*>("lstPrinters");
            printers->setCurrentItem(printers->findItems("PDF file", Qt::MatchExactly).value(0));
            ClickButton(*static_cast<QDialog*>(window), "cmdOK");
        });
        poll.start(20);
        rightClickRow(0);
        popup()->hide();
        QStringList expected;
        for (const auto& [item, report] :
             {std::pair("mnuToCall", "call-list"), {"tbCallList", "call-list"},
              {"mnuReminderLetter", "letters"}, {"tbLetters", "letters"},
              {"fmnuPrintDetail", "patient-detail"}}) {
            if (report == QLatin1String("letters"))
                m_user->Answer(true);
            m_window->findChild<QAction*>(item)->trigger();
            expected << "frmPrint" << "dlgSavePdf"
                     << report + QDate::currentDate().toString(u"-yyyy-MM-dd") + ".pdf";
        }
        QCOMPARE(seen, expected);
    }

    // The chart options open empty from the menu and with the selected patient from the pop-up.
    void chartItemsOpenTheChartOptions()
    {
        QStringList shown;
        for (int i = 0; i < 2; ++i)
            m_user->OnWindow("frmChartSetup", [&](QDialog& window) {
                shown.append(window.findChild<QLabel*>("lblID")->text() + ' ' +
                             window.findChild<QLabel*>("lblLName")->text());
                window.reject();
            });
        m_window->findChild<QAction*>("mnuChartPatientHistory")->trigger();
        rightClickRow(0);
        popup()->hide();
        popup()->findChild<QAction*>("fmnuChart")->trigger();
        QCOMPARE(m_user->seen, QStringList({"[frmChartSetup]", "[frmChartSetup]"}));
        QCOMPARE(shown, QStringList({" ", "2 Brandt"}));
    }

    // The status line describes what is under the pointer: the toolbar's 360-twip bands by
    // view (a disabled button has its text too) and the grid where it has a menu.
    void statusLineDescribesWhatIsUnderThePointer()
    {
        auto* toolBar = m_window->findChild<MainToolBar*>("tbMain");
        QWidget* first = toolBar->widgetForAction(toolBar->NewRecordAction());
        const auto at = [&](int twips) {
            return toolBar->StatusAt(first->x() + Twips::ToPixelsX(toolBar, twips));
        };
        QCOMPARE(QStringList({at(100), at(400), at(800), at(1200)}),
                 QStringList({"Create new patient record", "Print list of patients to be contacted",
                              "Print patient notification letter(s)", ""}));
        QCOMPARE(first->width(), Twips::ToPixelsX(toolBar, 360));
        const auto statusOver = [this](QWidget* widget, QPoint point) {
            moveMouse(widget, point);
            return m_window->StatusText();
        };
        QCOMPARE(statusOver(grid()->viewport(), QPoint(20, 5)), "Right-Click for Menu of Options");
        QCOMPARE(statusOver(m_window->centralWidget(), QPoint(2, 2)), QString());
        m_window->ShowView("Drug");
        QVERIFY(!first->isEnabled());
        QCOMPARE(statusOver(first, QPoint(4, 4)), "Create new drug record");
        m_window->ShowView("Communications");
        QCOMPARE(at(100), QString());
        QCOMPARE(statusOver(first, QPoint(4, 4)), QString());
        QCOMPARE(statusOver(grid()->viewport(), QPoint(20, 5)), QString());
    }

    // Cancel leaves window and view as they were; a new file is listed in its own title.
    void databaseLocationCancelledAndChanged()
    {
        m_window->setWindowTitle("Velmora 1.0 - before");
        m_window->ShowView("Doctor");
        m_user->OnWindow("frmDataO", [](QDialog& window) { ClickButton(window, "cmdCancel"); });
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
        QAction* location = m_window->findChild<QAction*>("mnuDatabaseLocation");
        location->trigger();
        QCOMPARE(m_window->windowTitle() + ' ' + m_window->CurrentView(),
                 QString("Velmora 1.0 - before Doctor"));
        QCOMPARE(Texts(*grid(), 1), QStringList({"House", "Quinn"}));
        location->trigger();
        QCOMPARE(m_window->windowTitle(), "Velmora 1.0 - " + (folder + "/brevoxal.mdb").toLower());
        QCOMPARE(m_window->CurrentView(), QString("Patient"));
        QCOMPARE(grid()->model()->rowCount(), 0);
        QCOMPARE(m_user->seen, QStringList({"[frmDataO]", "No DataBase has been selected/created",
                                            "[frmDataO]", "[frmFindD]"}));
    }

    void exitClosesWindowAndDatabase()
    {
        m_window->findChild<QAction*>("mnuExit")->trigger();
        QVERIFY(!m_window->isVisible());
        QVERIFY(!AppDatabase().IsOpen());
    }

    void importedPatientIsListed()
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
        QCOMPARE(m_user->seen, QStringList({"[ImportFileDlg]", "[frmImportMap]",
                                            "1 records successfully imported.\r\n"
                                            "0 records failed to be imported."}));
        QCOMPARE(Texts(*grid(), 1), QStringList({"Brandt", "Okafor", "Zuber"}));
    }

    void backupOffersDatedNameAndWritesCopy()
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
        QCOMPARE(m_user->seen, QStringList({"[BackupFileDlg]",
                                            "The database was backed up to '" + target + "'."}));
    }

private:
    QTableView* grid() const { return m_window->findChild<QTableView*>("gridEntries"); }
    QMenu* popup() const { return m_window->findChild<QMenu*>("fmnuItems"); }

    QStringList visiblePopupItems() const
    {
        QStringList items;
        for (const QAction* action : popup()->actions()) {
            if (action->isVisible() && popup()->isVisible())
                items.append(action->text());
        }
        return items;
    }
    void rightClickRow(int row)
    {
        const QRect cell = grid()->visualRect(grid()->model()->index(row, 1));
        QTest::mousePress(grid()->viewport(), Qt::RightButton, {}, cell.center());
        QTest::mouseRelease(grid()->viewport(), Qt::RightButton, {}, cell.center());
    }

    std::unique_ptr<ShellProfile> m_profile;
    std::unique_ptr<UserScript> m_user;
    std::unique_ptr<frmMain> m_window;
};

QTEST_MAIN(tst_MainWindowActions)
#include "tst_MainWindowActions.moc"
