#include "ColumnButton.h"
#include "InstalledEditors.h"
#include "MainToolBar.h"
#include "MainWindowFixture.h"

#include <QFileDialog>
#include <QMenu>
#include <QMenuBar>

using namespace MainWindowFixture;

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
              "INSERT INTO Schedule (ptid, drugid) VALUES (1, 1)",
              "INSERT INTO Schedule (ptid, drugid) VALUES (2, 1)"})
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
    }

    // What the user does in the main window (acts: an item's name triggers it, "view <kind>"
    // shows a view, "row <n>" right-clicks a row, "dclick <row or picture>" double-clicks it),
    // their part in the windows that open (steps, as UserScript plays them), what they saw, then
    // the view shown with its names and the title's end.
    void actsAsTheUserSeesThem_data()
    {
        QTest::addColumn<QString>("view");
        QTest::addColumn<QString>("acts");
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QStringList>("seen");
        QTest::addColumn<QString>("shown");
        const auto twice = [](const QString& step) { return step + "; " + step; };
        const auto editor = [&](const QString& window, const QString& name) {
            return twice(window + " =lblID =" + name + " close");
        };
        // Each kind's editor opens on a double-clicked row's record, and from New on a new one.
        QTest::newRow("editors")
            << "Patient" << "dclick 1; mnuNewPatient; view Doctor; dclick 1; mnuNewDoctor; "
                            "view Drug; dclick 0; mnuNewDrug; view HealthFactor; dclick 1; mnuNewHF"
            << editor("frmPatient", "txtLName") + "; " + editor("frmDoctors", "txtLName") + "; " +
                   editor("frmDrugs", "txtDesc") + "; " + editor("frmHF", "txtDesc")
            << QStringList{"[frmPatient]", "1", "Okafor", "[frmPatient]", "3", "",
                           "[frmDoctors]", "6", "Quinn", "[frmDoctors]", "7", "",
                           "[frmDrugs]", "1", "Lipitor®", "[frmDrugs]", "2", "",
                           "[frmHF]", "2", "Family History", "[frmHF]", "5", ""}
            << "HealthFactor: Smoking,Family History,Overweight,Sedintery lifestyle";
        QTest::newRow("Maintain, pop-up Edit and Add, a picture: the view follows the editor")
            << "LabVisits" << "mnuDoctors; row 0; fmnuEditOpt; fmnuAddOpt; dclick picDrugs"
            << editor("frmDoctors", "txtLName") + "; " + editor("frmDoctors", "txtLName") +
                   "; frmDrugs =lblID close"
            << QStringList{"[frmDoctors]", "", "", "[frmDoctors]", "5", "House",
                           "[frmDoctors]", "7", "", "[frmDrugs]", "2"}
            << "Drug: Lipitor®";
        QTest::newRow("about: the version")
            << "Patient" << "mnuAbout" << "frmAbout =lblVersion cmdOK"
            << QStringList{"[frmAbout]", "Version 1.0"} << "Patient: Brandt,Okafor";
        QTest::newRow("chart options: none from the menu, the selected patient from the pop-up")
            << "Patient" << "mnuChartPatientHistory; row 0; fmnuChart"
            << twice("frmChartSetup =lblID =lblLName close")
            << QStringList{"[frmChartSetup]", "", "", "[frmChartSetup]", "2", "Brandt"}
            << "Patient: Brandt,Okafor";
        QTest::newRow("database location changed: the new file's patients, its name in the title; "
                      "a cancelled change leaves the view")
            << "Doctor" << "mnuDatabaseLocation; view Doctor; mnuDatabaseLocation"
            << "frmDataO optNew cmdBrowseNew cmdOK; frmFindD in=Other cmdOK; frmDataO cmdCancel"
            << QStringList{"[frmDataO]", "[frmFindD]", "[frmDataO]",
                           "No DataBase has been selected/created"}
            << "Doctor:  - <root>/other/brevoxal.mdb";
        // Pop-up Delete asks first: No keeps the record (a linked one is reported cancelled), Yes
        // deletes it; one still linked to patients is asked about as such (the rows that go with
        // a record are the shared deletions' rule). Doctors and health factors: a linked one,
        // then one without patients.
        const QString once = twice("row 0; fmnuDeleteOpt");
        const QString patient = "? Are you sure you want to delete Ada, Okafor ?";
        QTest::newRow("patient: No keeps, Yes deletes")
            << "Patient" << twice("row 1; fmnuDeleteOpt") << "no; yes"
            << QStringList{patient, patient} << "Patient: Brandt";
        QTest::newRow("doctors: the linked one deleted, No keeps the other")
            << "Doctor" << once << "yes; no"
            << QStringList{"? Doctor Greg, House is currently assigned to one or more patients.  "
                           "Would you like to un-assign this doctor to all patients for whom this "
                           "doctor is assigned?", "? Are you Sure you want to delete Mae, Quinn ?"}
            << "Doctor: Quinn";
        const QString drug = "? Drug 'Lipitor®' is currently assigned to one or more patients.  "
                             "Would you like to un-assign this drug to all patients for whom this "
                             "drug is assigned?";
        QTest::newRow("linked drug: No cancels, Yes deletes")
            << "Drug" << twice("row 0; fmnuDeleteOpt") << "no; yes"
            << QStringList{drug, "Delete Cancelled", drug} << "Drug: ";
        QTest::newRow("health factors deleted")
            << "HealthFactor" << once << "yes; yes"
            << QStringList{"? Health Factor 'Smoking' is currently assigned to one or more "
                           "patients.  Would you like to un-assign this health factor to all "
                           "patients for whom this health factor is assigned?",
                           "? Are you Sure you want to delete Family History ?"}
            << "HealthFactor: Overweight,Sedintery lifestyle";
    }

    void actsAsTheUserSeesThem()
    {
        QFETCH(QString, view);
        QFETCH(QString, acts);
        QFETCH(QString, steps);
        QFETCH(QString, shown);
        const QString root = m_profile->Root();
        QVERIFY(QDir(root).mkdir("Other"));
        InstallEditors(*m_window);
        m_window->ShowView(view);
        m_user->Play(steps, root);
        for (const QString& act : acts.split("; ")) {
            const QString target = act.section(' ', 1);
            if (act.startsWith("view ")) {
                m_window->ShowView(target);
            } else if (act.startsWith("row ")) {
                rightClickRow(target.toInt());
                popup()->hide();
            } else if (act.startsWith("dclick pic")) {
                QTest::mouseDClick(m_window->findChild<QWidget*>(target), Qt::LeftButton);
            } else if (act.startsWith("dclick ")) {
                DoubleClickRow(*grid(), target.toInt());
            } else {
                m_window->findChild<QAction*>(act)->trigger();
            }
        }
        QTEST(m_user->seen, "seen");
        const QString names = Texts(*grid(), 1).join(',');
        QCOMPARE(m_window->CurrentView() + ": " + names + m_window->windowTitle().mid(11),
                 shown.replace("<root>", root.toLower()));
        // The grid shows what the database holds.
        m_window->LoadView(m_window->CurrentView());
        QCOMPARE(Texts(*grid(), 1).join(','), names);
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
                m_user->Play("yes");
            m_window->findChild<QAction*>(item)->trigger();
            expected << "frmPrint" << "dlgSavePdf"
                     << report + QDate::currentDate().toString(u"-yyyy-MM-dd") + ".pdf";
        }
        QCOMPARE(seen, expected);
    }

    // The status line describes what is under the pointer, by view: the toolbar's 360-twip
    // bands (a disabled button has its text too), the grid where it has a menu, and nothing else.
    void statusLineDescribesWhatIsUnderThePointer()
    {
        auto* toolBar = m_window->findChild<MainToolBar*>("tbMain");
        QWidget* first = toolBar->widgetForAction(toolBar->NewRecordAction());
        QCOMPARE(first->width(), Twips::ToPixelsX(toolBar, 360));
        QStringList shown;
        const auto over = [&](QWidget* widget, QPoint at) {
            QMouseEvent move(QEvent::MouseMove, at, widget->mapToGlobal(at), Qt::NoButton,
                             Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(widget, &move);
            shown.append(m_window->StatusText());
        };
        for (const char* view : {"Patient", "Drug", "Communications"}) {
            m_window->ShowView(view);
            for (const int twips : {100, 400, 800, 1200})
                shown.append(toolBar->StatusAt(first->x() + Twips::ToPixelsX(toolBar, twips)));
            over(first, {4, 4});
            over(grid()->viewport(), {20, 5});
            over(m_window->centralWidget(), {2, 2});
        }
        const QString call = "Print list of patients to be contacted";
        const QString letters = "Print patient notification letter(s)";
        const QString menu = "Right-Click for Menu of Options";
        QCOMPARE(shown, QStringList({"Create new patient record", call, letters, "",
                                     "Create new patient record", menu, "",
                                     "Create new drug record", call, letters, "",
                                     "Create new drug record", menu, "",
                                     "", call, letters, "", "", "", ""}));
    }

    void importedPatientIsListed()
    {
        const QString path = m_profile->Root() + "/patients.txt";
        WriteFile(path, "Zuber\tEva\n");
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
        QVERIFY(QFileInfo::exists(target));
        QCOMPARE(m_user->seen, QStringList({"[BackupFileDlg]",
                                            "The database was backed up to '" + target + "'."}));
    }

private:
    QTableView* grid() const { return m_window->findChild<QTableView*>("gridEntries"); }
    QMenu* popup() const { return m_window->findChild<QMenu*>("fmnuItems"); }

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
