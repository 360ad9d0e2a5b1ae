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
    void init()
    {
        m_bed = std::make_unique<ListWindowTestbed>();
        m_twin = &kTwins[1];
    }
    void cleanup();

    void twins_data();
    void addsRecordsOneAfterAnother_data() { twins_data(); }
    void addsRecordsOneAfterAnother();
    void boxesRefuseBlanksAndTakeWhatTheColumnHolds_data() { twins_data(); }
    void boxesRefuseBlanksAndTakeWhatTheColumnHolds();
    void asksBeforeUnsavedChangesAreDropped_data() { twins_data(); }
    void asksBeforeUnsavedChangesAreDropped();
    void deleteAsksAboutPatientLinks_data() { twins_data(); }
    void deleteAsksAboutPatientLinks();
    void searchDropsUnfinishedAddAndShowsPick_data() { twins_data(); }
    void searchDropsUnfinishedAddAndShowsPick();
    void failedSaveKeepsTheEntry_data() { twins_data(); }
    void failedSaveKeepsTheEntry();
    void drugNamesCarryOneRegisteredSign();

private:
    // The twin of the test's data row; the drug window in tests without data.
    const Twin& pick()
    {
        QFETCH(int, twin);
        return *(m_twin = &kTwins[twin]);
    }
    void open(std::optional<qint32> id = std::nullopt);
    void type(const QStringList& texts);
    QString shown(const QString& name) { return TextOf(*m_window, name); }
    // The window's state as the identifier, its buttons and the first box show it.
    QString state() { return ShownState(*m_window, {"lblID", "cmdAdd", "cmdDelete", "cmdSave", m_twin->boxes[0]}); }
    QString adding(int id, const QString& box = {})
    {
        return QStringList{QString::number(id), m_twin->cancelCaption, "~&Delete", "&Save", box}.join(u'|');
    }
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

void tst_Maintenance::cleanup()
{
    m_window.reset();
    const QStringList loose = m_bed->Loose();
    m_bed.reset();
    QCOMPARE(loose, QStringList());
}

void tst_Maintenance::twins_data()
{
    QTest::addColumn<int>("twin");
    QTest::newRow("doctors") << 0;
    QTest::newRow("drugs") << 1;
    QTest::newRow("health factors") << 2;
}

void tst_Maintenance::open(std::optional<qint32> id)
{
    m_window = m_twin->make();
    id ? m_window->Init(*id) : m_window->Init();
    QVERIFY(ShowActive(*m_window));
}

void tst_Maintenance::type(const QStringList& texts)
{
    for (int i = 0; i < texts.size(); ++i)
        TypeInto(*m_window, m_twin->boxes[i], texts[i]);
}

// Saved records are stored trimmed under the identifier shown, or the next free one when
// another workstation took it meanwhile; "enter another" decides what follows.
void tst_Maintenance::addsRecordsOneAfterAnother()
{
    const Twin& t = pick();
    open();
    QCOMPARE(m_window->objectName() + u'|' + m_window->windowTitle(), t.name + u'|' + t.title);
    QCOMPARE(state(), adding(t.firstId));
    QCOMPARE(QApplication::focusWidget()->objectName(), t.boxes[0]);
    type(t.typed);
    m_bed->Answer({true, false});
    ClickButton(*m_window, "cmdSave");
    QCOMPARE(stored(t.firstId), t.stored);
    QCOMPARE(state(), adding(t.firstId + 1));

    ListWindowTestbed::Exec(t.seed.arg(t.firstId + 1));
    type(t.typed);
    ClickButton(*m_window, "cmdSave");
    QCOMPARE(stored(t.firstId + 2), t.stored);
    QCOMPARE(m_bed->questions, QStringList(2, t.another));
    QCOMPARE(state(), idle());
    ClickButton(*m_window, t.exitName);
    QVERIFY(!m_window->isVisible());
    QCOMPARE(m_bed->questions.size(), 2);
    QCOMPARE(m_bed->notices, QStringList());
}

// Each box refuses blanks alone, and takes no more than its column holds (a drug's name
// leaves room for the sign).
void tst_Maintenance::boxesRefuseBlanksAndTakeWhatTheColumnHolds()
{
    const Twin& t = pick();
    open();
    for (int blank = 0; blank < t.boxes.size(); ++blank) {
        QStringList texts = t.typed;
        texts[blank] = QStringLiteral("   ");
        type(texts);
        ClickButton(*m_window, "cmdSave");
    }
    QCOMPARE(m_bed->notices, QStringList(t.boxes.size(), t.missing));
    QCOMPARE(stored(t.firstId), QString());
    QCOMPARE(shown("cmdAdd"), t.cancelCaption);
    for (int i = 0; i < t.boxes.size(); ++i) {
        TypeInto(*m_window, t.boxes[i], QString(60, u'x'));
        QCOMPARE(shown(t.boxes[i]), QString(t.lengths[i], u'x'));
    }
}

// Saved or untouched closes at once; a change asks, and No keeps it on screen. Leaving a
// shown record for a new one is a change; cancelling an add is not.
void tst_Maintenance::asksBeforeUnsavedChangesAreDropped()
{
    const Twin& t = pick();
    ListWindowTestbed::Exec(t.seed.arg(kSeedId));
    open(kSeedId);
    QCOMPARE(state(), editing(kSeedId));
    TypeInto(*m_window, t.boxes.last(), QStringLiteral("Corrected "));
    ClickButton(*m_window, "cmdSave");
    QCOMPARE(stored(kSeedId), t.corrected);
    ClickButton(*m_window, t.exitName);
    QVERIFY(!m_window->isVisible());
    QCOMPARE(m_bed->questions, QStringList());

    open(kSeedId);
    TypeInto(*m_window, t.boxes.last(), QStringLiteral("Dropped"));
    m_bed->Answer({false, true});
    ClickButton(*m_window, t.exitName);
    QVERIFY(m_window->isVisible());
    QCOMPARE(shown(t.boxes.last()), QStringLiteral("Dropped"));
    QTest::keyClick(m_window.get(), Qt::Key_Escape);
    QVERIFY(!m_window->isVisible());
    QCOMPARE(m_bed->questions, QStringList(2, kUnsaved));
    QCOMPARE(stored(kSeedId), t.corrected);

    open(kSeedId);
    ClickButton(*m_window, "cmdAdd");
    QCOMPARE(state(), adding(kSeedId + 1));
    m_bed->Answer({true});
    m_window->close();
    QCOMPARE(m_bed->questions.size(), 3);

    open();
    type(t.typed);
    ClickButton(*m_window, "cmdAdd");
    QCOMPARE(state(), idle());
    m_window->close();
    QCOMPARE(m_bed->questions.size(), 3);
}

// No cancels with a notice; Yes removes the record and its links, and only those.
void tst_Maintenance::deleteAsksAboutPatientLinks()
{
    const Twin& t = pick();
    ListWindowTestbed::Exec(t.seed.arg(kSeedId));
    for (int ptid : {1, 2}) {
        ListWindowTestbed::AddPatient(ptid, QStringLiteral("P%1").arg(ptid), QStringLiteral("1/1/1900"));
        ListWindowTestbed::Exec(t.link.arg(ptid).arg(kSeedId));
    }
    ListWindowTestbed::Exec(t.link.arg(1).arg(kSeedId - 1));
    open(kSeedId);
    m_bed->Answer({false, true});
    ClickButton(*m_window, "cmdDelete");
    QCOMPARE(m_bed->questions, QStringList{t.linkedQuestion});
    QCOMPARE(m_bed->notices, QStringList{t.cancelled});
    QCOMPARE(ListWindowTestbed::Count(t.linkCount), 3);
    QCOMPARE(shown("lblID"), QString::number(kSeedId));
    ClickButton(*m_window, "cmdDelete");
    QCOMPARE(ListWindowTestbed::Count(t.linkCount), 1);
    QCOMPARE(stored(kSeedId), QString());
    QCOMPARE(ListWindowTestbed::Count("SELECT count(*) FROM Patients"), 2);
    QCOMPARE(state(), idle());

    ListWindowTestbed::Exec(t.seed.arg(kSeedId));
    open(kSeedId);
    m_bed->Answer({false, true});
    ClickButton(*m_window, "cmdDelete");
    QVERIFY(!stored(kSeedId).isEmpty());
    ClickButton(*m_window, "cmdDelete");
    QCOMPARE(m_bed->questions.mid(2), QStringList(2, t.plainQuestion));
    QCOMPARE(stored(kSeedId), QString());
    QCOMPARE(m_bed->notices.size(), 1);
}

// A search drops an unfinished add without asking; a pick is shown for editing, no pick
// leaves the shown record. Each search button presets its field.
void tst_Maintenance::searchDropsUnfinishedAddAndShowsPick()
{
    const Twin& t = pick();
    ListWindowTestbed::Exec(QStringLiteral("DELETE FROM HealthFactors"));
    ListWindowTestbed::Exec(t.seed.arg(kSeedId));
    open();
    type(t.typed);
    QStringList seen;
    m_bed->OnWindow(QStringLiteral("frmSearch"), [&](QDialog& search) {
        seen << search.windowTitle() << shown(t.boxes[0]);
        auto* grid = Child<QTableView>(search, "GridResults");
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(grid->model()->index(0, 0)).center());
        QTest::keyClick(grid, Qt::Key_Return);
    });
    ClickButton(*m_window, t.searchButtons[0]);
    QCOMPARE(seen, (QStringList{t.searchTitle, ""}));
    QCOMPARE(m_bed->questions, QStringList());
    QCOMPARE(stored(kSeedId + 1), QString());
    QCOMPARE(state(), editing(kSeedId));

    seen.clear();
    for (const QString& button : t.searchButtons) {
        m_bed->OnWindow(QStringLiteral("frmSearch"), [&](QDialog& search) {
            seen << Child<QComboBox>(search, "cmbSearchItems")->currentText();
            search.reject();
        });
        ClickButton(*m_window, button);
    }
    QCOMPARE(seen, t.presets);
    QCOMPARE(shown("lblID"), QString::number(kSeedId));
}

// A record deleted elsewhere is reported on opening and on saving; an engine error is
// reported too. Either way the entry stays on screen, still unsaved.
void tst_Maintenance::failedSaveKeepsTheEntry()
{
    const Twin& t = pick();
    const QString gone = t.noun + " %1 is no longer in the database; it may have been deleted on another workstation.";
    open(99);
    QCOMPARE(m_bed->notices, QStringList{gone.arg(99)});
    QCOMPARE(state(), idle());

    ListWindowTestbed::Exec(t.seed.arg(kSeedId));
    open(kSeedId);
    ListWindowTestbed::Exec(QStringLiteral("DELETE %1%2").arg(t.where).arg(kSeedId));
    TypeInto(*m_window, t.boxes[0], QStringLiteral("Changed"));
    ClickButton(*m_window, "cmdSave");
    QCOMPARE(m_bed->notices.value(1), gone.arg(kSeedId) + " The changes were not saved.");
    m_bed->Answer({false});
    m_window->close();
    QVERIFY(m_window->isVisible());
    QCOMPARE(m_bed->questions, QStringList{kUnsaved});

    open();
    type(t.typed);
    SetAppDatabase(Database());
    ClickButton(*m_window, "cmdSave");
    QCOMPARE(m_bed->notices.size(), 3);
    QCOMPARE(m_bed->questions.size(), 1);
    QCOMPARE(state(), adding(t.firstId, t.typed[0]));
    m_bed->Answer({true});
    m_window->close();
    QCOMPARE(m_bed->questions.size(), 2);
}

// A name typed with the sign or saved unchanged keeps one; a corrected one gets it while the
// box keeps showing what was typed.
void tst_Maintenance::drugNamesCarryOneRegisteredSign()
{
    open();
    TypeInto(*m_window, "txtDesc", QString(25, u'x') + kSign);
    m_bed->Answer({false});
    ClickButton(*m_window, "cmdSave");
    open(1);
    QCOMPARE(shown("txtDesc"), QString(19, u'x') + kSign);
    ClickButton(*m_window, "cmdSave");
    QCOMPARE(stored(1), QString(19, u'x') + kSign);
    TypeInto(*m_window, "txtDesc", QStringLiteral("Lipitor"));
    ClickButton(*m_window, "cmdSave");
    QCOMPARE(stored(1), "Lipitor" + kSign);
    QCOMPARE(shown("txtDesc"), QStringLiteral("Lipitor"));
}

QTEST_MAIN(tst_Maintenance)
#include "tst_Maintenance.moc"
