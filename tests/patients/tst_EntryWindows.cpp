// A patient's lab visits and contacts as staff enter and correct them. The two entry windows
// are twins: their shared promises run for both from the table of twins.

#include "WindowCases.h"
#include "frmComm.h"
#include "frmLabWork.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QPlainTextEdit>
#include <QTimeEdit>
#include <QtTest>

namespace {

const QString kPatient = QStringLiteral("O'Hara, Ann");
const QString kUnsaved = QStringLiteral("There are unsaved changes.  Are you sure you want to quit?");

// Enters the first or second of two new lab visits.
void EnterVisit(QDialog& w, int n)
{
    w.findChild<QDateEdit*>("DTLabDate")->setDate(n == 0 ? QDate(2024, 3, 4) : QDate(2024, 11, 5));
    TypeInto(w, "txtOverallCL", n == 0 ? "200" : "190");
    TypeInto(w, "txtHDL", n == 0 ? "50" : "55");
    TypeInto(w, "txtLDL", n == 0 ? "120.5" : "110");
    if (n == 0)
        w.findChild<QPlainTextEdit*>("txtInterventionNotes")->setPlainText("  Patient's diet  ");
}

// The first contact takes the date and time the window offers, but for the seconds.
void EnterContact(QDialog& w, int n)
{
    auto* time = w.findChild<QTimeEdit*>("dtcalltime");
    QVERIFY(qAbs(time->time().secsTo(QTime::currentTime())) < 60);
    time->setTime(n == 0 ? QTime(14, 5, 9) : QTime(8, 30, 0));
    if (n == 0)
        return;
    w.findChild<QDateEdit*>("dtCallDate")->setDate(QDate(2024, 3, 4));
    TypeInto(w, "txtResult", "  Left a message with the patient's daughter; she will call back on Monday");
    w.findChild<QCheckBox*>("chkSuccess")->setChecked(true);
}

// What tells one entry window from its twin. `seed` stores entry %1 of patient %2.
struct Twin {
    std::unique_ptr<RecordEntryDialog> (*make)();
    QString title, another, dateBox, box, sameText, gone, seed, storedSql;
    void (*enter)(QDialog&, int);
    QStringList stored, shown;
    QString shownSeed;
};

template <class W> std::unique_ptr<RecordEntryDialog> Make() { return std::make_unique<W>(); }

const Twin kTwins[] = {
    {&Make<frmLabWork>, "Lab Work Results", "Enter another Lab Work Visit?", "DTLabDate", "txtLDL",
     "120.4", "This lab visit no longer exists. It may have been deleted on another workstation",
     "INSERT INTO LabVisits (id, ptid, labdate, overallcl, hdl, ldl, hmcyst, the_intervention) "
     "VALUES (%1, %2, #3/4/2024#, 200, 50, 120, 0, 'none')",
     "SELECT id, labdate, overallcl, hdl, ldl, hmcyst, the_intervention, adddate FROM LabVisits "
     "WHERE ptid = 1 ORDER BY id",
     &EnterVisit,
     {"1|2024-03-04|200|50|120|0|Patient's diet|today", "2|2024-11-05|190|55|110|0||today"},
     {"lblID", "DTLabDate", "txtOverallCL", "txtHMCYST", "lblCh_LDL_Ratio", "txtInterventionNotes"},
     "1|3/4/2024|200||4|none"},
    {&Make<frmComm>, "Patient Contact Entry", "Enter another Contact Entry?", "dtCallDate",
     "txtResult", "Busy",
     "This contact entry no longer exists. It may have been deleted on another workstation",
     "INSERT INTO Communications (id, ptid, calldate, calltime, result, complete) "
     "VALUES (%1, %2, #1/2/2024#, '09:15:30', 'Busy', True)",
     "SELECT id, calldate, calltime, result, complete FROM Communications WHERE ptid = 1 ORDER BY id",
     &EnterContact,
     {"1|today|14:05:09||false",
      "2|2024-03-04|08:30:00|Left a message with the patient's daughter; she will call|true"},
     {"lblID", "dtCallDate", "dtcalltime", "txtResult", "chkSuccess"}, "1|1/2/2024|09:15:30|Busy|[x]"},
};

} // namespace

class tst_EntryWindows : public QObject, WindowCases<RecordEntryDialog> {
    Q_OBJECT

private slots:
    void initTestCase_data() { AddTwinRows(kTwins, &Twin::title); }
    void init()
    {
        QFETCH_GLOBAL(int, twin);
        this->twin = &kTwins[twin];
        start();
        ListWindowTestbed::AddPatient(1, QStringLiteral("O'Hara"), QStringLiteral("2/3/2025"));
    }
    void cleanup() { finish(); }

    // "Enter another" offers an empty entry under the next identifier, dated today, that
    // closes at once while untouched; No closes the window. The patient's own call date is
    // left alone.
    void entersOneAfterAnother()
    {
        const QString today = QDate::currentDate().toString("M/d/yyyy");
        QDialog& w = open();
        QCOMPARE(w.windowTitle() + u'|' + ShownState(w, {"lblFullName", "lblID", twin->dateBox}),
                 QStringList({twin->title, kPatient, "1", today}).join(u'|'));
        twin->enter(w, 0);
        bed->Answer({true, false});
        ClickButton(w, "cmdSave");
        QCOMPARE(ShownState(w, {"lblID", twin->box, twin->dateBox}), "2||" + today);
        QTest::keyClick(&w, Qt::Key_Escape);
        QDialog& next = open();
        twin->enter(next, 1);
        ClickButton(next, "cmdSave");
        QVERIFY(!next.isVisible());
        QCOMPARE(bed->questions, QStringList(2, twin->another));
        QCOMPARE(ListWindowTestbed::Rows(twin->storedSql),
                 QStringList(twin->stored).replaceInStrings("today", QDate::currentDate().toString(Qt::ISODate)));
        QCOMPARE(ListWindowTestbed::Value("SELECT calldate FROM Patients").toDate(), QDate(2025, 2, 3));
    }

    // A stored entry shows its values. Unchanged (a result typed again the same) it closes at
    // once; a change, of the date alone too, asks on closing, and No keeps it. An entry deleted
    // elsewhere is said on opening, where nothing can be entered, and on saving, where the
    // entry stays on screen.
    void asksBeforeChangesAreDroppedOrLost()
    {
        QDialog& gone = open(42);
        QCOMPARE(ShownState(gone, {"cmdSave", twin->box}), QStringLiteral("~&Save|~"));
        ListWindowTestbed::Exec(twin->seed.arg(1).arg(1));
        QDialog& w = open(1);
        QCOMPARE(ShownState(w, twin->shown), twin->shownSeed);
        TypeInto(w, twin->box, twin->sameText);
        ClickButton(w, "cmdCancel");
        QVERIFY(!w.isVisible());

        QDialog& changed = open(1);
        auto* date = changed.findChild<QDateEdit*>(twin->dateBox);
        date->setDate(date->date().addDays(1));
        bed->Answer({false, false, true});
        changed.close();
        QVERIFY(changed.isVisible());
        date->setDate(date->date().addDays(-1));
        TypeInto(changed, twin->box, QStringLiteral("99"));
        ClickButton(changed, "cmdCancel");
        QVERIFY(changed.isVisible());
        ListWindowTestbed::Exec("DELETE FROM LabVisits");
        ListWindowTestbed::Exec("DELETE FROM Communications");
        ClickButton(changed, "cmdSave");
        QCOMPARE(bed->notices, QStringList({twin->gone + '.', twin->gone + "; your changes were not saved."}));
        QVERIFY(changed.isVisible());
        QTest::keyClick(&changed, Qt::Key_Escape);
        QVERIFY(!changed.isVisible());
        QCOMPARE(bed->questions, QStringList(3, kUnsaved));
    }

    // The results stand in two columns of six, the ratio last in the second. The ratio of
    // total to HDL, rounded half to even on whole numbers, is shown once either box is left.
    // A result box keeps a whole number of 32 bits, a half rounded to the even number;
    // letters, signs and separators are refused.
    void resultsAndTheRatioOfTotalToHdl()
    {
        if (twin != &kTwins[0])
            QSKIP("lab work only");
        QDialog& w = open();
        const auto rows = [&w](const QStringList& names) {
            QList<int> middles;
            for (const QString& name : names)
                middles << w.findChild<QWidget*>(name)->geometry().center().y();
            return middles;
        };
        QCOMPARE(rows({"txtCRP", "txtSGOTAST", "txtSGPTALT", "txtCPK", "txtTSH", "lblCh_LDL_Ratio"}),
                 rows({"txtOverallCL", "txtHDL", "txtLDL", "txtLp_a", "txtTriglyc", "txtHMCYST"}));
        // Each case as "total/HDL=ratio shown".
        const QStringList cases{"200/50=4", "210/45=4.67", "33/10=3.3", "1/8=0.12", "3/8=0.38",
                                "200.5/50=4", "-200/60=-3.33", "200/0=", "/50="};
        QStringList shown;
        for (const QString& c : cases) {
            TypeInto(w, "txtOverallCL", c.section(u'/', 0, 0));
            TypeInto(w, "txtHDL", c.section(u'/', 1).section(u'=', 0, 0));
            leave();
            shown << c.section(u'=', 0, 0) + u'=' + TextOf(w, "lblCh_LDL_Ratio");
        }
        TypeInto(w, "txtOverallCL", QStringLiteral("100"));
        leave();
        QCOMPARE(shown << TextOf(w, "lblCh_LDL_Ratio"), cases + QStringList{"2"});
        const QStringList boxes{"+1a2,3 x -> 123", "-45 -> -45", "- -> ", "12.5 -> 12", "13.5 -> 14", "12.51 -> 13",
                                "12.49 -> 12", "2147483647 -> 2147483647", "2147483648 -> 214748364"};
        QStringList left;
        for (const QString& c : boxes) {
            TypeInto(w, "txtCRP", c.section(" -> ", 0, 0));
            leave();
            left << c.section(" -> ", 0, 0) + " -> " + TextOf(w, "txtCRP");
        }
        QCOMPARE(left, boxes);
    }

    // A visit without total, HDL and LDL is refused.
    void totalHdlAndLdlRequired()
    {
        if (twin != &kTwins[0])
            QSKIP("lab work only");
        QDialog& w = open();
        // LDL empty, HDL zero, a total that rounds to zero.
        for (const QStringList& results : {QStringList{"200", "50", ""}, {"200", "0", "120"}, {"0.4", "50", "120"}}) {
            for (int i = 0; i < 3; ++i)
                TypeInto(w, QStringList{"txtOverallCL", "txtHDL", "txtLDL"}[i], results[i]);
            ClickButton(w, "cmdSave");
        }
        QCOMPARE(bed->notices, QStringList(3, "One or more required fields are missing or invalid'"));
        QVERIFY(w.isVisible());
        QCOMPARE(ListWindowTestbed::Count("SELECT count(*) FROM LabVisits"), 0);
    }

private:
    QDialog& open(std::optional<int> id = std::nullopt)
    {
        window = twin->make();
        window->Init(kPatient, 1, id);
        [this] { QVERIFY(ShowActive(*window)); }();
        return *window;
    }
    // Moves the focus on, as Tab does, so that the box is left.
    void leave() { window->findChild<QWidget*>("txtInterventionNotes")->setFocus(); }

    const Twin* twin = nullptr;
};

QTEST_MAIN(tst_EntryWindows)
#include "tst_EntryWindows.moc"
