// The doctor, drug and health factor lists as the practice keeps them. The three windows
// share their behaviour, so each promise runs for all three from the table of twins.

#include "WindowCases.h"
#include "frmDoctors.h"
#include "frmDrugs.h"
#include "frmHF.h"

#include <QComboBox>
#include <QTableView>
#include <QtTest>

#include <optional>

namespace {

const QString kUnsaved = QStringLiteral("There are unsaved changes.  Are you sure you want to quit?");

// What tells one maintenance window from its twins: its texts, boxes and statements. `seed`
// stores record %1 as `seedFirstBox` shows it; `select` reads a record's boxes by identifier;
// `link` links patient %1 to record %2.
struct Twin {
    std::unique_ptr<MaintenanceWindow> (*make)();
    QString name, title, addCaption, cancelCaption, exitName, another, missing, cancelled, noun;
    int firstId;
    QStringList boxes, typed;
    QList<int> lengths;
    QString stored, corrected, select, seed, seedFirstBox, link, linkedQuestion, plainQuestion, searchTitle;
    QStringList searchButtons, presets;
};

template <class W> std::unique_ptr<MaintenanceWindow> Make() { return std::make_unique<W>(); }

const Twin kTwins[] = {
    {&Make<frmDoctors>, "frmDoctors", "Doctor Maintenence", "Add New", "Cancel Add", "cmdExit", "Enter another Doctor?",
     "One or more required fields are missing or invalid", "Delete cancelled", "Doctor", 1,
     {"txtFName", "txtLName", "txtClassification"}, {"  Ann ", " O'Hara", "Cardiology  "}, {20, 20, 20},
     "O'Hara|Ann|Cardiology", "Roe|Rick|Corrected", "SELECT lname, fname, classification FROM Doctors WHERE doctorid = ",
     "INSERT INTO Doctors (doctorid, lname, fname, classification) VALUES (%1, 'Roe', 'Rick', 'GP')", "Rick",
     "INSERT INTO PatientsDoctors (PtId, DoctorID) VALUES (%1, %2)",
     "Doctor Roe, Rick is currently assigned to one or more patients.  Would you like to un-assign "
     "this doctor to all patients for whom this doctor is assigned?",
     "Are you Sure you want to delete Roe, Rick ?", "Search - Doctor", {"cmdLast", "cmdSearchFN"},
     {"Last Name", "First Name"}},
    {&Make<frmDrugs>, "frmDrugs", "Drug Maintenance", "Add Drug", "Cancel Add", "cmdExit", "Enter another Drug?",
     "One or more required fields are missing or invalid.", "Delete cancelled", "Drug", 1, {"txtDesc"},
     {" Aspirin® "}, {20}, "Aspirin®", "Corrected®", "SELECT DrugDesc FROM Drugs WHERE DrugID = ",
     "INSERT INTO Drugs (DrugID, DrugDesc) VALUES (%1, 'Niacin®')", "Niacin®",
     "INSERT INTO Schedule (PtId, DrugID) VALUES (%1, %2)",
     "Drug 'Niacin®' is currently assigned to one or more patients.  Would you like to "
     "un-assign this drug to all patients for whom this drug is assigned?",
     "Are you Sure you want to delete Niacin®?", "Search - Drug", {"cmdSearch"}, {"Name"}},
    {&Make<frmHF>, "frmHF", "Health Factors", "&Add New", "Cancel &Add", "cmdEXit", "Enter another health factor?",
     "One or more required fields are missing or invalid.", "Delete Cancelled", "Health factor", 5, {"txtDesc"},
     {" Diabetes "}, {50}, "Diabetes", "Corrected", "SELECT conddesc FROM HealthFactors WHERE condid = ",
     "INSERT INTO HealthFactors (CondID, conddesc) VALUES (%1, 'Gout')", "Gout",
     "INSERT INTO PatientFactors (PtId, CondID) VALUES (%1, %2)",
     "Health Factor 'Gout' is currently assigned to one or more patients.  Would you like to "
     "un-assign this health factor to all patients for whom this health factor is assigned?",
     "Are you Sure you want to delete Gout ?", "Search - HealthFactor", {"cmdSearch"}, {""}},
};

constexpr int kSeedId = 8;

} // namespace

class tst_Maintenance : public QObject, WindowCases<MaintenanceWindow> {
    Q_OBJECT

private slots:
    void initTestCase_data() { AddTwinRows(kTwins, &Twin::name); }
    void init()
    {
        QFETCH_GLOBAL(int, twin);
        m_twin = &kTwins[twin];
        start();
    }
    void cleanup() { finish(); }

    // A blank in any box is refused, and no box takes more than its column holds (a drug's
    // name keeps one sign after at most 19 letters). Records are stored trimmed, a drug's
    // with one sign, added to a correction; "enter another" decides what follows.
    void addsRecordsOneAfterAnother()
    {
        open();
        QCOMPARE(QStringList({window->objectName(), window->windowTitle(), QApplication::focusWidget()->objectName()}),
                 QStringList({twin().name, twin().title, twin().boxes[0]}));
        QCOMPARE(state(), adding(twin().firstId));
        for (int blank = 0; blank < twin().boxes.size(); ++blank) {
            QStringList texts = twin().typed;
            texts[blank] = QStringLiteral("   ");
            type(texts);
            click("cmdSave");
        }
        QCOMPARE(bed->notices, QStringList(twin().boxes.size(), twin().missing));
        QList<int> taken;
        for (const QString& box : twin().boxes) {
            TypeInto(*window, box, QString(60, u'x') + u'®');
            taken << TextOf(*window, box).size();
        }
        QCOMPARE(taken, twin().lengths);
        bed->Answer({true, false});
        for (int i = 0; i < 2; ++i) {
            type(twin().typed);
            click("cmdSave");
        }
        QCOMPARE(QStringList({stored(twin().firstId), stored(twin().firstId + 1)}), QStringList(2, twin().stored));
        QCOMPARE(bed->questions, QStringList(2, twin().another));
        QCOMPARE(state(), idle());
    }

    // A correction is stored and closes at once; a change asks, and No keeps it on screen. A
    // record deleted elsewhere is reported on opening and on saving, where the entry stays,
    // still unsaved. Leaving a shown record for a new one is a change.
    void correctsAndAsksBeforeChangesAreDropped()
    {
        const QString gone = twin().noun + " %1 is no longer in the database; it may have been deleted on another workstation.";
        open(99);
        QCOMPARE(state(), idle());
        seed();
        open(kSeedId);
        QCOMPARE(state(), editing());
        TypeInto(*window, twin().boxes.last(), QStringLiteral("Corrected "));
        click("cmdSave");
        QCOMPARE(stored(kSeedId), twin().corrected);
        click(twin().exitName);
        QVERIFY(!window->isVisible());

        open(kSeedId);
        ListWindowTestbed::Exec("DELETE FROM " + twin().select.section(" FROM ", 1) + QString::number(kSeedId));
        TypeInto(*window, twin().boxes.last(), QStringLiteral("Dropped"));
        click("cmdSave");
        bed->Answer({false, true, true});
        click(twin().exitName);
        QVERIFY(window->isVisible());
        QTest::keyClick(window.get(), Qt::Key_Escape);
        QVERIFY(!window->isVisible());
        QCOMPARE(bed->notices, QStringList({gone.arg(99), gone.arg(kSeedId) + " The changes were not saved."}));
        seed();
        open(kSeedId);
        click("cmdAdd");
        QCOMPARE(state(), adding(kSeedId + 1));
        window->close();
        QCOMPARE(bed->questions, QStringList(3, kUnsaved));
    }

    // A linked record asks about its links: No cancels with a notice, Yes removes the record
    // and empties the window. An unlinked record asks plainly.
    void deleteAsksAboutPatientLinks()
    {
        seed();
        ListWindowTestbed::AddPatient(1, QStringLiteral("P1"), QStringLiteral("1/1/1900"));
        ListWindowTestbed::Exec(twin().link.arg(1).arg(kSeedId));
        open(kSeedId);
        bed->Answer({false, true});
        click("cmdDelete");
        QCOMPARE(bed->notices, QStringList{twin().cancelled});
        click("cmdDelete");
        QCOMPARE(stored(kSeedId) + state(), idle());
        seed();
        open(kSeedId);
        bed->Answer({true});
        click("cmdDelete");
        QCOMPARE(bed->questions << stored(kSeedId),
                 QStringList({twin().linkedQuestion, twin().linkedQuestion, twin().plainQuestion, ""}));
    }

    // A search drops an unfinished add without asking and shows the pick for editing. Each
    // search button presets its field.
    void searchDropsUnfinishedAddAndShowsPick()
    {
        ListWindowTestbed::Exec(QStringLiteral("DELETE FROM HealthFactors"));
        seed();
        open();
        type(twin().typed);
        QStringList seen;
        bed->OnWindow(QStringLiteral("frmSearch"), [&](QDialog& search) {
            seen << search.windowTitle() << TextOf(*window, twin().boxes[0]);
            DoubleClickRow(*Child<QTableView>(search, "GridResults"), 0);
        });
        click(twin().searchButtons[0]);
        QCOMPARE(state(), editing());
        for (const QString& button : twin().searchButtons) {
            bed->OnWindow(QStringLiteral("frmSearch"), [&](QDialog& search) {
                seen << Child<QComboBox>(search, "cmbSearchItems")->currentText();
                search.reject();
            });
            click(button);
        }
        QCOMPARE(seen, QStringList({twin().searchTitle, ""}) + twin().presets);
    }

private:
    const Twin& twin() const { return *m_twin; }
    void open(std::optional<qint32> id = std::nullopt)
    {
        window = twin().make();
        id ? window->Init(*id) : window->Init();
        QVERIFY(ShowActive(*window));
    }
    void type(const QStringList& texts)
    {
        for (int i = 0; i < texts.size(); ++i)
            TypeInto(*window, twin().boxes[i], texts[i]);
    }
    void click(const QString& button) { ClickButton(*window, button); }
    // The window's state as the identifier, its buttons and the first box show it.
    QString state() { return ShownState(*window, {"lblID", "cmdAdd", "cmdDelete", "cmdSave", twin().boxes[0]}); }
    QString adding(int id) { return QString::number(id) + u'|' + twin().cancelCaption + "|~&Delete|&Save|"; }
    QString editing() { return QString::number(kSeedId) + u'|' + twin().addCaption + "|&Delete|&Save|" + twin().seedFirstBox; }
    QString idle() { return "|" + twin().addCaption + "|~&Delete|~&Save|~"; }
    QString stored(int id) { return ListWindowTestbed::Rows(twin().select + QString::number(id)).join(u'/'); }
    void seed() { ListWindowTestbed::Exec(twin().seed.arg(kSeedId)); }

    const Twin* m_twin = nullptr;
};

QTEST_MAIN(tst_Maintenance)
#include "tst_Maintenance.moc"
