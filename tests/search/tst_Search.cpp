// The search window: each kind's listing, literal searches, and the record it hands over.
#include "ListWindowTestbed.h"
#include "SearchReceiver.h"
#include "clsDoctor.h"
#include "clsDrug.h"
#include "clsHealthFactor.h"
#include "clsPatient.h"
#include "frmSearch.h"

#include <QComboBox>
#include <QTableView>

namespace {

// Keeps each record handed over as the values its row shows, joined by '|'.
class Receiver : public SearchReceiver {
public:
    void LoadObjectData(const clsPatient& p) override { hand(p.ID(), {p.FirstName(), p.LastName(), p.BirthDate()}); }
    void LoadObjectData(const clsDoctor& d) override
    {
        hand(d.ID(), {d.FirstName(), d.LastName(), d.Classification()});
    }
    void LoadObjectData(const clsDrug& d) override { hand(d.DrugID(), {d.DrugDesc()}); }
    void LoadObjectData(const clsHealthFactor& f) override { hand(f.ID(), {f.Desc()}); }
    void hand(int id, const QStringList& values) { handed.append(QString::number(id) + u'|' + values.join(u'|')); }
    QStringList handed;
};

// Stores each name as a patient's last name or a drug's name, with ids from 1.
void store(const QString& kind, const QStringList& names)
{
    const QString sql = kind == u"Drug" ? "INSERT INTO Drugs VALUES (%1, '%2')"
                                        : "INSERT INTO Patients (ptid, fname, lname) VALUES (%1, 'Ann', '%2')";
    for (int id = 1; id <= names.size(); ++id)
        ListWindowTestbed::Exec(sql.arg(id).arg(SqlQuote(names[id - 1])));
}

QTableView& grid(QWidget& window) { return *Child<QTableView>(window, "GridResults"); }

// Without a column, the headings and then each row, as texts joined by '|'; with one, its texts.
QStringList shown(const QAbstractItemModel& model, int column = -1)
{
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

// Chooses the operator, types the value and presses Search.
void search(QWidget& window, const QString& op, const QString& value)
{
    Child<QComboBox>(window, "cmbOperator")->setCurrentText(op);
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
    void init() { m_bed = std::make_unique<ListWindowTestbed>(); m_receiver.handed.clear(); }
    void cleanup() { m_bed.reset(); }

    void listsEachKindAndHandsOverAChosenRow_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QStringList>("statements");
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<QStringList>("listing");
        const QString patient("INSERT INTO Patients (ptid, fname, lname, birthdate) VALUES (%1)");
        QTest::newRow("patients in stored order") << "Patient"
            << QStringList{patient.arg("12, 'Zoe', 'Young', #3/5/1961#"), patient.arg("3, 'Al', 'Adams', #12/31/1999#")}
            << QStringList{"First Name", "Last Name"}
            << QStringList{"ID|First|Last|D.O.B.", "12|Zoe|Young|03/05/1961", "3|Al|Adams|12/31/1999"};
        QTest::newRow("doctors trimmed") << "Doctor"
            << QStringList{"INSERT INTO Doctors VALUES (5, 'Ward', ' Eve ', 'Cardiology')",
                           "INSERT INTO Doctors (DoctorID, FName, LName) VALUES (2, 'Bo', 'Ash')"}
            << QStringList{"First Name", "Last Name"}
            << QStringList{"ID|First|Last|Class.", "5|Eve|Ward|Cardiology", "2|Bo|Ash|"};
        QTest::newRow("drugs") << "Drug"
            << QStringList{"INSERT INTO Drugs VALUES (9, 'Zocor®')", "INSERT INTO Drugs VALUES (1, 'Lipitor®')"}
            << QStringList{"Name"} << QStringList{"ID|Name", "9|Zocor®", "1|Lipitor®"};
        QTest::newRow("health factors seeded") << "HealthFactor" << QStringList() << QStringList{"Description"}
            << QStringList{"ID|Description", "1|Smoking", "2|Family History", "3|Overweight", "4|Sedintery lifestyle"};
    }

    // Enter without a current row hands over nothing; Enter on the current row hands its record
    // over and closes (a double-click does so in the windows that open this one).
    void listsEachKindAndHandsOverAChosenRow()
    {
        QFETCH(QString, kind);
        QFETCH(QStringList, statements);
        QFETCH(QStringList, listing);
        for (const QString& sql : statements)
            ListWindowTestbed::Exec(sql);
        frmSearch window;
        window.Init(kind, &m_receiver, QString());
        window.show();
        QCOMPARE(window.windowTitle(), "Search - " + kind);
        auto* operators = Child<QComboBox>(window, "cmbOperator");
        QCOMPARE(shown(*operators->model(), 0) << operators->currentText(),
                 QStringList({"Contains", "Starts with", "=", "Starts with"}));
        QTEST(shown(*Child<QComboBox>(window, "cmbSearchItems")->model(), 0), "fields");
        QTableView& view = grid(window);
        QCOMPARE(shown(*view.model()), listing);
        QTest::keyClick(&view, Qt::Key_Return);
        QVERIFY(m_receiver.handed.isEmpty() && window.isVisible());
        view.setCurrentIndex(view.model()->index(0, 1));
        QTest::keyClick(&view, Qt::Key_Enter);
        QCOMPARE(m_receiver.handed, QStringList{listing[1]});
        QCOMPARE(window.result(), int(QDialog::Accepted));
        QVERIFY(m_bed->notices.isEmpty());
    }

    void findsLiterallyByFieldAndOperator_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("op");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QStringList>("found");
        QTest::newRow("starts with") << "Patient" << "Starts with" << "smi" << QStringList{"Smith", "Smithers"};
        QTest::newRow("equals is no prefix") << "Drug" << "=" << "Lipitor" << QStringList();
        QTest::newRow("apostrophe, starts with") << "Patient" << "Starts with" << "o'h" << QStringList{"O'Hara"};
        QTest::newRow("apostrophe alone, contains") << "Patient" << "Contains" << "'" << QStringList{"O'Hara"};
        QTest::newRow("apostrophe, equals") << "Patient" << "=" << "O'Hara" << QStringList{"O'Hara"};
        QTest::newRow("star") << "Patient" << "Contains" << "*" << QStringList{"Star*"};
        QTest::newRow("question mark") << "Patient" << "Contains" << "o?" << QStringList{"Who?"};
        QTest::newRow("hash") << "Patient" << "Starts with" << "#" << QStringList{"#1 Fan"};
        QTest::newRow("open bracket") << "Patient" << "Contains" << "[" << QStringList{"[Bracket]"};
        QTest::newRow("equals star") << "Patient" << "=" << "Star*" << QStringList{"Star*"};
    }

    // Values are taken literally, whatever the engine makes of quotes and pattern characters; a
    // search that finds nothing says so. Each name with a pattern character has a twin the
    // character would match as a pattern.
    void findsLiterallyByFieldAndOperator()
    {
        QFETCH(QString, kind);
        QFETCH(QString, op);
        QFETCH(QString, value);
        QFETCH(QStringList, found);
        const bool patients = kind == u"Patient";
        store(kind, patients ? QStringList{"Smithers", "Osmith", "Smith", "Asmi", "O'Hara", "OHara", "Star*",
                                           "Stars", "Who?", "Whom", "#1 Fan", "71 Fan", "[Bracket]", "Bracket", "b"}
                             : QStringList{"Lipitor® XR", "Zocor®", "Lipitor®", "Xlipitor®"});
        frmSearch window;
        window.Init(kind, &m_receiver, patients ? "Last Name" : "Name");
        search(window, op, value);
        QCOMPARE(m_bed->notices, found.isEmpty() ? QStringList{NothingFound} : QStringList());
        if (!found.isEmpty())
            QCOMPARE(shown(*grid(window).model(), patients ? 2 : 1), found);
    }

    // Enter in the box searches as the button does, by the first field when none is chosen;
    // neither a search that finds nothing nor an engine failure empties the grid; each says why.
    void searchesByTheFirstFieldAndAFailedSearchKeepsTheGrid()
    {
        store("Patient", {"Annan", "Zorn", "Young"});
        ListWindowTestbed::Exec("UPDATE Patients SET fname = 'Bert' WHERE ptid = 1");
        ListWindowTestbed::Exec("INSERT INTO Patients (ptid, fname) VALUES (7, 'Annie')");
        frmSearch window;
        window.Init("Patient", &m_receiver, "Nickname");
        window.show();
        auto* items = Child<QComboBox>(window, "cmbSearchItems");
        QCOMPARE(items->currentIndex(), -1);
        QTest::keyClicks(Child<QLineEdit>(window, "txtSearchFor"), "ann");
        QTest::keyClick(Child<QLineEdit>(window, "txtSearchFor"), Qt::Key_Return);
        QCOMPARE(shown(*grid(window).model(), 1), QStringList({"Ann", "Ann", "Annie"}));
        QVERIFY(window.isVisible());
        QCOMPARE(items->currentText(), "First Name");
        items->setCurrentIndex(1);
        // An empty Contains lists every record that has the field.
        search(window, "Contains", QString());
        QCOMPARE(shown(*grid(window).model(), 2), QStringList({"Annan", "Young", "Zorn"}));
        search(window, "Contains", "zz");
        SetAppDatabase(Database());
        search(window, "Contains", "r");
        QVERIFY2(m_bed->notices.size() == 2 && m_bed->notices.first() == NothingFound &&
                     m_bed->notices.last() != NothingFound, qPrintable(m_bed->notices.join(u'|')));
        QCOMPARE(shown(*grid(window).model(), 2), QStringList({"Annan", "Young", "Zorn"}));
    }
};

QTEST_MAIN(tst_Search)
#include "tst_Search.moc"
