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
        addPatient(++ptid, "Ann", name);
}

QTableView& grid(QWidget& window)
{
    return *Child<QTableView>(window, "GridResults");
}

// The texts of a row, a column, or with row -1 the headings.
QStringList texts(QTableView& view, int row, int column = -1)
{
    const QAbstractItemModel& model = *view.model();
    QStringList texts;
    const int count = column < 0 ? model.columnCount() : model.rowCount();
    for (int i = 0; i < count; ++i) {
        texts.append(row < 0 && column < 0 ? model.headerData(i, Qt::Horizontal).toString()
                     : column < 0          ? model.index(row, i).data().toString()
                                           : model.index(i, column).data().toString());
    }
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

    void opensWithControlsAndListing_data()
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
            << QStringList{"ID", "First", "Last", "D.O.B."}
            << QStringList{"First Name", "Last Name"}
            << QStringList{"12", "Zoe", "Young", "03/05/1961"}
            << QStringList{"3", "Al", "Adams", "12/31/1999"} << 2;
        QTest::newRow("doctors")
            << "Doctor"
            << QStringList{"INSERT INTO Doctors (DoctorID, FName, LName, Classification) VALUES "
                           "(5, 'Eve', 'Ward', 'Cardiology')",
                           "INSERT INTO Doctors (DoctorID, FName, LName) VALUES (2, 'Bo', 'Ash')"}
            << QStringList{"ID", "First", "Last", "Class."}
            << QStringList{"First Name", "Last Name"}
            << QStringList{"5", "Eve", "Ward", "Cardiology"} << QStringList{"2", "Bo", "Ash", ""}
            << 2;
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

    void opensWithControlsAndListing()
    {
        QFETCH(QString, kind);
        QFETCH(QStringList, statements);
        for (const QString& sql : statements)
            ListWindowTestbed::Exec(sql);

        frmSearch window;
        window.Init(kind, &m_receiver);
        QCOMPARE(window.objectName(), "frmSearch");
        QCOMPARE(window.windowTitle(), "Search - " + kind);
        auto* operators = Child<QComboBox>(window, "cmbOperator");
        QCOMPARE(QStringList({operators->itemText(0), operators->itemText(1),
                              operators->itemText(2)}),
                 QStringList({"Contains", "Starts with", "="}));
        QCOMPARE(operators->count(), 3);
        QCOMPARE(operators->currentText(), "Starts with");
        auto* items = Child<QComboBox>(window, "cmbSearchItems");
        QStringList itemTexts;
        for (int i = 0; i < items->count(); ++i)
            itemTexts.append(items->itemText(i));
        QTEST(itemTexts, "searchItems");
        QCOMPARE(Child<QPushButton>(window, "cmdSearch")->text(), "&Search");
        QVERIFY(Child<QLineEdit>(window, "txtSearchFor"));

        QTableView& view = grid(window);
        QTEST(texts(view, -1), "expectedHeadings");
        QTEST(view.model()->rowCount(), "rows");
        QTEST(texts(view, 0), "firstRow");
        QTEST(texts(view, view.model()->rowCount() - 1), "lastRow");
        QVERIFY(m_bed->notices.isEmpty());
    }

    void presetSelectsTheFieldOfThatName_data()
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

    void presetSelectsTheFieldOfThatName()
    {
        QFETCH(QString, kind);
        QFETCH(QString, preset);
        frmSearch window;
        window.Init(kind, &m_receiver, preset);
        QTEST(Child<QComboBox>(window, "cmbSearchItems")->currentIndex(), "selected");
    }

    void findsByTheChosenFieldAndOperator_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("column");
        QTest::addColumn<QStringList>("stored");
        QTest::addColumn<QString>("op");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QStringList>("found");
        const QStringList names{"Smithers", "Osmith", "Smith", "Asmi", "Adams"};
        // Each name with a pattern character has a twin the character would match as a pattern.
        const QStringList marks{"O'Hara", "OHara", "Star*", "Stars",     "Who?",   "Whom",
                                "#1 Fan", "71 Fan", "[Bracket]", "Bracket", "b"};
        const auto lastName = [](const char* row, const QStringList& stored) -> QTestData& {
            return QTest::newRow(row) << "Patient" << "Last Name" << 2 << stored;
        };
        const auto drugName = [](const char* row) -> QTestData& {
            const QStringList drugs{"Lipitor® XR", "Zocor®", "Lipitor®", "Xlipitor®"};
            return QTest::newRow(row) << "Drug" << "Name" << 1 << drugs;
        };
        lastName("starts with", names) << "Starts with" << "smi"
                                       << QStringList{"Smith", "Smithers"};
        lastName("contains, any letter case", names) << "Contains" << "DAM" << QStringList{"Adams"};
        drugName("equals, any letter case") << "=" << "lipitor®" << QStringList{"Lipitor®"};
        drugName("equals is no prefix") << "=" << "Lipitor" << QStringList();
        lastName("apostrophe, starts with", marks) << "Starts with" << "o'h"
                                                   << QStringList{"O'Hara"};
        lastName("apostrophe alone, contains", marks) << "Contains" << "'" << QStringList{"O'Hara"};
        lastName("apostrophe, equals", marks) << "=" << "O'Hara" << QStringList{"O'Hara"};
        lastName("star", marks) << "Contains" << "*" << QStringList{"Star*"};
        lastName("question mark", marks) << "Contains" << "o?" << QStringList{"Who?"};
        lastName("hash", marks) << "Starts with" << "#" << QStringList{"#1 Fan"};
        lastName("open bracket", marks) << "Contains" << "[" << QStringList{"[Bracket]"};
        lastName("close bracket", marks) << "Contains" << "]" << QStringList{"[Bracket]"};
        lastName("bracket pair", marks) << "Starts with" << "[b" << QStringList{"[Bracket]"};
        lastName("equals star", marks) << "=" << "Star*" << QStringList{"Star*"};
    }

    // Values are taken literally, whatever the engine makes of quotes and pattern characters;
    // a search that finds nothing says so.
    void findsByTheChosenFieldAndOperator()
    {
        QFETCH(QString, kind);
        QFETCH(QString, field);
        QFETCH(QStringList, stored);
        QFETCH(QString, op);
        QFETCH(QString, value);
        QFETCH(int, column);
        QFETCH(QStringList, found);
        if (kind == "Patient")
            addPatients(stored);
        for (int id = 1; kind == "Drug" && id <= stored.size(); ++id)
            ListWindowTestbed::Exec(QString("INSERT INTO Drugs VALUES (%1, '%2')").arg(id).arg(
                stored[id - 1]));
        frmSearch window;
        window.Init(kind, &m_receiver, field);
        search(window, op, value);
        if (found.isEmpty())
            QCOMPARE(m_bed->notices, QStringList({"No records meeting that criteria"}));
        else
            QCOMPARE(texts(grid(window), -1, column), found);
        QCOMPARE(m_bed->notices.isEmpty(), !found.isEmpty());
    }

    // Neither a search that finds nothing nor an engine failure empties the grid; each says why.
    void failedSearchKeepsTheGrid()
    {
        addPatients({"Brown", "Adams"});
        ListWindowTestbed::Exec("INSERT INTO Patients (ptid, fname) VALUES (7, 'Nolast')");
        frmSearch window;
        window.Init("Patient", &m_receiver, "Last Name");
        QCOMPARE(grid(window).model()->rowCount(), 3);
        // An empty Contains lists every record that has the field.
        search(window, "Contains", QString());
        QCOMPARE(texts(grid(window), -1, 2), QStringList({"Adams", "Brown"}));
        search(window, "Contains", "zz");
        QCOMPARE(m_bed->notices, QStringList({"No records meeting that criteria"}));
        QCOMPARE(texts(grid(window), -1, 2), QStringList({"Adams", "Brown"}));
        SetAppDatabase(Database());
        search(window, "Contains", "r");
        QCOMPARE(m_bed->notices.size(), 2);
        QVERIFY(m_bed->notices.last() != "No records meeting that criteria");
        QCOMPARE(texts(grid(window), -1, 2), QStringList({"Adams", "Brown"}));
    }

    void searchWithoutFieldUsesTheFirstField()
    {
        addPatient(1, "Bert", "Annan");
        addPatient(2, "Anna", "Zorn");
        addPatient(3, "Annie", "Young");
        frmSearch window;
        window.Init("Patient", &m_receiver, "Nickname");
        window.show();
        auto* items = Child<QComboBox>(window, "cmbSearchItems");
        QCOMPARE(items->currentIndex(), -1);

        // Enter in the text box runs the search as the button does.
        chooseOperator(window, "Starts with");
        QTest::keyClicks(Child<QLineEdit>(window, "txtSearchFor"), "ann");
        QTest::keyClick(Child<QLineEdit>(window, "txtSearchFor"), Qt::Key_Return);
        QCOMPARE(texts(grid(window), -1, 1), QStringList({"Anna", "Annie"}));
        QVERIFY(window.isVisible());
        QCOMPARE(items->currentText(), "First Name");
    }

    void doubleClickHandsOverTheRowsRecord()
    {
        addPatients({"First", "Second"});
        ListWindowTestbed::Exec(
            "INSERT INTO Patients (ptid, fname, lname, MI, birthdate, calldate, Address1, "
            "Address2, city, st, zip, phone, cellphone, email, sex, goal_chol, goal_ldl, systolic, "
            "diastolic) VALUES (31, 'Mary', 'Third', 'Q', #7/4/1948#, #11/20/2025#, '1 Elm St', "
            "'Apt 2', 'Salem', 'OR', '97301', '(503) 555-0101', '(503) 555-0102', "
            "'mary@example.com', 'F', 190, 100, 135, 85)");
        addPatient(40, "Ann", "Fourth");
        frmSearch window;
        window.Init("Patient", &m_receiver, "Last Name");
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

    void enterOnARowHandsItOver()
    {
        ListWindowTestbed::Exec(
            "INSERT INTO HealthFactors (CondID, CondDesc) VALUES (5, 'Diabetes')");
        frmSearch window;
        window.Init("HealthFactor", &m_receiver, "Description");
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
        QCOMPARE(m_receiver.factors.first().Desc(), "Sedintery lifestyle");
        QVERIFY(!window.isVisible());
    }

    void openSearchHandsBackFromTheModalWindow()
    {
        ListWindowTestbed::Exec("INSERT INTO Doctors (DoctorID, FName, LName, Classification) "
                                "VALUES (8, ' Eve ', 'Ward', 'GP')");
        m_bed->OnWindow("frmSearch", [](QDialog& window) {
            QCOMPARE(window.windowTitle(), "Search - Doctor");
            DoubleClickRow(grid(window), 0);
        });
        OpenSearch(nullptr, m_receiver, "Doctor", "Last Name");

        QVERIFY(m_bed->AllWindowsSeen());
        QCOMPARE(m_bed->leftOpen, QStringList());
        QCOMPARE(m_receiver.doctors.size(), 1);
        const clsDoctor& d = m_receiver.doctors.first();
        QCOMPARE(
            QStringList({QString::number(d.ID()), d.FirstName(), d.LastName(), d.Classification()}),
            QStringList({"8", "Eve", "Ward", "GP"}));
    }

private:
    std::unique_ptr<ListWindowTestbed> m_bed;
    Receiver m_receiver;
};

QTEST_MAIN(tst_Search)
#include "tst_Search.moc"
