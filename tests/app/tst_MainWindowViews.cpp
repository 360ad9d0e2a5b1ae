#include "MainWindowFixture.h"
#include "PictureButton.h"
#include "ShellProfile.h"
#include "Twips.h"
#include "UserScript.h"
#include "frmMain.h"

#include <QHeaderView>
#include <QLabel>
#include <QScrollBar>
#include <QStatusBar>
#include <QTableView>
#include <QTest>
#include <QToolBar>

using namespace MainWindowFixture;

// The six views as the user sees them: rows, cells, order, headings, widths, sorting,
// the picture menu and the window's layout rules.
class tst_MainWindowViews : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void patientView();
    void emptyTableShowsHeadingOnly();
    void drugAndHealthFactorViews();
    void labVisitsShowFiftyNewest();
    void communicationsShowSuccess();
    void nameColumnTakesRoomLeft();
    void headingClickSortsUntilNextFill();
    void pictureMenuSwitchesViews();
    void resizeSnapsToMinimumAndKeepsMargins();
    void engineErrorLeavesGridAsItWas();

private:
    QTableView* grid() const { return m_window->findChild<QTableView*>("gridEntries"); }
    QString cell(int row, int column) const
    {
        return grid()->model()->index(row, column).data().toString();
    }
    QStringList column(int column) const;
    QStringList headings() const;
    int px(int twips) const { return Twips::ToPixelsX(m_window.get(), twips); }
    int py(int twips) const { return Twips::ToPixelsY(m_window.get(), twips); }

    std::unique_ptr<ShellProfile> m_profile;
    std::unique_ptr<UserScript> m_user;
    std::unique_ptr<frmMain> m_window;
};

QStringList tst_MainWindowViews::column(int index) const
{
    QStringList cells;
    for (int row = 0; row < grid()->model()->rowCount(); ++row)
        cells.append(cell(row, index));
    return cells;
}

QStringList tst_MainWindowViews::headings() const
{
    QStringList texts;
    for (int i = 0; i < grid()->model()->columnCount(); ++i)
        texts.append(grid()->model()->headerData(i, Qt::Horizontal).toString());
    return texts;
}

void tst_MainWindowViews::initTestCase()
{
    m_profile = std::make_unique<ShellProfile>();
    m_user = std::make_unique<UserScript>();
    CreateAppDatabase(*m_profile);
    Exec("INSERT INTO Patients (ptid, lname, fname, birthdate) VALUES (2, 'Zeller', 'Anna', #03/04/1950#)");
    Exec("INSERT INTO Patients (ptid, lname, fname) VALUES (10, 'adams', 'Bob')");
    Exec("INSERT INTO Patients (ptid, lname, fname, birthdate) VALUES (9, 'Miller', 'Carl', #12/25/1961#)");
    const QDate first(2020, 1, 1);
    for (int id = 1; id <= 55; ++id) {
        Exec(QStringLiteral("INSERT INTO LabVisits (id, ptid, labdate) VALUES (%1, %2, #%3#)")
                 .arg(id)
                 .arg(id % 2 ? 10 : 9)
                 .arg(first.addDays(id * 3).toString("MM/dd/yyyy")));
    }
    Exec("INSERT INTO Communications (id, ptid, calldate, complete) VALUES (1, 2, #05/01/2024#, True)");
    Exec("INSERT INTO Communications (id, ptid, calldate, complete) VALUES (2, 9, #05/03/2024#, False)");
    Exec("INSERT INTO Communications (id, ptid, calldate) VALUES (3, 10, #05/02/2024#)");
    Exec("INSERT INTO Drugs (drugid, drugdesc) VALUES (4, 'Zocor®')");
    Exec("INSERT INTO Drugs (drugid, drugdesc) VALUES (3, 'Lipitor®')");
    m_window = std::make_unique<frmMain>();
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
}

void tst_MainWindowViews::cleanupTestCase()
{
    QVERIFY2(m_user->unexpected.isEmpty(), qPrintable(m_user->unexpected.join('\n')));
    m_window.reset();
    m_user.reset();
    m_profile.reset();
}

void tst_MainWindowViews::patientView()
{
    m_window->ShowView("Patient");
    QCOMPARE(m_window->CurrentView(), QString("Patient"));
    QCOMPARE(m_window->findChild<QLabel*>("lblData")->text(), QString("  Patients"));
    QCOMPARE(headings(), QStringList({"ID", "Last Name", "First Name", "D.O.B."}));
    QCOMPARE(column(0), QStringList({"10", "9", "2"}));
    QCOMPARE(column(1), QStringList({"adams", "Miller", "Zeller"}));
    QCOMPARE(column(2), QStringList({"Bob", "Carl", "Anna"}));
    // A missing birth date reads as the no-date value.
    QCOMPARE(column(3), QStringList({"01/01/1900", "12/25/1961", "03/04/1950"}));
    QCOMPARE(grid()->currentIndex().row(), 0);
    QCOMPARE(grid()->columnWidth(0), px(500));
    QCOMPARE(grid()->columnWidth(2), px(1770));
    QCOMPARE(grid()->columnWidth(3), px(1080));
}

void tst_MainWindowViews::emptyTableShowsHeadingOnly()
{
    m_window->ShowView("Doctor");
    QCOMPARE(m_window->findChild<QLabel*>("lblData")->text(), QString("  Doctors"));
    QCOMPARE(headings(), QStringList({"ID", "Last Name", "First Name", "Classification"}));
    QCOMPARE(grid()->model()->rowCount(), 0);
    QVERIFY(!grid()->currentIndex().isValid());
    QVERIFY(!grid()->selectionModel()->hasSelection());
}

void tst_MainWindowViews::drugAndHealthFactorViews()
{
    m_window->ShowView("Drug");
    QCOMPARE(headings(), QStringList({"ID", "Name"}));
    QCOMPARE(column(1), QStringList({"Lipitor®", "Zocor®"}));
    QCOMPARE(grid()->columnWidth(0), px(600));
    m_window->ShowView("HealthFactor");
    QCOMPARE(m_window->findChild<QLabel*>("lblData")->text(), QString("  Health Factors"));
    QCOMPARE(headings(), QStringList({"ID", "Description"}));
    QCOMPARE(grid()->model()->rowCount(),
             Count("SELECT count(*) FROM HealthFactors"));
    QCOMPARE(cell(0, 0), QString("1"));
}

void tst_MainWindowViews::labVisitsShowFiftyNewest()
{
    m_window->ShowView("LabVisits");
    QCOMPARE(m_window->findChild<QLabel*>("lblData")->text(), QString("  Lab Visits (Last 50)"));
    QCOMPARE(headings(), QStringList({"ID", "Patient", "Lab Date"}));
    QCOMPARE(grid()->model()->rowCount(), 50);
    QCOMPARE(cell(0, 0), QString("55"));
    QCOMPARE(cell(49, 0), QString("6"));
    QCOMPARE(cell(0, 1), QString("adams, Bob"));
    QCOMPARE(cell(1, 1), QString("Miller, Carl"));
    // 1/1/2020 + 165 days, in the short date form.
    QCOMPARE(cell(0, 2), QString("6/14/2020"));
    QCOMPARE(grid()->columnWidth(2), px(1240));
}

void tst_MainWindowViews::communicationsShowSuccess()
{
    m_window->ShowView("Communications");
    QCOMPARE(m_window->findChild<QLabel*>("lblData")->text(),
             QString("  Patient Communications (Last 50)"));
    QCOMPARE(headings(), QStringList({"ID", "Patient", "Call Date", "Success"}));
    QCOMPARE(column(0), QStringList({"2", "3", "1"}));
    QCOMPARE(column(1), QStringList({"Miller, Carl", "adams, Bob", "Zeller, Anna"}));
    QCOMPARE(column(2), QStringList({"5/3/2024", "5/2/2024", "5/1/2024"}));
    // The third entry's complete is Null.
    QCOMPARE(column(3), QStringList({"No", "No", "Yes"}));
}

void tst_MainWindowViews::nameColumnTakesRoomLeft()
{
    m_window->ShowView("Patient");
    QCOMPARE(grid()->columnWidth(1),
             grid()->width() - px(500) - px(1770) - px(1080) - px(105));
    // Fifty rows do not fit: the allowance makes room for the scroll bar.
    m_window->ShowView("LabVisits");
    QVERIFY(grid()->verticalScrollBar()->maximum() > 0);
    QCOMPARE(grid()->columnWidth(1), grid()->width() - px(600) - px(1240) - px(360));
    m_window->resize(m_window->width() + 100, m_window->height());
    QCOMPARE(grid()->columnWidth(1), grid()->width() - px(600) - px(1240) - px(360));
}

void tst_MainWindowViews::headingClickSortsUntilNextFill()
{
    m_window->ShowView("Patient");
    QHeaderView* header = grid()->horizontalHeader();
    const auto clickHeading = [header](int section) {
        const QPoint at(header->sectionViewportPosition(section) + 5, header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
    };
    clickHeading(0);
    // Numbers as numbers: 2 < 9 < 10.
    QCOMPARE(column(0), QStringList({"2", "9", "10"}));
    QCOMPARE(column(1), QStringList({"Zeller", "Miller", "adams"}));
    clickHeading(2);
    QCOMPARE(column(2), QStringList({"Anna", "Bob", "Carl"}));
    m_window->LoadView("Patient");
    QCOMPARE(column(0), QStringList({"10", "9", "2"}));
}

void tst_MainWindowViews::pictureMenuSwitchesViews()
{
    const QAction* newRecord = m_window->findChild<QAction*>("tbNewRecord");
    QVERIFY(newRecord);
    m_window->SetEditor("Drug", [](QWidget*, std::optional<qint32>) {});
    auto* drugs = m_window->findChild<PictureButton*>("picDrugs");
    auto* visits = m_window->findChild<PictureButton*>("piclabvisit");
    QVERIFY(drugs && visits);
    QCOMPARE(drugs->toolTip(), QString("Drugs"));
    QCOMPARE(visits->toolTip(), QString("Lab Visits"));

    QTest::mouseClick(drugs, Qt::LeftButton);
    QCOMPARE(m_window->CurrentView(), QString("Drug"));
    QCOMPARE(headings(), QStringList({"ID", "Name"}));
    QVERIFY(newRecord->isEnabled());
    QTest::mouseClick(visits, Qt::LeftButton);
    QCOMPARE(m_window->CurrentView(), QString("LabVisits"));
    QVERIFY(!newRecord->isEnabled());

    // Pointer over a picture: highlighted icon and its text; back on the frame: normal.
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QApplication::sendEvent(visits, &enter);
    QVERIFY(visits->IsHighlighted());
    QCOMPARE(m_window->StatusText(), QString("View last 50 lab visit result entries"));
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(visits, &leave);
    QVERIFY(!visits->IsHighlighted());
    QCOMPARE(m_window->StatusText(), QString());
    QVERIFY(visits->pixmap().toImage() != QImage());
}

void tst_MainWindowViews::resizeSnapsToMinimumAndKeepsMargins()
{
    m_window->resize(50, 40);
    QCOMPARE(m_window->size(), QSize(px(6540), py(5880)));
    m_window->resize(px(12000), py(9000));
    QCOMPARE(grid()->width(), m_window->width() - px(1275));
    QCOMPARE(grid()->height(), m_window->height() - py(1845));
    QCOMPARE(m_window->findChild<QLabel*>("lblData")->width(), m_window->width() - px(1335));
    const QRect gridOnWindow(grid()->mapTo(m_window.get(), QPoint()), grid()->size());
    QVERIFY(gridOnWindow.bottom() < m_window->statusBar()->y());
}

void tst_MainWindowViews::engineErrorLeavesGridAsItWas()
{
    m_window->ShowView("Patient");
    Exec("DELETE FROM LabVisits");
    // A query the engine refuses: the grid keeps the patients, the user reads why.
    AppDatabase().Close();
    m_window->LoadView("LabVisits");
    QCOMPARE(m_user->notices.size(), 1);
    QCOMPARE(headings(), QStringList({"ID", "Last Name", "First Name", "D.O.B."}));
    QCOMPARE(grid()->model()->rowCount(), 3);
    QCOMPARE(m_window->findChild<QLabel*>("lblData")->text(), QString("  Patients"));
}

QTEST_MAIN(tst_MainWindowViews)
#include "tst_MainWindowViews.moc"
