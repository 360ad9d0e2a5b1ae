#include "HelpWindow.h"
#include "MainWindowFixture.h"
#include "PictureButton.h"
#include "SettingsStore.h"
#include "frmGreeting.h"
#include "frmSplash.h"

#include <QHeaderView>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTextBrowser>

using namespace MainWindowFixture;

// The main window loaded on a remembered database, and its six views as the user sees them:
// rows, cells, order, headings, widths, sorting, the picture menu and the window's layout rules;
// then the windows around it: splash, welcome and help. One load per process: the
// single-instance lock stays held.
class tst_MainWindowViews : public QObject {
    Q_OBJECT

private slots:
    // The window opens the remembered database at the stored size; a stored width that is no
    // 16-bit whole number (32767 is the largest) is ignored.
    void initTestCase()
    {
        CreateAppDatabase(m_profile);
        for (const char* values : {"2, 'Zeller', 'Anna', #03/04/1950#", "10, 'adams', 'Bob', Null",
                                   "9, 'Miller', 'Carl', #12/25/1961#"})
            Exec(QString("INSERT INTO Patients (ptid, lname, fname, birthdate) VALUES (%1)")
                     .arg(values));
        for (int id = 1; id <= 55; ++id) {
            Exec(QStringLiteral("INSERT INTO LabVisits (id, ptid, labdate) VALUES (%1, %2, #%3#)")
                     .arg(id)
                     .arg(id % 2 ? 10 : 9)
                     .arg(QDate(2020, 1, 1).addDays(id * 3).toString("MM/dd/yyyy")));
        }
        for (const char* values :
             {"1, 2, #05/01/2024#, True", "2, 9, #05/03/2024#, False", "3, 10, #05/02/2024#, Null"})
            Exec(QString("INSERT INTO Communications (id, ptid, calldate, complete) VALUES (%1)")
                     .arg(values));
        Exec("INSERT INTO Drugs (drugid, drugdesc) VALUES (4, 'Zocor®')");
        Exec("INSERT INTO Drugs (drugid, drugdesc) VALUES (3, 'Lipitor®')");
        SetAppDatabase(Database());
        SettingsStore::SaveSetting("OnLoad", "DBFileSet", "Yes");
        SettingsStore::SaveSetting("Database", "FileName", DatabasePath(m_profile));
        SettingsStore::SaveSetting("MainWindow", "Height", " 7200");
        SettingsStore::SaveSetting("MainWindow", "Width", " 32768");
        m_window = std::make_unique<frmMain>();
        QCOMPARE(m_window->windowTitle(), QString("Velmora 1.0"));
        const int width = m_window->width();
        QVERIFY(m_window->Load());
        QCOMPARE(m_window->windowTitle(), "Velmora 1.0 - " + DatabasePath(m_profile).toLower());
        QCOMPARE(m_window->CurrentView(), QString("Patient"));
        QCOMPARE(m_window->size(), QSize(width, py(7200)));
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    }

    void cleanupTestCase()
    {
        m_window.reset();
        m_user.reset();
    }

    void viewsListTheirRecords_data()
    {
        QTest::addColumn<QString>("view");
        // The caption, the headings, the rows with the last one's ID, then the first rows; cells
        // joined by |.
        QTest::addColumn<QStringList>("listing");
        // In twips; the name column takes the room the others leave, less an allowance for a
        // scroll bar (written negative), bigger where the rows do not fit.
        QTest::addColumn<QList<int>>("widths");
        // The pop-up's items a right-click on the first row offers; none without a record.
        QTest::addColumn<QString>("offered");
        const QString edits = "Add, Edit, Delete";
        QTest::newRow("Patient: by last name, any letter case; no birth date as no-date value")
            << "Patient"
            << QStringList{"  Patients", "ID|Last Name|First Name|D.O.B.", "3 rows, last 2",
                           "10|adams|Bob|01/01/1900", "9|Miller|Carl|12/25/1961",
                           "2|Zeller|Anna|03/04/1950"}
            << QList<int>{500, -105, 1770, 1080} << edits + ", Print Detail, View Chart(s)";
        QTest::newRow("Doctor: an empty table shows its headings only")
            << "Doctor"
            << QStringList{"  Doctors", "ID|Last Name|First Name|Classification", "0 rows, last "}
            << QList<int>() << QString();
        QTest::newRow("Drug: by name")
            << "Drug"
            << QStringList{"  Drugs", "ID|Name", "2 rows, last 4", "3|Lipitor®", "4|Zocor®"}
            << QList<int>{600, -105} << edits;
        QTest::newRow("HealthFactor: the seeded rows")
            << "HealthFactor"
            << QStringList{"  Health Factors", "ID|Description", "4 rows, last 4", "1|Smoking"}
            << QList<int>{600, -105} << edits;
        // 1/1/2020 + 165 days, in the short date form; the oldest listed is number 6.
        QTest::newRow("LabVisits: the fifty newest")
            << "LabVisits"
            << QStringList{"  Lab Visits (Last 50)", "ID|Patient|Lab Date", "50 rows, last 6",
                           "55|adams, Bob|6/14/2020", "54|Miller, Carl|6/11/2020"}
            << QList<int>{600, -360, 1240} << QString();
        QTest::newRow("Communications: newest first, a Null success is No")
            << "Communications"
            << QStringList{"  Patient Communications (Last 50)", "ID|Patient|Call Date|Success",
                           "3 rows, last 1", "2|Miller, Carl|5/3/2024|No",
                           "3|adams, Bob|5/2/2024|No", "1|Zeller, Anna|5/1/2024|Yes"}
            << QList<int>{600, -105, 1000, 960} << QString();
    }

    void viewsListTheirRecords()
    {
        QFETCH(QString, view);
        QFETCH(QStringList, listing);
        QFETCH(QList<int>, widths);
        m_window->ShowView(view);
        QCOMPARE(m_window->CurrentView(), view);
        const int rows = grid()->model()->rowCount();
        const QString last = Texts(*grid(), 0).value(rows - 1);
        QStringList shown = {m_window->findChild<QLabel*>("lblData")->text(),
                             Texts(*grid(), -1).join(u'|'),
                             QString("%1 rows, last ").arg(rows) + last};
        for (int row = 0; row < listing.size() - 3; ++row)
            shown.append(Texts(*grid(), -1, row).join(u'|'));
        QCOMPARE(shown, listing);
        // The first row is current; an empty view has nothing selected.
        QCOMPARE(grid()->currentIndex().row(), rows ? 0 : -1);
        QCOMPARE(grid()->selectionModel()->hasSelection(), rows > 0);
        int rest = grid()->width();
        for (const int width : widths)
            rest -= px(qAbs(width));
        for (int column = 0; column < widths.size(); ++column)
            QCOMPARE(grid()->columnWidth(column), widths[column] > 0 ? px(widths[column]) : rest);
        auto* popup = m_window->findChild<QMenu*>("fmnuItems");
        QTest::mouseClick(grid()->viewport(), Qt::RightButton, {}, QPoint(20, 5));
        QStringList offered;
        for (const QAction* action : popup->actions()) {
            if (popup->isVisible() && action->isVisible())
                offered.append(action->text());
        }
        popup->hide();
        QTEST(offered.join(", "), "offered");
    }

    void headingClickSortsUntilNextFill()
    {
        m_window->ShowView("Patient");
        QHeaderView* header = grid()->horizontalHeader();
        const auto clickHeading = [header](int section) {
            const QPoint at(header->sectionViewportPosition(section) + 5, header->height() / 2);
            QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
        };
        clickHeading(0);
        QStringList seen = {Texts(*grid(), 0).join(','), Texts(*grid(), 1).join(',')};
        clickHeading(2);
        seen << Texts(*grid(), 2).join(',');
        m_window->LoadView("Patient");
        seen << Texts(*grid(), 0).join(',');
        // Numbers as numbers: 2 < 9 < 10.
        QCOMPARE(seen, QStringList({"2,9,10", "Zeller,Miller,adams", "Anna,Bob,Carl", "10,9,2"}));
    }

    // A click on a picture shows its view; the pointer over it highlights it and tells its use.
    // A double-click on a kind without an editor opens nothing, nor changes the view.
    void pictureMenuSwitchesViews()
    {
        const QAction* newRecord = m_window->findChild<QAction*>("tbNewRecord");
        m_window->SetEditor("Drug", [](QWidget*, std::optional<qint32>) {});
        auto* drugs = m_window->findChild<PictureButton*>("picDrugs");
        auto* visits = m_window->findChild<PictureButton*>("piclabvisit");
        QCOMPARE(QStringList({drugs->toolTip(), visits->toolTip()}),
                 QStringList({"Drugs", "Lab Visits"}));
        // The view shown, and whether a new record of its kind can be made.
        QTest::mouseClick(drugs, Qt::LeftButton);
        QCOMPARE(m_window->CurrentView() + (newRecord->isEnabled() ? " +new" : ""), "Drug +new");
        QTest::mouseClick(visits, Qt::LeftButton);
        QCOMPARE(m_window->CurrentView() + (newRecord->isEnabled() ? " +new" : ""), "LabVisits");
        QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
        QApplication::sendEvent(visits, &enter);
        QVERIFY(visits->IsHighlighted());
        QCOMPARE(m_window->StatusText(), QString("View last 50 lab visit result entries"));
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(visits, &leave);
        QVERIFY(!visits->IsHighlighted());
        QCOMPARE(m_window->StatusText(), QString());
        QTest::mouseDClick(m_window->findChild<PictureButton*>("picDoctors"), Qt::LeftButton);
        QCOMPARE(m_window->CurrentView(), QString("LabVisits"));
    }

    // The window keeps its minimum size and its margins; the name column follows its width.
    // Every resize is on disk at once: a size survives a program that is killed.
    void resizeSnapsToMinimumAndKeepsMargins()
    {
        m_window->ShowView("LabVisits");
        m_window->resize(50, 40);
        QCOMPARE(m_window->size(), QSize(px(6540), py(5880)));
        m_window->resize(px(12000), py(9000));
        QCOMPARE(QStringList({m_profile.StoredSetting("MainWindow/Width"),
                              m_profile.StoredSetting("MainWindow/Height")}),
                 QStringList({" 12000", " 9000"}));
        QCOMPARE(grid()->width(), m_window->width() - px(1275));
        QCOMPARE(grid()->height(), m_window->height() - py(1845));
        QCOMPARE(m_window->findChild<QLabel*>("lblData")->width(), m_window->width() - px(1335));
        QCOMPARE(grid()->columnWidth(1), grid()->width() - px(600) - px(1240) - px(360));
        const QRect gridOnWindow(grid()->mapTo(m_window.get(), QPoint()), grid()->size());
        QVERIFY(gridOnWindow.bottom() < m_window->statusBar()->y());
    }

    // A query the engine refuses: the grid keeps the patients, the user reads why.
    void engineErrorLeavesGridAsItWas()
    {
        m_window->ShowView("Patient");
        AppDatabase().Close();
        m_window->LoadView("LabVisits");
        QCOMPARE(QStringList({QString::number(m_user->seen.size()), Texts(*grid(), -1).join('|'),
                              QString::number(grid()->model()->rowCount()),
                              m_window->findChild<QLabel*>("lblData")->text()}),
                 QStringList({"1", "ID|Last Name|First Name|D.O.B.", "3", "  Patients"}));
    }

    void splashClosesWhenClickedOrAfterItsTime()
    {
        frmSplash clicked;
        clicked.show();
        QVERIFY(QTest::qWaitForWindowExposed(&clicked));
        QTest::mouseClick(clicked.findChild<QLabel*>("Image2"), Qt::LeftButton);
        QVERIFY(!clicked.isVisible());
        QCOMPARE(clicked.result(), int(QDialog::Accepted));
        frmSplash waited;
        waited.show();
        QTest::qWait(1000);
        QVERIFY(waited.isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(!waited.isVisible(), 2000);
    }

    // The welcome window shows its texts exactly; its button closes it.
    void welcomeShowsItsTextsAndCloses()
    {
        frmGreeting greeting;
        const auto label = [&](const char* name) { return greeting.findChild<QLabel*>(name); };
        QCOMPARE(label("lblGreeting1")->text(),
                 "Thank you for your interest in this product.\n\nWe are confident this software "
                 "will significantly increase your ability to monitor and  improve your patients' "
                 "cholesterol health.");
        const QStringList lines = label("lblGretting2")->text().split(u'\n');
        QCOMPARE(QStringList({lines[0], lines[1], lines[2], lines[4], lines[5], lines[9]}),
                 QStringList({"What you can do with this software:", "",
                              "- Rapidly retrieve / view  information on your cholesterol "
                              "monitored patients",
                              "      - Print out notification letters that can remind patients "
                              "of their next lab visit",
                              "      - Alternately, print a report of all names and phone "
                              "numbers of those patients",
                              "- Save data entry time and effort by importing patient data "
                              "from other sources."}));
        QCOMPARE(QStringList({label("lblGreeting1")->font().family(),
                              label("lblGretting2")->font().family(), greeting.windowTitle(),
                              QString::number(lines.size())}),
                 QStringList({"Arial", "Arial", "Welcome", "10"}));
        greeting.show();
        QTest::mouseClick(greeting.findChild<QPushButton*>("cmdExit"), Qt::LeftButton);
        QVERIFY(!greeting.isVisible());
    }

    // Help opens once, at its contents, which list every page; a page links only to pages that
    // are there; Back returns.
    void helpOpensOnceAtContentsListingEveryPage()
    {
        for (int i = 0; i < 2; ++i)
            m_window->findChild<QAction*>("mnuContents")->trigger();
        const auto windows = m_window->findChildren<HelpWindow*>();
        QCOMPARE(windows.size(), 1);
        auto* browser = windows.first()->findChild<QTextBrowser*>("browserHelp");
        QCOMPARE(browser->source().toString() + '|' + browser->documentTitle(),
                 "qrc:/help/index.html|Velmora Help");
        const QStringList pages = QDir(":/help").entryList({"*.html"});
        QVERIFY(pages.size() >= 8);
        static const QRegularExpression link("href=\"([^\"#]+)");
        QStringList unlisted = pages;
        unlisted.removeAll("index.html");
        for (const QString& page : pages) {
            const QString html = QString::fromUtf8(ReadFile(":/help/" + page));
            QVERIFY2(html.contains("<title>"), qPrintable(page));
            for (auto it = link.globalMatch(html); it.hasNext();) {
                const QString target = it.next().captured(1);
                QVERIFY2(pages.contains(target), qPrintable(page + " -> " + target));
                if (page == u"index.html")
                    unlisted.removeAll(target);
            }
        }
        QCOMPARE(unlisted, QStringList());
        browser->setSource(QUrl("reminders.html"));
        QTest::mouseClick(windows.first()->findChild<QPushButton*>("cmdBack"), Qt::LeftButton);
        QCOMPARE(browser->documentTitle(), "Velmora Help");
    }

private:
    QTableView* grid() const { return m_window->findChild<QTableView*>("gridEntries"); }
    int px(int twips) const { return Twips::ToPixelsX(m_window.get(), twips); }
    int py(int twips) const { return Twips::ToPixelsY(m_window.get(), twips); }

    ShellProfile m_profile;
    std::unique_ptr<UserScript> m_user = std::make_unique<UserScript>();
    std::unique_ptr<frmMain> m_window;
};

QTEST_MAIN(tst_MainWindowViews)
#include "tst_MainWindowViews.moc"
