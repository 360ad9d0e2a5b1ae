// The search window: each kind's listing, literal searches, and the record it hands over.
#include "ListWindowTestbed.h"
#include "SearchReceiver.h"
#include "clsDoctor.h"
#include "clsDrug.h"
#include "clsHealthFactor.h"
#include "clsPatient.h"
#include "frmSearch.h"

#include <QComboBox>
#include <QHeaderView>
#include <QTableView>

namespace {

QString joined(const QList<QVariant>& values)
{
    QStringList texts;
    for (const QVariant& value : values)
        texts.append(value.toString());
    return texts.join(u'|');
}

// Keeps each record handed over as its values joined by '|'.
class Receiver : public SearchReceiver {
public:
    void LoadObjectData(const clsPatient& p) override
    {
        handed.append(joined({p.ID(), p.FirstName(), p.LastName(), p.MI(), p.BirthDate(),
                              p.CallDate(), p.Address1(), p.Address2(), p.City(), p.ST(), p.Zip(),
                              p.Phone(), p.CellPhone(), p.EMail(), p.Sex(), p.GoalChol(),
                              p.GoalLDL(), p.Systolic(), p.Diastolic()}));
    }
    void LoadObjectData(const clsDoctor& d) override
    {
        handed.append(joined({d.ID(), d.FirstName(), d.LastName(), d.Classification()}));
    }
    void LoadObjectData(const clsDrug& d) override { handed.append(joined({d.DrugID(), d.DrugDesc()})); }
    void LoadObjectData(const clsHealthFactor& f) override { handed.append(joined({f.ID(), f.Desc()})); }
    QStringList handed;
};

void addPatients(const QStringList& lastNames)
{
    for (int ptid = 1; ptid <= lastNames.size(); ++ptid)
        ListWindowTestbed::Exec(QStringLiteral("INSERT INTO Patients (ptid, fname, lname) VALUES "
                                               "(%1, 'Ann', '%2')")
                                    .arg(ptid)
                                    .arg(SqlQuote(lastNames[ptid - 1])));
}

QTableView& grid(QWidget& window) { return *Child<QTableView>(window, "GridResults"); }

QStringList items(const QComboBox& box)
{
    QStringList texts;
    for (int i = 0; i < box.count(); ++i)
        texts.append(box.itemText(i));
    return texts;
}

// Without a column, the headings and then each row, as texts joined by '|'; with one, its texts.
QStringList shown(QTableView& view, int column = -1)
{
    const QAbstractItemModel& model = *view.model();
    QStringList rows;
    for (int row = column < 0 ? -1 : 0; row < model.rowCount(); ++row) {
        QStringList texts;
        for (int c = qMax(column, 0); c < (column < 0 ? model.columnCount() : column + 1); ++c)
            texts.append(row < 0 ? model.headerData(c, Qt::Horizontal).toString()
                                 : model.index(row, c).data().toString());
        rows.append(texts.join(u'|'));
    }
    return rows;
}

// Chooses the operator with the keyboard, types the value and presses Search.
void search(QWidget& window, const QString& op, const QString& value)
{
    auto* operators = Child<QComboBox>(window, "cmbOperator");
    operators->setFocus();
    while (operators->currentIndex() > 0)
        QTest::keyClick(operators, Qt::Key_Up);
    while (operators->currentText() != op && operators->currentIndex() < operators->count() - 1)
        QTest::keyClick(operators, Qt::Key_Down);
    TypeInto(window, "txtSearchFor", value);
    ClickButton(window, "cmdSearch");
}

const QString NothingFound = QStringLiteral("No records meeting that criteria");

} // namespace

class tst_Search : public QObject {
    Q_OBJECT
    std::unique_ptr<ListWindowTestbed> m_bed;
    Receiver m_receiver;

private slots:
    void init()
    {
        m_bed = std::make_unique<ListWindowTestbed>();
        m_receiver.handed.clear();
    }
    void cleanup() { m_bed.reset(); }

    void listsEachKindAndHandsOverADoubleClickedRow_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QStringList>("statements");
        QTest::addColumn<QString>("preset");
        QTest::addColumn<int>("selected");
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<QStringList>("listing");
        QTest::addColumn<QString>("handed");
        const QStringList patients{
            "INSERT INTO Patients (ptid, fname, lname, MI, birthdate, calldate, Address1, Address2, "
            "city, st, zip, phone, cellphone, email, sex, goal_chol, goal_ldl, systolic, diastolic) "
            "VALUES (12, 'Zoe', 'Young', 'Q', #3/5/1961#, #11/20/2025#, '1 Elm St', 'Apt 2', "
            "'Salem', 'OR', '97301', '(503) 555-0101', '(503) 555-0102', 'zoe@example.com', 'F', "
            "190, 100, 135, 85)",
            "INSERT INTO Patients (ptid, fname, lname, birthdate) VALUES (3, 'Al', 'Adams', "
            "#12/31/1999#)"};
        const QStringList names{"First Name", "Last Name"};
        const QStringList patientListing{"ID|First|Last|D.O.B.", "12|Zoe|Young|03/05/1961",
                                         "3|Al|Adams|12/31/1999"};
        const QString zoe = "12|Zoe|Young|Q|03/05/1961|11/20/2025|1 Elm St|Apt 2|Salem|OR|97301|"
                            "(503) 555-0101|(503) 555-0102|zoe@example.com|F|190|100|135|85";
        QTest::newRow("patients in stored order")
            << "Patient" << patients << "Last Name" << 1 << names << patientListing << zoe;
        QTest::newRow("a preset in another letter case selects nothing")
            << "Patient" << patients << "last name" << -1 << names << patientListing << zoe;
        QTest::newRow("doctors")
            << "Doctor"
            << QStringList{"INSERT INTO Doctors (DoctorID, FName, LName, Classification) VALUES "
                           "(5, 'Eve', 'Ward', 'Cardiology')",
                           "INSERT INTO Doctors (DoctorID, FName, LName) VALUES (2, 'Bo', 'Ash')"}
            << "First Name" << 0 << names
            << QStringList{"ID|First|Last|Class.", "5|Eve|Ward|Cardiology", "2|Bo|Ash|"}
            << "5|Eve|Ward|Cardiology";
        QTest::newRow("drugs") << "Drug"
                               << QStringList{"INSERT INTO Drugs VALUES (9, 'Zocor®')",
                                              "INSERT INTO Drugs VALUES (1, 'Lipitor®')"}
                               << "Name" << 0 << QStringList{"Name"}
                               << QStringList{"ID|Name", "9|Zocor®", "1|Lipitor®"} << "9|Zocor®";
        QTest::newRow("health factors, seeded, no preset")
            << "HealthFactor" << QStringList() << QString() << -1 << QStringList{"Description"}
            << QStringList{"ID|Description", "1|Smoking", "2|Family History", "3|Overweight",
                           "4|Sedintery lifestyle"}
            << "1|Smoking";
    }

    // A double-click on a heading hands over nothing; on a row it hands its record over and closes.
    void listsEachKindAndHandsOverADoubleClickedRow()
    {
        QFETCH(QString, kind);
        QFETCH(QStringList, statements);
        QFETCH(QString, preset);
        for (const QString& sql : statements)
            ListWindowTestbed::Exec(sql);
        frmSearch window;
        window.Init(kind, &m_receiver, preset);
        window.show();
        QCOMPARE(window.windowTitle(), "Search - " + kind);
        auto* operators = Child<QComboBox>(window, "cmbOperator");
        QCOMPARE(items(*operators), QStringList({"Contains", "Starts with", "="}));
        QCOMPARE(operators->currentText(), "Starts with");
        QTEST(items(*Child<QComboBox>(window, "cmbSearchItems")), "fields");
        QTEST(Child<QComboBox>(window, "cmbSearchItems")->currentIndex(), "selected");
        QTEST(shown(grid(window)), "listing");
        QHeaderView& header = *grid(window).horizontalHeader();
        DoubleClickAt(header.viewport(), {header.sectionViewportPosition(0) + 5, header.height() / 2});
        QVERIFY(m_receiver.handed.isEmpty() && window.isVisible());
        DoubleClickRow(grid(window), 0);
        QTEST(m_receiver.handed.join(u'/'), "handed");
        QCOMPARE(window.result(), int(QDialog::Accepted));
        QVERIFY(m_bed->notices.isEmpty());
    }

    void findsLiterallyByFieldAndOperator_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QStringList>("stored");
        QTest::addColumn<QString>("op");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QStringList>("found");
        const QStringList names{"Smithers", "Osmith", "Smith", "Asmi", "Adams"};
        // Each name with a pattern character has a twin the character would match as a pattern.
        const QStringList marks{"O'Hara", "OHara", "Star*", "Stars",     "Who?",    "Whom",
                                "#1 Fan", "71 Fan", "[Bracket]", "Bracket", "b"};
        const QStringList drugs{"Lipitor® XR", "Zocor®", "Lipitor®", "Xlipitor®"};
        const auto row = [](const char* name, const char* kind, const QStringList& stored) -> QTestData& {
            return QTest::newRow(name) << kind << stored;
        };
        row("starts with", "Patient", names) << "Starts with" << "smi" << QStringList{"Smith", "Smithers"};
        row("contains, any letter case", "Patient", names) << "Contains" << "DAM" << QStringList{"Adams"};
        row("equals, any letter case", "Drug", drugs) << "=" << "lipitor®" << QStringList{"Lipitor®"};
        row("equals is no prefix", "Drug", drugs) << "=" << "Lipitor" << QStringList();
        row("apostrophe, starts with", "Patient", marks) << "Starts with" << "o'h" << QStringList{"O'Hara"};
        row("apostrophe alone, contains", "Patient", marks) << "Contains" << "'" << QStringList{"O'Hara"};
        row("apostrophe, equals", "Patient", marks) << "=" << "O'Hara" << QStringList{"O'Hara"};
        row("star", "Patient", marks) << "Contains" << "*" << QStringList{"Star*"};
        row("question mark", "Patient", marks) << "Contains" << "o?" << QStringList{"Who?"};
        row("hash", "Patient", marks) << "Starts with" << "#" << QStringList{"#1 Fan"};
        row("open bracket", "Patient", marks) << "Contains" << "[" << QStringList{"[Bracket]"};
        row("close bracket", "Patient", marks) << "Contains" << "]" << QStringList{"[Bracket]"};
            row("equals star", "Patient", marks) << "=" << "Star*" << QStringList{"Star*"};
    }

    // Values are taken literally, whatever the engine makes of quotes and pattern characters; a
    // search that finds nothing says so.
    void findsLiterallyByFieldAndOperator()
    {
        QFETCH(QString, kind);
        QFETCH(QStringList, stored);
        QFETCH(QStringList, found);
        const bool patients = kind == u"Patient";
        if (patients)
            addPatients(stored);
        for (int id = 1; !patients && id <= stored.size(); ++id)
            ListWindowTestbed::Exec(
                QStringLiteral("INSERT INTO Drugs VALUES (%1, '%2')").arg(id).arg(stored[id - 1]));
        frmSearch window;
        window.Init(kind, &m_receiver, patients ? "Last Name" : "Name");
        QFETCH(QString, op);
        QFETCH(QString, value);
        search(window, op, value);
        QCOMPARE(m_bed->notices, found.isEmpty() ? QStringList{NothingFound} : QStringList());
        if (!found.isEmpty())
            QCOMPARE(shown(grid(window), patients ? 2 : 1), found);
    }

    // Enter in the box searches as the button does, by the first field when none is chosen;
    // neither a search that finds nothing nor an engine failure empties the grid; each says why.
    void searchesByTheFirstFieldAndAFailedSearchKeepsTheGrid()
    {
        addPatients({"Annan", "Zorn", "Young"});
        ListWindowTestbed::Exec("UPDATE Patients SET fname = 'Bert' WHERE ptid = 1");
        ListWindowTestbed::Exec("INSERT INTO Patients (ptid, fname) VALUES (7, 'Annie')");
        frmSearch window;
        window.Init("Patient", &m_receiver, "Nickname");
        window.show();
        auto* items = Child<QComboBox>(window, "cmbSearchItems");
        QCOMPARE(items->currentIndex(), -1);
        QTest::keyClicks(Child<QLineEdit>(window, "txtSearchFor"), "ann");
        QTest::keyClick(Child<QLineEdit>(window, "txtSearchFor"), Qt::Key_Return);
        QCOMPARE(shown(grid(window), 1), QStringList({"Ann", "Ann", "Annie"}));
        QVERIFY(window.isVisible());
        QCOMPARE(items->currentText(), "First Name");
        items->setCurrentIndex(1);
        // An empty Contains lists every record that has the field.
        search(window, "Contains", QString());
        QCOMPARE(shown(grid(window), 2), QStringList({"Annan", "Young", "Zorn"}));
        search(window, "Contains", "zz");
        SetAppDatabase(Database());
        search(window, "Contains", "r");
        QCOMPARE(m_bed->notices.size(), 2);
        QCOMPARE(m_bed->notices.first(), NothingFound);
        QVERIFY(m_bed->notices.last() != NothingFound);
        QCOMPARE(shown(grid(window), 2), QStringList({"Annan", "Young", "Zorn"}));
    }

    // Enter without a current row does nothing; on a row moved to with the keys it hands that row
    // over, its values trimmed.
    void enterOnARowHandsItOverFromTheModalWindow()
    {
        ListWindowTestbed::Exec("INSERT INTO Doctors (DoctorID, FName, LName, Classification) "
                                "VALUES (8, ' Eve ', 'Ward', 'GP')");
        ListWindowTestbed::Exec("INSERT INTO Doctors (DoctorID, FName, LName) VALUES (9, 'Bo', 'Ash')");
        m_bed->OnWindow("frmSearch", [this](QDialog& window) {
            QCOMPARE(window.windowTitle(), "Search - Doctor");
            QTableView& view = grid(window);
            QTest::keyClick(&view, Qt::Key_Return);
            QVERIFY(m_receiver.handed.isEmpty());
            QTest::mouseClick(view.viewport(), Qt::LeftButton, {},
                              view.visualRect(view.model()->index(1, 1)).center());
            QTest::keyClick(&view, Qt::Key_Up);
            QTest::keyClick(&view, Qt::Key_Enter);
        });
        OpenSearch(nullptr, m_receiver, "Doctor", "Last Name");
        QVERIFY(m_bed->AllWindowsSeen());
        QCOMPARE(m_bed->leftOpen, QStringList());
        QCOMPARE(m_receiver.handed, QStringList{"8|Eve|Ward|GP"});
    }
};

QTEST_MAIN(tst_Search)
#include "tst_Search.moc"
