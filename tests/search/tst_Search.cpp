#include "ListWindowTestbed.h"
#include "SearchReceiver.h"
#include "clsDoctor.h"
#include "clsDrug.h"
#include "clsHealthFactor.h"
#include "clsPatient.h"
#include "frmSearch.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

namespace
{

// Keeps whatever the search hands over.
class Receiver : public SearchReceiver
{
public:
    void LoadObjectData(const clsPatient& inObjPatient) override { patients.append(inObjPatient); }
    void LoadObjectData(const clsDoctor& inObjDoctor) override { doctors.append(inObjDoctor); }
    void LoadObjectData(const clsDrug& inObjDrug) override { drugs.append(inObjDrug); }
    void LoadObjectData(const clsHealthFactor& inObjHealthFactor) override
    {
        factors.append(inObjHealthFactor);
    }
    int Count() const
    {
        return int(patients.size() + doctors.size() + drugs.size() + factors.size());
    }

    QList<clsPatient> patients;
    QList<clsDoctor> doctors;
    QList<clsDrug> drugs;
    QList<clsHealthFactor> factors;
};

void addPatient(int ptid, const QString& first, const QString& last)
{
    ListWindowTestbed::Exec(
        QStringLiteral("INSERT INTO Patients (ptid, fname, lname, birthdate) VALUES (%1, '%2', "
                       "'%3', #2/14/1950#)")
            .arg(ptid)
            .arg(SqlQuote(first), SqlQuote(last)));
}

void addPatients(const QStringList& lastNames)
{
    int ptid = 0;
    for (const QString& name : lastNames)
        addPatient(++ptid, QStringLiteral("Ann"), name);
}

QTableView& grid(QWidget& window)
{
    return *Child<QTableView>(window, "GridResults");
}

QStringList rowTexts(QTableView& view, int row)
{
    QStringList texts;
    for (int c = 0; c < view.model()->columnCount(); ++c)
        texts.append(view.model()->index(row, c).data().toString());
    return texts;
}

QStringList columnTexts(QTableView& view, int column)
{
    QStringList texts;
    for (int r = 0; r < view.model()->rowCount(); ++r)
        texts.append(view.model()->index(r, column).data().toString());
    return texts;
}

QStringList headings(QTableView& view)
{
    QStringList texts;
    for (int c = 0; c < view.model()->columnCount(); ++c)
        texts.append(view.model()->headerData(c, Qt::Horizontal).toString());
    return texts;
}

// Chooses an operator with the keyboard, as a user would.
void chooseOperator(QWidget& window, const QString& op)
{
    auto* operators = Child<QComboBox>(window, "cmbOperator");
    operators->setFocus();
    while (operators->currentText() != op && operators->currentIndex() > 0)
        QTest::keyClick(operators, Qt::Key_Up);
    while (operators->currentText() != op && operators->currentIndex() < operators->count() - 1)
        QTest::keyClick(operators, Qt::Key_Down);
    QCOMPARE(operators->currentText(), op);
}

void search(QWidget& window, const QString& op, const QString& value)
{
    chooseOperator(window, op);
    auto* box = Child<QLineEdit>(window, "txtSearchFor");
    box->clear();
    QTest::keyClicks(box, value);
    QTest::mouseClick(Child<QPushButton>(window, "cmdSearch"), Qt::LeftButton);
}

} // namespace

class tst_Search : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_bed = std::make_unique<ListWindowTestbed>();
        m_receiver = Receiver();
    }
    void cleanup() { m_bed.reset(); }

    void opensWithControlsAndListing_data();
    void opensWithControlsAndListing();
    void presetSelectsTheFieldOfThatName_data();
    void presetSelectsTheFieldOfThatName();
    void startsWithListsByTheChosenField();
    void containsEmptyListsEveryRecordWithTheField();
    void equalsFindsOnlyEqualDrugNames();
    void valuesAreSearchedLiterally_data();
    void valuesAreSearchedLiterally();
    void noMatchSaysSoAndKeepsTheGrid();
    void engineFailureIsReportedAndKeepsTheGrid();
    void searchWithoutFieldUsesTheFirstField();
    void doubleClickHandsOverTheRowsRecord();
    void enterOnARowHandsItOver();
    void openSearchHandsBackFromTheModalWindow();

private:
    std::unique_ptr<ListWindowTestbed> m_bed;
    Receiver m_receiver;
};

void tst_Search::opensWithControlsAndListing_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QStringList>("statements");
    QTest::addColumn<QStringList>("expectedHeadings");
    QTest::addColumn<QStringList>("searchItems");
    QTest::addColumn<QStringList>("firstRow");
    QTest::addColumn<QStringList>("lastRow");
    QTest::addColumn<int>("rows");

    QTest::newRow("patients in stored order")
        << "Patient"
        << QStringList{"INSERT INTO Patients (ptid, fname, lname, birthdate) VALUES "
                       "(12, 'Zoe', 'Young', #3/5/1961#)",
                       "INSERT INTO Patients (ptid, fname, lname, birthdate) VALUES "
                       "(3, 'Al', 'Adams', #12/31/1999#)"}
        << QStringList{"ID", "First", "Last", "D.O.B."} << QStringList{"First Name", "Last Name"}
        << QStringList{"12", "Zoe", "Young", "03/05/1961"}
        << QStringList{"3", "Al", "Adams", "12/31/1999"} << 2;
    QTest::newRow("doctors")
        << "Doctor"
        << QStringList{"INSERT INTO Doctors (DoctorID, FName, LName, Classification) VALUES "
                       "(5, 'Eve', 'Ward', 'Cardiology')",
                       "INSERT INTO Doctors (DoctorID, FName, LName) VALUES (2, 'Bo', 'Ash')"}
        << QStringList{"ID", "First", "Last", "Class."} << QStringList{"First Name", "Last Name"}
        << QStringList{"5", "Eve", "Ward", "Cardiology"} << QStringList{"2", "Bo", "Ash", ""} << 2;
    QTest::newRow("drugs")
        << "Drug"
        << QStringList{"INSERT INTO Drugs (DrugID, DrugDesc) VALUES (9, 'Zocor®')",
                       "INSERT INTO Drugs (DrugID, DrugDesc) VALUES (1, 'Lipitor®')"}
        << QStringList{"ID", "Name"} << QStringList{"Name"} << QStringList{"9", "Zocor®"}
        << QStringList{"1", "Lipitor®"} << 2;
    QTest::newRow("health factors, seeded")
        << "HealthFactor" << QStringList{} << QStringList{"ID", "Description"}
        << QStringList{"Description"} << QStringList{"1", "Smoking"}
        << QStringList{"4", "Sedintery lifestyle"} << 4;
}

void tst_Search::opensWithControlsAndListing()
{
    QFETCH(QString, kind);
    QFETCH(QStringList, statements);
    for (const QString& sql : statements)
        ListWindowTestbed::Exec(sql);

    frmSearch window;
    window.Init(kind, &m_receiver);
    QCOMPARE(window.objectName(), QStringLiteral("frmSearch"));
    QCOMPARE(window.windowTitle(), QStringLiteral("Search - ") + kind);
    auto* operators = Child<QComboBox>(window, "cmbOperator");
    QCOMPARE(QStringList({operators->itemText(0), operators->itemText(1), operators->itemText(2)}),
             QStringList({"Contains", "Starts with", "="}));
    QCOMPARE(operators->count(), 3);
    QCOMPARE(operators->currentText(), QStringLiteral("Starts with"));
    auto* items = Child<QComboBox>(window, "cmbSearchItems");
    QStringList itemTexts;
    for (int i = 0; i < items->count(); ++i)
        itemTexts.append(items->itemText(i));
    QTEST(itemTexts, "searchItems");
    QCOMPARE(Child<QPushButton>(window, "cmdSearch")->text(), QStringLiteral("&Search"));
    QVERIFY(Child<QLineEdit>(window, "txtSearchFor"));

    QTableView& view = grid(window);
    QTEST(headings(view), "expectedHeadings");
    QTEST(view.model()->rowCount(), "rows");
    QTEST(rowTexts(view, 0), "firstRow");
    QTEST(rowTexts(view, view.model()->rowCount() - 1), "lastRow");
    QVERIFY(m_bed->notices.isEmpty());
}

void tst_Search::presetSelectsTheFieldOfThatName_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("preset");
    QTest::addColumn<int>("selected");

    QTest::newRow("last name") << "Patient"
                               << "Last Name" << 1;
    QTest::newRow("first name") << "Doctor"
                                << "First Name" << 0;
    QTest::newRow("drug name") << "Drug"
                               << "Name" << 0;
    QTest::newRow("empty") << "HealthFactor"
                           << "" << -1;
    QTest::newRow("unknown") << "Patient"
                             << "Middle Name" << -1;
    QTest::newRow("other letter case") << "Patient"
                                       << "last name" << -1;
}

void tst_Search::presetSelectsTheFieldOfThatName()
{
    QFETCH(QString, kind);
    QFETCH(QString, preset);
    frmSearch window;
    window.Init(kind, &m_receiver, preset);
    QTEST(Child<QComboBox>(window, "cmbSearchItems")->currentIndex(), "selected");
}

void tst_Search::startsWithListsByTheChosenField()
{
    addPatients({"Smithers", "Jones", "Osmith", "Smith", "Asmi"});
    frmSearch window;
    window.Init(QStringLiteral("Patient"), &m_receiver, QStringLiteral("Last Name"));
    window.show();

    search(window, QStringLiteral("Starts with"), QStringLiteral("smi"));
    QCOMPARE(columnTexts(grid(window), 2), QStringList({"Smith", "Smithers"}));
    QCOMPARE(columnTexts(grid(window), 0), QStringList({"4", "1"}));

    // Enter in the text box runs the search as the button does.
    auto* box = Child<QLineEdit>(window, "txtSearchFor");
    box->clear();
    QTest::keyClicks(box, QStringLiteral("jo"));
    QTest::keyClick(box, Qt::Key_Return);
    QCOMPARE(columnTexts(grid(window), 2), QStringList({"Jones"}));
    QVERIFY(window.isVisible());
    QVERIFY(m_bed->notices.isEmpty());
}

void tst_Search::containsEmptyListsEveryRecordWithTheField()
{
    addPatients({"Brown", "Adams"});
    ListWindowTestbed::Exec(
        QStringLiteral("INSERT INTO Patients (ptid, fname) VALUES (7, 'Nolast')"));
    frmSearch window;
    window.Init(QStringLiteral("Patient"), &m_receiver, QStringLiteral("Last Name"));
    QCOMPARE(grid(window).model()->rowCount(), 3);

    search(window, QStringLiteral("Contains"), QString());
    QCOMPARE(columnTexts(grid(window), 2), QStringList({"Adams", "Brown"}));

    search(window, QStringLiteral("Contains"), QStringLiteral("DAM"));
    QCOMPARE(columnTexts(grid(window), 2), QStringList({"Adams"}));
}

void tst_Search::equalsFindsOnlyEqualDrugNames()
{
    for (const char* name : {"Lipitor® XR", "Zocor®", "Lipitor®", "Xlipitor®"})
        ListWindowTestbed::Exec(
            QStringLiteral("INSERT INTO Drugs (DrugID, DrugDesc) VALUES (%1, '%2')")
                .arg(
                    ListWindowTestbed::Value(QStringLiteral("SELECT COUNT(*) FROM Drugs")).toInt() +
                    1)
                .arg(QString::fromUtf8(name)));
    frmSearch window;
    window.Init(QStringLiteral("Drug"), &m_receiver, QStringLiteral("Name"));

    search(window, QStringLiteral("="), QStringLiteral("lipitor®"));
    QCOMPARE(rowTexts(grid(window), 0), QStringList({"3", "Lipitor®"}));
    QCOMPARE(grid(window).model()->rowCount(), 1);

    search(window, QStringLiteral("="), QStringLiteral("Lipitor"));
    QCOMPARE(m_bed->notices, QStringList({"No records meeting that criteria"}));
}

void tst_Search::valuesAreSearchedLiterally_data()
{
    QTest::addColumn<QString>("op");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QStringList>("found");

    QTest::newRow("apostrophe, starts with") << "Starts with"
                                             << "o'h" << QStringList{"O'Hara"};
    QTest::newRow("apostrophe alone, contains") << "Contains"
                                                << "'" << QStringList{"O'Hara"};
    QTest::newRow("apostrophe, equals") << "="
                                        << "O'Hara" << QStringList{"O'Hara"};
    QTest::newRow("star") << "Contains"
                          << "*" << QStringList{"Star*"};
    QTest::newRow("question mark") << "Contains"
                                   << "o?" << QStringList{"Who?"};
    QTest::newRow("hash") << "Starts with"
                          << "#" << QStringList{"#1 Fan"};
    QTest::newRow("open bracket") << "Contains"
                                  << "[" << QStringList{"[Bracket]"};
    QTest::newRow("close bracket") << "Contains"
                                   << "]" << QStringList{"[Bracket]"};
    QTest::newRow("bracket pair") << "Starts with"
                                  << "[b" << QStringList{"[Bracket]"};
    QTest::newRow("equals star") << "="
                                 << "Star*" << QStringList{"Star*"};
}

void tst_Search::valuesAreSearchedLiterally()
{
    QFETCH(QString, op);
    QFETCH(QString, value);
    addPatients({"O'Hara", "OHara", "Star*", "Stars", "Who?", "Whom", "#1 Fan", "71 Fan",
                 "[Bracket]", "Bracket", "b"});
    frmSearch window;
    window.Init(QStringLiteral("Patient"), &m_receiver, QStringLiteral("Last Name"));

    search(window, op, value);
    QTEST(columnTexts(grid(window), 2), "found");
    QCOMPARE(m_bed->notices, QStringList());
}

void tst_Search::noMatchSaysSoAndKeepsTheGrid()
{
    addPatients({"Brown", "Adams", "Clark"});
    frmSearch window;
    window.Init(QStringLiteral("Patient"), &m_receiver, QStringLiteral("Last Name"));
    search(window, QStringLiteral("Starts with"), QStringLiteral("a"));
    QCOMPARE(columnTexts(grid(window), 2), QStringList({"Adams"}));

    search(window, QStringLiteral("Contains"), QStringLiteral("zz"));
    QCOMPARE(m_bed->notices, QStringList({"No records meeting that criteria"}));
    QCOMPARE(columnTexts(grid(window), 2), QStringList({"Adams"}));
}

void tst_Search::engineFailureIsReportedAndKeepsTheGrid()
{
    addPatients({"Brown", "Adams"});
    frmSearch window;
    window.Init(QStringLiteral("Patient"), &m_receiver, QStringLiteral("Last Name"));
    SetAppDatabase(Database());

    search(window, QStringLiteral("Contains"), QStringLiteral("r"));
    QCOMPARE(m_bed->notices.size(), 1);
    QVERIFY(m_bed->notices.first() != QStringLiteral("No records meeting that criteria"));
    QCOMPARE(columnTexts(grid(window), 2), QStringList({"Brown", "Adams"}));
}

void tst_Search::searchWithoutFieldUsesTheFirstField()
{
    addPatient(1, QStringLiteral("Bert"), QStringLiteral("Annan"));
    addPatient(2, QStringLiteral("Anna"), QStringLiteral("Zorn"));
    addPatient(3, QStringLiteral("Annie"), QStringLiteral("Young"));
    frmSearch window;
    window.Init(QStringLiteral("Patient"), &m_receiver, QStringLiteral("Nickname"));
    auto* items = Child<QComboBox>(window, "cmbSearchItems");
    QCOMPARE(items->currentIndex(), -1);

    search(window, QStringLiteral("Starts with"), QStringLiteral("ann"));
    QCOMPARE(columnTexts(grid(window), 1), QStringList({"Anna", "Annie"}));
    QCOMPARE(items->currentText(), QStringLiteral("First Name"));
}

void tst_Search::doubleClickHandsOverTheRowsRecord()
{
    addPatients({"First", "Second"});
    ListWindowTestbed::Exec(QStringLiteral(
        "INSERT INTO Patients (ptid, fname, lname, MI, birthdate, calldate, Address1, Address2, "
        "city, st, zip, phone, cellphone, email, sex, goal_chol, goal_ldl, systolic, diastolic) "
        "VALUES (31, 'Mary', 'Third', 'Q', #7/4/1948#, #11/20/2025#, '1 Elm St', 'Apt 2', "
        "'Salem', 'OR', '97301', '(503) 555-0101', '(503) 555-0102', 'mary@example.com', 'F', "
        "190, 100, 135, 85)"));
    addPatient(40, QStringLiteral("Ann"), QStringLiteral("Fourth"));
    frmSearch window;
    window.Init(QStringLiteral("Patient"), &m_receiver, QStringLiteral("Last Name"));
    window.show();
    QTableView& view = grid(window);

    const QPoint heading(view.horizontalHeader()->sectionViewportPosition(0) + 5,
                         view.horizontalHeader()->height() / 2);
    DoubleClickAt(view.horizontalHeader()->viewport(), heading);
    QCOMPARE(m_receiver.Count(), 0);
    QVERIFY(window.isVisible());

    DoubleClickRow(view, 2);
    QCOMPARE(m_receiver.Count(), 1);
    QCOMPARE(m_receiver.patients.size(), 1);
    const clsPatient& p = m_receiver.patients.first();
    QCOMPARE(p.ID(), 31);
    QCOMPARE(QStringList({p.FirstName(), p.LastName(), p.MI(), p.BirthDate(), p.CallDate()}),
             QStringList({"Mary", "Third", "Q", "07/04/1948", "11/20/2025"}));
    QCOMPARE(QStringList({p.Address1(), p.Address2(), p.City(), p.ST(), p.Zip()}),
             QStringList({"1 Elm St", "Apt 2", "Salem", "OR", "97301"}));
    QCOMPARE(QStringList({p.Phone(), p.CellPhone(), p.EMail(), p.Sex()}),
             QStringList({"(503) 555-0101", "(503) 555-0102", "mary@example.com", "F"}));
    QCOMPARE(QList<qint32>({p.GoalChol(), p.GoalLDL(), p.Systolic(), p.Diastolic()}),
             QList<qint32>({190, 100, 135, 85}));
    QVERIFY(!window.isVisible());
    QCOMPARE(window.result(), int(QDialog::Accepted));
}

void tst_Search::enterOnARowHandsItOver()
{
    ListWindowTestbed::Exec(
        QStringLiteral("INSERT INTO HealthFactors (CondID, CondDesc) VALUES (5, 'Diabetes')"));
    frmSearch window;
    window.Init(QStringLiteral("HealthFactor"), &m_receiver, QStringLiteral("Description"));
    window.show();
    QTableView& view = grid(window);

    QTest::keyClick(&view, Qt::Key_Return);
    QCOMPARE(m_receiver.Count(), 0);

    const QRect cell = view.visualRect(view.model()->index(4, 1));
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, cell.center());
    QTest::keyClick(&view, Qt::Key_Up);
    QTest::keyClick(&view, Qt::Key_Enter);
    QCOMPARE(m_receiver.factors.size(), 1);
    QCOMPARE(m_receiver.factors.first().ID(), 4);
    QCOMPARE(m_receiver.factors.first().Desc(), QStringLiteral("Sedintery lifestyle"));
    QVERIFY(!window.isVisible());
}

void tst_Search::openSearchHandsBackFromTheModalWindow()
{
    ListWindowTestbed::Exec(QStringLiteral(
        "INSERT INTO Doctors (DoctorID, FName, LName, Classification) VALUES (8, ' Eve ', 'Ward', "
        "'GP')"));
    m_bed->OnWindow(QStringLiteral("frmSearch"), [](QDialog& window) {
        QCOMPARE(window.windowTitle(), QStringLiteral("Search - Doctor"));
        DoubleClickRow(grid(window), 0);
    });
    OpenSearch(nullptr, m_receiver, QStringLiteral("Doctor"), QStringLiteral("Last Name"));

    QVERIFY(m_bed->AllWindowsSeen());
    QCOMPARE(m_bed->leftOpen, QStringList());
    QCOMPARE(m_receiver.doctors.size(), 1);
    const clsDoctor& d = m_receiver.doctors.first();
    QCOMPARE(
        QStringList({QString::number(d.ID()), d.FirstName(), d.LastName(), d.Classification()}),
        QStringList({"8", "Eve", "Ward", "GP"}));
}

QTEST_MAIN(tst_Search)
#include "tst_Search.moc"
