// The patient editor as the front desk uses it: adding, loading, correcting, deleting, the
// call date, the checks before saving and the question before unsaved changes are dropped.

#include "WindowCases.h"
#include "PrinterChoice.h"
#include "frmPatient.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QtTest>

#include <optional>

namespace {

const QString kUnsaved = QStringLiteral("There are unsaved changes.  Are you sure you want to quit?");
const QString kInvalid = QStringLiteral("One or more required fields are missing or invalid.");
const QString kToday = QDate::currentDate().toString(u"M/d/yyyy");

} // namespace

class tst_PatientEditor : public QObject, WindowCases<frmPatient> {
    Q_OBJECT

private slots:
    void init() { start(); }
    void cleanup() { finish(); }

    // A new patient takes the number after the largest; saving again corrects that patient. Unfilled
    // numbers are stored as 0 and shown empty; a lower-case sex letter written by another
    // program still reads.
    void addsPatientsAndReadsThemBack()
    {
        ListWindowTestbed::AddPatient(7, QStringLiteral("P7"), QStringLiteral("1/1/1900"));
        open();
        QCOMPARE(shown({"lblID", "cmdAdd", "cmdDelete"}) + u'|' + QApplication::focusWidget()->objectName(),
                 QStringLiteral("8|Cancel Add|~&Delete|txtFName"));
        enterRequired(QStringLiteral("O'Brien"));
        child<QComboBox>("cmbSex")->setCurrentText(QStringLiteral("Female"));
        click("cmdSave");
        enter("txtCity", QStringLiteral("Springfield"));
        click("cmdSave");
        QCOMPARE(ListWindowTestbed::Rows("SELECT ptid, lname, sex, city, calldate, goal_chol, goal_ldl, systolic, "
                                         "diastolic FROM Patients WHERE ptid > 7"),
                 QStringList{"8|O'Brien|F|Springfield|1900-01-01|0|0|0|0"});
        QCOMPARE(shown({"lblID", "cmdAdd", "cmdDelete", "cmdBloodWork"}), QStringLiteral("8|Cancel Add|&Delete|&Blood Work"));
        open(8);
        QCOMPARE(child<QComboBox>("cmbSex")->currentText() + u'|' +
                     shown({"txtLName", "txtBirthDate", "chkNotify", "txtGoalChol", "txtGoalLDL", "txtSystolic",
                            "txtDiastolic", "cmdAdd", "dtCallDate"}),
                 "Female|O'Brien|03/05/1960|[ ]|||||&Add New|~" + kToday);
        ListWindowTestbed::Exec("INSERT INTO Patients (ptid, lname, fname, sex) VALUES (2, 'Low', 'Case', 'm')");
        open(2);
        QCOMPARE(child<QComboBox>("cmbSex")->currentText(), QStringLiteral("Male"));
    }

    // A blank name or birth date is refused; a number out of range or not whole is named and
    // gets the focus. Nothing is stored until all is well; the limits themselves are taken.
    void savingChecksRequiredFieldsAndNumbers()
    {
        const QString range = QStringLiteral(" must be a whole number from -32768 to 32767.");
        const QList<QStringList> refused{{"txtFName", "  ", kInvalid}, {"txtLName", "", kInvalid},
                                         {"txtBirthDate", "", kInvalid},
                                         {"txtGoalChol", "-32769", "Goal Total" + range},
                                         {"txtGoalLDL", "32768", "Goal LDL" + range},
                                         {"txtSystolic", "12a", "The systolic blood pressure (BP)" + range},
                                         {"txtDiastolic", "80.5", "The diastolic blood pressure (BP)" + range}};
        open();
        QStringList seen, expected;
        for (const QStringList& row : refused) {
            enterRequired();
            enter(qPrintable(row[0]), row[1]);
            click("cmdSave");
            const bool named = row[2] != kInvalid;
            seen << bed->notices.takeFirst() + (named ? u'|' + QApplication::focusWidget()->objectName() : QString());
            expected << row[2] + (named ? u'|' + row[0] : QString());
            enter(qPrintable(row[0]), QString());
        }
        QCOMPARE(seen, expected);
        enterRequired();
        enter("txtGoalLDL", QStringLiteral("-32768"));
        enter("txtDiastolic", QStringLiteral("32767"));
        click("cmdSave");
        QCOMPARE(ListWindowTestbed::Rows("SELECT goal_chol, goal_ldl, systolic, diastolic FROM Patients"),
                 QStringList{"0|-32768|0|32767"});
    }

    // A call date before today is asked about: No refuses the save, Yes stores it. Today is
    // not asked about.
    void notifyDateInThePastIsAsked()
    {
        const QDate today = QDate::currentDate();
        open();
        enterRequired();
        QTest::mouseClick(child<QCheckBox>("chkNotify"), Qt::LeftButton);
        bed->Answer({false, true});
        QStringList stored;
        for (const QDate& date : {today.addDays(-1), today, today.addDays(-1)}) {
            child<QDateEdit>("dtCallDate")->setDate(date);
            click("cmdSave");
            stored << ListWindowTestbed::Rows("SELECT calldate FROM Patients").join(u',');
        }
        QCOMPARE(stored, QStringList({"", today.toString(Qt::ISODate), today.addDays(-1).toString(Qt::ISODate)}));
        QCOMPARE(bed->notices, QStringList{kInvalid});
        QCOMPARE(bed->questions, QStringList(2, "Patient Notify Date is listed as a Date earlier than today's "
                                                  "date.  Are you sure you want this date?"));
    }

    // Text that is no date, or a time alone, keeps the focus silently and leaves the age as
    // it was; an empty box may be left.
    void birthDateBoxAndAge()
    {
        const int year = QDate::currentDate().year();
        open();
        QStringList ages;
        for (const QString& date : {QStringLiteral("12/31/%1").arg(year - 1), QStringLiteral("1/1/%1").arg(year),
                                    QStringLiteral("13/45/2000"), QStringLiteral("10:30")}) {
            enter("txtBirthDate", date);
            child("txtCity")->setFocus();
            QCoreApplication::processEvents();
            ages << shown({"lblAge"}) + (QApplication::focusWidget() == child("txtCity") ? "" : " kept");
        }
        QCOMPARE(ages, QStringList({"1", "0", "0 kept", "0 kept"}));
        QCOMPARE(bed->notices, QStringList());
        child("txtBirthDate")->clear();
        child("txtCity")->setText(QStringLiteral("Boston"));
        child("txtCity")->setFocus();
        QCOMPARE(QApplication::focusWidget(), child("txtCity"));
        QTRY_COMPARE(child("txtCity")->selectedText(), QStringLiteral("Boston"));
    }

    // Blood pressure and the Notify box alone are not compared; names, goals and a date
    // picked while Notify is ticked are, and leaving a shown patient for a new one, which
    // empties the call date and levels. Saved changes are no longer unsaved.
    void closingAsksOnlyAboutComparedValues()
    {
        ListWindowTestbed::Exec("INSERT INTO Patients (ptid, lname, fname, birthdate, city, calldate, goal_chol, "
                                "systolic) VALUES (1, 'Smith', 'Ann', #3/5/1960#, 'Boston', #6/1/2030#, 180, 120)");
        open(1);
        enter("txtSystolic", QStringLiteral("140"));
        QTest::mouseClick(child<QCheckBox>("chkNotify"), Qt::LeftButton);
        enter("txtGoalChol", QStringLiteral("0180"));
        click("cmdExit");
        QVERIFY(!window->isVisible());

        open(1);
        enter("txtCity", QStringLiteral("Bostonn"));
        bed->Answer({false, false, true, true, true});
        click("cmdExit");
        QTest::keyClick(window.get(), Qt::Key_Escape);
        QVERIFY(window->isVisible());
        enter("txtCity", QStringLiteral("Boston"));
        enter("txtGoalChol", QStringLiteral("190"));
        window->close();
        QVERIFY(!window->isVisible());
        open(1);
        child<QDateEdit>("dtCallDate")->setDate(QDate::currentDate().addDays(7));
        window->close();
        open(1);
        click("cmdAdd");
        QCOMPARE(shown({"chkNotify", "lblRecentLevels", "dtCallDate"}), "[ ]||~" + kToday);
        click("cmdExit");
        QCOMPARE(bed->questions, QStringList(5, kUnsaved));

        open(1);
        enter("txtCity", QStringLiteral("Salem"));
        click("cmdSave");
        click("cmdExit");
        QVERIFY(!window->isVisible());
        QCOMPARE(ListWindowTestbed::Count("SELECT systolic FROM Patients"), 120);
    }

    // Yes deletes the patient and leaves the window empty; from
    // there Add starts a new patient and Cancel Add empties the window again. Opened for no
    // patient, the window is empty too.
    void deleteAsksAndEmptiesTheWindow()
    {
        ListWindowTestbed::AddPatient(3, QStringLiteral("O'Hara"), QStringLiteral("1/1/1900"));
        open(3);
        bed->Answer({false, true});
        click("cmdDelete");
        click("cmdDelete");
        QCOMPARE(bed->questions, QStringList(2, "Are you Sure you want to delete O'Hara, Ann ?"));
        QCOMPARE(ListWindowTestbed::Count("SELECT count(*) FROM Patients"), 0);
        const QStringList empty{"lblID", "cmdAdd", "txtLName", "txtBirthDate", "chkNotify", "cmdDelete", "cmdSave",
                                "cmdBloodWork"};
        QStringList states{shown(empty)};
        click("cmdAdd");
        QCOMPARE(shown({"lblID", "txtLName", "dtCallDate"}), "1||~" + kToday);
        enter("txtLName", QStringLiteral("Gone"));
        click("cmdAdd");
        states << shown(empty);
        open(0);
        QCOMPARE(states << shown(empty), QStringList(3, "|&Add New|~|~|~[ ]|~&Delete|~&Save|~&Blood Work"));
    }

    // A patient deleted elsewhere is reported on opening and on saving, an engine error on
    // adding; either way the entry stays on screen, still unsaved.
    void failedSaveKeepsTheEntry()
    {
        const QString gone = QStringLiteral(
            "Patient %1 is no longer in the database; it may have been deleted on another workstation.");
        open(42);
        ListWindowTestbed::AddPatient(5, QStringLiteral("Smith"), QStringLiteral("1/1/1900"));
        open(5);
        ListWindowTestbed::Exec("DELETE FROM Patients WHERE ptid = 5");
        enter("txtCity", QStringLiteral("Salem"));
        click("cmdSave");
        bed->Answer({true, true});
        window->close();
        open();
        enterRequired();
        SetAppDatabase(Database());
        click("cmdSave");
        QCOMPARE(bed->notices, QStringList({gone.arg(42), gone.arg(5) + " The changes were not saved.",
                                            "The database is not open."}));
        QCOMPARE(shown({"lblID", "txtLName", "cmdDelete"}), QStringLiteral("1|Smith|~&Delete"));
        window->close();
        QCOMPARE(bed->questions, QStringList(2, kUnsaved));
    }

    // Doctor, Drugs, Health Factors and Blood Work open the patient's own windows under the
    // patient's name; the doctor window edits the patient's doctor link when there is one. The
    // latest visit shows in a fixed-pitch box, refreshed when the blood work list closes.
    // Print prints the shown patient's detail.
    void buttonsOpenThePatientsWindows()
    {
        ListWindowTestbed::AddPatient(4, QStringLiteral("Smith"), QStringLiteral("1/1/1900"));
        ListWindowTestbed::AddPatient(5, QStringLiteral("Jones"), QStringLiteral("1/1/1900"));
        ListWindowTestbed::Exec("INSERT INTO Doctors (doctorid, lname, fname) VALUES (3, 'House', 'Greg')");
        ListWindowTestbed::Exec("INSERT INTO PatientsDoctors (ptid, doctorid, comment) VALUES (4, 3, 'Since 2019')");
        ListWindowTestbed::Exec("INSERT INTO LabVisits (id, ptid, labdate, overallcl) VALUES (3, 5, #1/1/2025#, 999)");
        QStringList seen;
        const auto opened = [&](QDialog& window) {
            seen << window.objectName() + u'|' + TextOf(window, "lblFullName") +
                        (window.objectName() == "frmAssDc2" ? u'|' + TextOf(window, "txtLName") : QString());
            window.reject();
        };
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("detail.pdf"));
        for (const char* name : {"frmAssDc2", "frmPsRxs", "frmPsHFs"})
            bed->OnWindow(QString::fromLatin1(name), opened);
        bed->OnWindow(QStringLiteral("frmPsBW"), [&](QDialog& list) {
            opened(list);
            ListWindowTestbed::Exec("INSERT INTO LabVisits (id, ptid, labdate, overallcl, hdl, ldl, triglycerides) "
                                    "VALUES (1, 4, #3/4/2023#, 250, 40, 160, 300)");
            ListWindowTestbed::Exec("INSERT INTO LabVisits (id, ptid, labdate, overallcl, hdl, ldl) "
                                    "VALUES (2, 4, #11/20/2024#, 210, 45, 130)");
        });
        bed->OnWindow(QStringLiteral("frmPrint"), [](QDialog& window) { ChoosePrinter(window, "PDF file"); });
        bed->OnWindow(QStringLiteral("dlgSavePdf"), [&path](QDialog& window) { SaveAs(window, path); });
        bed->OnWindow(QStringLiteral("frmAssDc2"), opened);
        open(4);
        QCOMPARE(shown({"lblRecentLevels"}), QStringLiteral("N/A"));
        QVERIFY(QFontInfo(child<QLabel>("lblRecentLevels")->font()).fixedPitch());
        for (const char* button : {"cmdDoctors", "cmdDrugs", "cmdHealthFactors", "cmdBloodWork", "cmdPrint"})
            click(button);
        QCOMPARE(shown({"lblRecentLevels"}),
                 QStringLiteral("Taken : 11/20/24\r\nTotal : 210\r\nHDL   : 45\r\nLDL   : 130\r\nTrig  : 0"));
        open(5);
        click("cmdDoctors");
        QCOMPARE(seen, QStringList({"frmAssDc2|Smith, Ann|House", "frmPsRxs|Smith, Ann", "frmPsHFs|Smith, Ann",
                                    "frmPsBW|Smith, Ann", "frmAssDc2|Jones, Ann|"}));
        // The detail report as written to the file: its one page (pdftotext ends each with a
        // form feed) and the patient's name.
        const QString pdf = PdfText(path);
        QVERIFY2(pdf.count(u'\f') == 1 && pdf.contains(QStringLiteral("Smith, Ann")), qPrintable(pdf));
    }

    // A search started while adding drops the new patient without asking; the patient picked
    // in the search is shown for editing, as loaded, so that it closes at once.
    void searchDropsTheNewPatientAndShowsThePickedOne()
    {
        ListWindowTestbed::AddPatient(4, QStringLiteral("Smith"), QStringLiteral("1/1/1900"));
        ListWindowTestbed::AddPatient(5, QStringLiteral("Jones"), QStringLiteral("3/5/2030"));
        ListWindowTestbed::Exec("UPDATE Patients SET systolic = 125, city = 'Dover' WHERE ptid = 5");
        QString search;
        bed->OnWindow(QStringLiteral("frmSearch"), [&](QDialog& window) {
            search = window.windowTitle() + u'|' + Child<QComboBox>(window, "cmbSearchItems")->currentText();
            DoubleClickRow(*Child<QAbstractItemView>(window, "GridResults"), 1);
        });
        open();
        enter("txtLName", QStringLiteral("Unsaved"));
        click("cmdSearchLN");
        QCOMPARE(search, QStringLiteral("Search - Patient|Last Name"));
        QCOMPARE(shown({"lblID", "txtLName", "txtSystolic", "chkNotify", "dtCallDate", "cmdAdd", "cmdDelete"}),
                 QStringLiteral("5|Jones|125|[x]|3/5/2030|&Add New|&Delete"));
        QCOMPARE(ListWindowTestbed::Count("SELECT count(*) FROM Patients"), 2);
        window->close();
        QVERIFY(!window->isVisible());
    }

private:
    void open(std::optional<qint32> id = std::nullopt)
    {
        window = std::make_unique<frmPatient>();
        id ? window->Init(*id) : window->Init();
        QVERIFY(ShowActive(*window));
    }
    template <class T = QLineEdit> T* child(const char* name) { return Child<T>(*window, name); }
    void enter(const char* box, const QString& text) { TypeInto(*window, box, text); }
    QString shown(const QStringList& names) { return ShownState(*window, names); }
    void click(const char* button) { ClickButton(*window, button); }
    // Fills in the required fields of a new patient.
    void enterRequired(const QString& lastName = QStringLiteral("Smith"))
    {
        enter("txtFName", QStringLiteral("Anna"));
        enter("txtLName", lastName);
        enter("txtBirthDate", QStringLiteral("3/5/1960"));
    }
};

QTEST_MAIN(tst_PatientEditor)
#include "tst_PatientEditor.moc"
