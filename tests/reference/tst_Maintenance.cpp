// The doctor, drug and health factor lists as the practice keeps them. The three windows
// share their behaviour, so each promise runs for all three from the table of twins.

#include "ListWindowTestbed.h"
#include "frmDoctors.h"
#include "frmDrugs.h"
#include "frmHF.h"

#include <QComboBox>
#include <QTableView>
#include <QtTest>

#include <optional>

namespace {

const QString kUnsaved = QStringLiteral("There are unsaved changes.  Are you sure you want to quit?");
const QString kSign = QString(QChar(0x00AE));

// What tells one maintenance window from its twins: its texts, boxes and statements. `seed`
// stores record %1; `link` links patient %1 to record %2.
struct Twin {
    std::unique_ptr<MaintenanceWindow> (*make)();
    QString name, title, addCaption, cancelCaption, exitName, another, missing, cancelled, noun;
    int firstId;
    QStringList boxes, typed;
    QList<int> lengths;
    QString stored, corrected, columns, where, seed, seedFirstBox, link, linkCount, linkedQuestion,
        plainQuestion;
    QString searchTitle;
    QStringList searchButtons, presets;
};

template <class W> std::unique_ptr<MaintenanceWindow> Make() { return std::make_unique<W>(); }

const Twin kTwins[] = {
    {&Make<frmDoctors>, "frmDoctors", "Doctor Maintenence", "Add New", "Cancel Add", "cmdExit",
     "Enter another Doctor?", "One or more required fields are missing or invalid", "Delete cancelled",
     "Doctor", 1, {"txtFName", "txtLName", "txtClassification"}, {"  Ann ", " O'Hara", "Cardiology  "}, {20, 20, 20},
     "O'Hara|Ann|Cardiology", "Roe|Rick|Corrected", "lname, fname, classification",
     "FROM Doctors WHERE doctorid = ",
     "INSERT INTO Doctors (doctorid, lname, fname, classification) VALUES (%1, 'Roe', 'Rick', 'GP')",
     "Rick", "INSERT INTO PatientsDoctors (PtId, DoctorID) VALUES (%1, %2)",
     "SELECT count(*) FROM PatientsDoctors",
     "Doctor Roe, Rick is currently assigned to one or more patients.  Would you like to un-assign "
     "this doctor to all patients for whom this doctor is assigned?",
     "Are you Sure you want to delete Roe, Rick ?", "Search - Doctor", {"cmdLast", "cmdSearchFN"},
     {"Last Name", "First Name"}},
    {&Make<frmDrugs>, "frmDrugs", "Drug Maintenance", "Add Drug", "Cancel Add", "cmdExit",
     "Enter another Drug?", "One or more required fields are missing or invalid.", "Delete cancelled",
     "Drug", 1, {"txtDesc"}, {" Aspirin "}, {19}, "Aspirin" + kSign, "Corrected" + kSign, "DrugDesc",
     "FROM Drugs WHERE DrugID = ",
     "INSERT INTO Drugs (DrugID, DrugDesc) VALUES (%1, 'Niacin" + kSign + "')", "Niacin" + kSign,
     "INSERT INTO Schedule (PtId, DrugID) VALUES (%1, %2)", "SELECT count(*) FROM Schedule",
     "Drug 'Niacin" + kSign + "' is currently assigned to one or more patients.  Would you like to "
     "un-assign this drug to all patients for whom this drug is assigned?",
     "Are you Sure you want to delete Niacin" + kSign + "?", "Search - Drug", {"cmdSearch"}, {"Name"}},
    {&Make<frmHF>, "frmHF", "Health Factors", "&Add New", "Cancel &Add", "cmdEXit",
     "Enter another health factor?", "One or more required fields are missing or invalid.",
     "Delete Cancelled", "Health factor", 5, {"txtDesc"}, {" Diabetes "}, {50}, "Diabetes", "Corrected",
     "conddesc", "FROM HealthFactors WHERE condid = ",
     "INSERT INTO HealthFactors (CondID, conddesc) VALUES (%1, 'Gout')", "Gout",
     "INSERT INTO PatientFactors (PtId, CondID) VALUES (%1, %2)", "SELECT count(*) FROM PatientFactors",
     "Health Factor 'Gout' is currently assigned to one or more patients.  Would you like to "
     "un-assign this health factor to all patients for whom this health factor is assigned?",
     "Are you Sure you want to delete Gout ?", "Search - HealthFactor", {"cmdSearch"}, {""}},
};

constexpr int kSeedId = 8;

} // namespace

class tst_Maintenance : public QObject {
    Q_OBJECT

private slots:
    void initTestCase_data();
    void init();
    void cleanup();

    void addsRecordsOneAfterAnother();
    void asksBeforeUnsavedChangesAreDropped();
    void deleteAsksAboutPatientLinks();
    void searchDropsUnfinishedAddAndShowsPick();
    void changesToARecordDeletedElsewhereAreRefused();
    void drugNamesCarryOneRegisteredSign();

private:
    void open(std::optional<qint32> id = std::nullopt)
    {
        m_window = m_twin->make();
        id ? m_window->Init(*id) : m_window->Init();
        QVERIFY(ShowActive(*m_window));
    }
    void type(const QStringList& texts)
    {
        for (int i = 0; i < texts.size(); ++i)
            TypeInto(*m_window, m_twin->boxes[i], texts[i]);
    }
    void click(const QString& button) { ClickButton(*m_window, button); }
    QString shown(const QString& name) { return TextOf(*m_window, name); }
    // The window's state as the identifier, its buttons and the first box show it.
    QString state() { return ShownState(*m_window, {"lblID", "cmdAdd", "cmdDelete", "cmdSave", m_twin->boxes[0]}); }
    QString adding(int id) { return QStringList{QString::number(id), m_twin->cancelCaption, "~&Delete", "&Save", ""}.join(u'|'); }
    QString editing(int id) { return QStringList{QString::number(id), m_twin->addCaption, "&Delete", "&Save", m_twin->seedFirstBox}.join(u'|'); }
    QString idle() { return "|" + m_twin->addCaption + "|~&Delete|~&Save|~"; }
    QString stored(int id)
    {
        return ListWindowTestbed::Rows(QStringLiteral("SELECT %1 %2%3").arg(m_twin->columns, m_twin->where).arg(id)).join(u'/');
    }

    const Twin* m_twin = nullptr;
    std::unique_ptr<ListWindowTestbed> m_bed;
    std::unique_ptr<MaintenanceWindow> m_window;
};

void tst_Maintenance::initTestCase_data()
{
    QTest::addColumn<int>("twin");
    QTest::newRow("doctors") << 0;
    QTest::newRow("drugs") << 1;
    QTest::newRow("health factors") << 2;
}

void tst_Maintenance::init()
{
    QFETCH_GLOBAL(int, twin);
    m_twin = &kTwins[twin];
    m_bed = std::make_unique<ListWindowTestbed>();
}

void tst_Maintenance::cleanup()
{
    m_window.reset();
    QCOMPARE(m_bed->Loose(), QStringList());
    m_bed.reset();
}

// A blank in any box is refused, and no box takes more than its column holds (a drug's name
// leaves room for the sign). Records are stored trimmed; "enter another" decides what follows.
void tst_Maintenance::addsRecordsOneAfterAnother()
{
    const Twin& t = *m_twin;
    open();
    QCOMPARE(QStringList({m_window->objectName(), m_window->windowTitle(), QApplication::focusWidget()->objectName()}),
             QStringList({t.name, t.title, t.boxes[0]}));
    QCOMPARE(state(), adding(t.firstId));
    for (int blank = 0; blank < t.boxes.size(); ++blank) {
        QStringList texts = t.typed;
        texts[blank] = QStringLiteral("   ");
        type(texts);
        click("cmdSave");
    }
    QCOMPARE(m_bed->notices, QStringList(t.boxes.size(), t.missing));
    QList<int> taken;
    for (const QString& box : t.boxes) {
        TypeInto(*m_window, box, QString(60, u'x'));
        taken << shown(box).size();
    }
    QCOMPARE(taken, t.lengths);
    m_bed->Answer({true, false});
    for (int i = 0; i < 2; ++i) {
        type(t.typed);
        click("cmdSave");
    }
    QCOMPARE(QStringList({stored(t.firstId), stored(t.firstId + 1)}), QStringList(2, t.stored));
    QCOMPARE(m_bed->questions, QStringList(2, t.another));
    QCOMPARE(state(), idle());
}

// A correction is stored and closes at once; a change asks, and No keeps it on screen.
// Leaving a shown record for a new one is a change.
void tst_Maintenance::asksBeforeUnsavedChangesAreDropped()
{
    const Twin& t = *m_twin;
    ListWindowTestbed::Exec(t.seed.arg(kSeedId));
    open(kSeedId);
    QCOMPARE(state(), editing(kSeedId));
    TypeInto(*m_window, t.boxes.last(), QStringLiteral("Corrected "));
    click("cmdSave");
    QCOMPARE(stored(kSeedId), t.corrected);
    click(t.exitName);
    QVERIFY(!m_window->isVisible());

    open(kSeedId);
    TypeInto(*m_window, t.boxes.last(), QStringLiteral("Dropped"));
    m_bed->Answer({false, true, true});
    click(t.exitName);
    QVERIFY(m_window->isVisible());
    QTest::keyClick(m_window.get(), Qt::Key_Escape);
    QVERIFY(!m_window->isVisible());
    open(kSeedId);
    click("cmdAdd");
    QCOMPARE(state(), adding(kSeedId + 1));
    m_window->close();
    QCOMPARE(m_bed->questions, QStringList(3, kUnsaved));
}

// A linked record asks about its links: No cancels with a notice, Yes removes the record and
// its links, and only those. An unlinked record asks plainly.
void tst_Maintenance::deleteAsksAboutPatientLinks()
{
    const Twin& t = *m_twin;
    ListWindowTestbed::Exec(t.seed.arg(kSeedId));
    for (int ptid : {1, 2}) {
        ListWindowTestbed::AddPatient(ptid, QStringLiteral("P%1").arg(ptid), QStringLiteral("1/1/1900"));
        ListWindowTestbed::Exec(t.link.arg(ptid).arg(kSeedId));
    }
    ListWindowTestbed::Exec(t.link.arg(1).arg(kSeedId - 1));
    open(kSeedId);
    m_bed->Answer({false, true});
    click("cmdDelete");
    QCOMPARE(m_bed->notices, QStringList{t.cancelled});
    QCOMPARE(ListWindowTestbed::Count(t.linkCount), 3);
    click("cmdDelete");
    QCOMPARE(m_bed->questions, QStringList(2, t.linkedQuestion));
    QCOMPARE(ListWindowTestbed::Rows(t.linkCount + " UNION ALL SELECT count(*) FROM Patients"), QStringList({"1", "2"}));
    QCOMPARE(stored(kSeedId) + state(), idle());

    ListWindowTestbed::Exec(t.seed.arg(kSeedId));
    open(kSeedId);
    m_bed->Answer({true});
    click("cmdDelete");
    QCOMPARE(m_bed->questions.mid(2) << stored(kSeedId), QStringList({t.plainQuestion, ""}));
}

// A search drops an unfinished add without asking and shows the pick for editing. Each
// search button presets its field.
void tst_Maintenance::searchDropsUnfinishedAddAndShowsPick()
{
    const Twin& t = *m_twin;
    ListWindowTestbed::Exec(QStringLiteral("DELETE FROM HealthFactors"));
    ListWindowTestbed::Exec(t.seed.arg(kSeedId));
    open();
    type(t.typed);
    QStringList seen;
    m_bed->OnWindow(QStringLiteral("frmSearch"), [&](QDialog& search) {
        seen << search.windowTitle() << shown(t.boxes[0]);
        DoubleClickRow(*Child<QTableView>(search, "GridResults"), 0);
    });
    click(t.searchButtons[0]);
    QCOMPARE(state(), editing(kSeedId));
    for (const QString& button : t.searchButtons) {
        m_bed->OnWindow(QStringLiteral("frmSearch"), [&](QDialog& search) {
            seen << Child<QComboBox>(search, "cmbSearchItems")->currentText();
            search.reject();
        });
        click(button);
    }
    QCOMPARE(seen, QStringList({t.searchTitle, ""}) + t.presets);
}

// A record deleted elsewhere is reported on opening and on saving, where the entry stays on
// screen, still unsaved.
void tst_Maintenance::changesToARecordDeletedElsewhereAreRefused()
{
    const Twin& t = *m_twin;
    const QString gone = t.noun + " %1 is no longer in the database; it may have been deleted on another workstation.";
    open(99);
    QCOMPARE(state(), idle());
    ListWindowTestbed::Exec(t.seed.arg(kSeedId));
    open(kSeedId);
    ListWindowTestbed::Exec(QStringLiteral("DELETE %1%2").arg(t.where).arg(kSeedId));
    TypeInto(*m_window, t.boxes[0], QStringLiteral("Changed"));
    click("cmdSave");
    QCOMPARE(m_bed->notices, QStringList({gone.arg(99), gone.arg(kSeedId) + " The changes were not saved."}));
    m_bed->Answer({false, true});
    m_window->close();
    QVERIFY(m_window->isVisible());
    m_window->close();
}

// A name typed with the sign or saved unchanged keeps one; a corrected one gets it while the
// box keeps showing what was typed.
void tst_Maintenance::drugNamesCarryOneRegisteredSign()
{
    if (m_twin->name != QStringLiteral("frmDrugs"))
        QSKIP("drugs only");
    open();
    TypeInto(*m_window, "txtDesc", QString(25, u'x') + kSign);
    m_bed->Answer({false});
    click("cmdSave");
    open(1);
    QCOMPARE(shown("txtDesc"), QString(19, u'x') + kSign);
    click("cmdSave");
    QCOMPARE(stored(1), QString(19, u'x') + kSign);
    TypeInto(*m_window, "txtDesc", QStringLiteral("Lipitor"));
    click("cmdSave");
    QCOMPARE(stored(1) + u'|' + shown("txtDesc"), "Lipitor" + kSign + "|Lipitor");
}

QTEST_MAIN(tst_Maintenance)
#include "tst_Maintenance.moc"
