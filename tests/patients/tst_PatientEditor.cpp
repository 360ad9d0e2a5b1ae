// The patient editor as the front desk uses it: adding, loading, correcting, deleting, the
// call date, the checks before saving and the question before unsaved changes are dropped.

#include "ListWindowTestbed.h"
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
const QString kNumbers = QStringLiteral("SELECT goal_chol, goal_ldl, systolic, diastolic FROM Patients");

} // namespace

class tst_PatientEditor : public QObject {
    Q_OBJECT

private slots:
    void init() { m_bed = std::make_unique<ListWindowTestbed>(); }
    void cleanup();

    void addsPatientsAndReadsThemBack();
    void savingChecksRequiredFieldsAndNumbers_data();
    void savingChecksRequiredFieldsAndNumbers();
    void notifyDateInThePastIsAsked();
    void birthDateBoxAndAge();
    void recentLevelsFollowTheBloodWork();
    void closingAsksOnlyAboutComparedValues();
    void deleteAsksAndEmptiesTheWindow();
    void failedSaveKeepsTheEntry();
    void emptyStateAndCancelAdd();
    void buttonsOpenThePatientsWindows();
    void searchDropsTheNewPatientAndShowsThePickedOne();

private:
    void open(std::optional<qint32> id = std::nullopt)
    {
        m_window = std::make_unique<frmPatient>();
        id ? m_window->Init(*id) : m_window->Init();
        QVERIFY(ShowActive(*m_window));
    }
    template <class T = QLineEdit> T* child(const char* name) { return Child<T>(*m_window, name); }
    void enter(const char* box, const QString& text) { TypeInto(*m_window, box, text); }
    QString shown(const QStringList& names) { return ShownState(*m_window, names); }
    void click(const char* button) { ClickButton(*m_window, button); }
    void leaveBox() { child("txtCity")->setFocus(); }
    void tickNotify() { QTest::mouseClick(child<QCheckBox>("chkNotify"), Qt::LeftButton); }
    // Fills in the required fields of a new patient.
    void enterRequired(const QString& lastName = QStringLiteral("Smith"))
    {
        enter("txtFName", QStringLiteral("Anna"));
        enter("txtLName", lastName);
        enter("txtBirthDate", QStringLiteral("3/5/1960"));
    }

    std::unique_ptr<ListWindowTestbed> m_bed;
    std::unique_ptr<frmPatient> m_window;
};

void tst_PatientEditor::cleanup()
{
    m_window.reset();
    QCOMPARE(m_bed->unanswered, QStringList());
    m_bed.reset();
}

// A new patient takes the number after the largest, or the next one when another workstation
// stored that number meanwhile; saving again corrects that patient. Unfilled numbers are
// stored as 0 and shown empty; a lower-case sex letter written by another program still reads.
void tst_PatientEditor::addsPatientsAndReadsThemBack()
{
    ListWindowTestbed::AddPatient(7, QStringLiteral("P7"), QStringLiteral("1/1/1900"));
    open();
    QCOMPARE(shown({"lblID", "cmdAdd", "cmdDelete"}), QStringLiteral("8|Cancel Add|~&Delete"));
    QCOMPARE(QApplication::focusWidget(), child("txtFName"));
    ListWindowTestbed::AddPatient(8, QStringLiteral("Elsewhere"), QStringLiteral("1/1/1900"));
    enterRequired(QStringLiteral("O'Brien"));
    child<QComboBox>("cmbSex")->setCurrentText(QStringLiteral("Female"));
    click("cmdSave");
    enter("txtCity", QStringLiteral("Springfield"));
    click("cmdSave");
    QCOMPARE(ListWindowTestbed::Rows("SELECT ptid, lname, sex, city, calldate FROM Patients WHERE ptid > 7"),
             (QStringList{"8|Elsewhere|||1900-01-01", "9|O'Brien|F|Springfield|1900-01-01"}));
    QCOMPARE(ListWindowTestbed::Rows(kNumbers + " WHERE ptid = 9"), QStringList{"0|0|0|0"});
    QCOMPARE(shown({"lblID", "cmdAdd", "cmdDelete", "cmdBloodWork"}), QStringLiteral("9|Cancel Add|&Delete|&Blood Work"));

    open(9);
    QCOMPARE(child<QComboBox>("cmbSex")->currentText() + u'|' +
                 shown({"txtLName", "txtBirthDate", "chkNotify", "txtGoalChol", "txtGoalLDL", "txtSystolic",
                        "txtDiastolic", "cmdAdd", "dtCallDate"}),
             "Female|O'Brien|03/05/1960|[ ]|||||&Add New|~" + QDate::currentDate().toString("M/d/yyyy"));
    ListWindowTestbed::Exec("INSERT INTO Patients (ptid, lname, fname, sex) VALUES (2, 'Low', 'Case', 'm')");
    open(2);
    QCOMPARE(child<QComboBox>("cmbSex")->currentText(), QStringLiteral("Male"));
}

void tst_PatientEditor::savingChecksRequiredFieldsAndNumbers_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("notice");
    QTest::addColumn<QStringList>("numbers");
    const QString range = QStringLiteral(" must be a whole number from -32768 to 32767.");
    QTest::newRow("first name blank") << "txtFName" << "  " << kInvalid << QStringList();
    QTest::newRow("last name blank") << "txtLName" << "" << kInvalid << QStringList();
    QTest::newRow("birth date blank") << "txtBirthDate" << "" << kInvalid << QStringList();
    QTest::newRow("goal total too low") << "txtGoalChol" << "-32769" << "Goal Total" + range << QStringList();
    QTest::newRow("goal LDL too high") << "txtGoalLDL" << "32768" << "Goal LDL" + range << QStringList();
    QTest::newRow("systolic not a number")
        << "txtSystolic" << "12a" << "The systolic blood pressure (BP)" + range << QStringList();
    QTest::newRow("diastolic not whole")
        << "txtDiastolic" << "80.5" << "The diastolic blood pressure (BP)" + range << QStringList();
    QTest::newRow("lowest") << "txtGoalLDL" << "-32768" << "" << QStringList{"0|-32768|0|0"};
    QTest::newRow("highest") << "txtDiastolic" << "32767" << "" << QStringList{"0|0|0|32767"};
}

// A refused number is named and gets the focus; nothing is stored until all is well.
void tst_PatientEditor::savingChecksRequiredFieldsAndNumbers()
{
    QFETCH(QString, box);
    QFETCH(QString, typed);
    QFETCH(QString, notice);
    QFETCH(QStringList, numbers);
    open();
    enterRequired();
    enter(qPrintable(box), typed);
    click("cmdSave");
    QCOMPARE(m_bed->notices, notice.isEmpty() ? QStringList() : QStringList{notice});
    QCOMPARE(ListWindowTestbed::Rows(kNumbers), numbers);
    if (!notice.isEmpty() && notice != kInvalid)
        QCOMPARE(QApplication::focusWidget()->objectName(), box);
}

// A call date before today is asked about: No refuses the save, Yes stores it. Today is not
// asked about. A stored call date shows ticked and can be changed.
void tst_PatientEditor::notifyDateInThePastIsAsked()
{
    const QDate today = QDate::currentDate();
    open();
    auto* callDate = child<QDateEdit>("dtCallDate");
    enterRequired();
    tickNotify();
    callDate->setDate(today.addDays(-1));
    m_bed->Answer({false});
    click("cmdSave");
    QCOMPARE(m_bed->notices, QStringList{kInvalid});
    QCOMPARE(ListWindowTestbed::Count("SELECT count(*) FROM Patients"), 0);
    callDate->setDate(today);
    click("cmdSave");
    QCOMPARE(ListWindowTestbed::Value("SELECT calldate FROM Patients").toDate(), today);
    callDate->setDate(today.addDays(-1));
    m_bed->Answer({true});
    click("cmdSave");
    QCOMPARE(m_bed->questions, QStringList(2, "Patient Notify Date is listed as a Date earlier than today's "
                                              "date.  Are you sure you want this date?"));
    open(1);
    QCOMPARE(shown({"chkNotify", "dtCallDate"}), "[x]|" + today.addDays(-1).toString("M/d/yyyy"));
}

// Text that is no date, or a time alone, keeps the focus silently and leaves the age as it
// was; an empty box may be left. Entering a box selects its text, so typing replaces it.
void tst_PatientEditor::birthDateBoxAndAge()
{
    const int year = QDate::currentDate().year();
    open();
    QStringList ages;
    for (const QString& date : {QStringLiteral("12/31/%1").arg(year - 1), QStringLiteral("1/1/%1").arg(year)}) {
        enter("txtBirthDate", date);
        leaveBox();
        ages << shown({"lblAge"});
    }
    for (const QString& wrong : {QStringLiteral("13/45/2000"), QStringLiteral("10:30")}) {
        enter("txtBirthDate", wrong);
        leaveBox();
        QTRY_COMPARE(QApplication::focusWidget(), child("txtBirthDate"));
    }
    QCOMPARE(ages << shown({"lblAge"}), QStringList({"1", "0", "0"}));
    QCOMPARE(m_bed->notices, QStringList());
    child("txtBirthDate")->clear();
    leaveBox();
    QTest::qWait(20);
    QCOMPARE(QApplication::focusWidget(), child("txtCity"));

    child("txtCity")->setText(QStringLiteral("Boston"));
    child("txtFName")->setFocus();
    child("txtCity")->setFocus();
    QTRY_COMPARE(child("txtCity")->selectedText(), QStringLiteral("Boston"));
}

// The patient's latest visit in a fixed-pitch box, refreshed when the blood work list closes.
void tst_PatientEditor::recentLevelsFollowTheBloodWork()
{
    ListWindowTestbed::AddPatient(1, QStringLiteral("Smith"), QStringLiteral("1/1/1900"));
    ListWindowTestbed::Exec("INSERT INTO LabVisits (id, ptid, labdate, overallcl) VALUES (3, 2, #1/1/2025#, 999)");
    open(1);
    QCOMPARE(shown({"lblRecentLevels"}), QStringLiteral("N/A"));
    QVERIFY(QFontInfo(child<QLabel>("lblRecentLevels")->font()).fixedPitch());
    m_bed->OnWindow(QStringLiteral("frmPsBW"), [&](QDialog& list) {
        ListWindowTestbed::Exec("INSERT INTO LabVisits (id, ptid, labdate, overallcl, hdl, ldl, triglycerides) "
                                "VALUES (1, 1, #3/4/2023#, 250, 40, 160, 300)");
        ListWindowTestbed::Exec("INSERT INTO LabVisits (id, ptid, labdate, overallcl, hdl, ldl) "
                                "VALUES (2, 1, #11/20/2024#, 210, 45, 130)");
        list.reject();
    });
    click("cmdBloodWork");
    QCOMPARE(shown({"lblRecentLevels"}),
             QStringLiteral("Taken : 11/20/24\r\nTotal : 210\r\nHDL   : 45\r\nLDL   : 130\r\nTrig  : 0"));
}

// Blood pressure and the Notify box alone are not compared; names, goals and a date picked
// while Notify is ticked are. Saved changes are no longer unsaved.
void tst_PatientEditor::closingAsksOnlyAboutComparedValues()
{
    ListWindowTestbed::Exec("INSERT INTO Patients (ptid, lname, fname, birthdate, city, calldate, goal_chol, "
                            "systolic) VALUES (1, 'Smith', 'Ann', #3/5/1960#, 'Boston', #1/1/1900#, 180, 120)");
    open(1);
    enter("txtSystolic", QStringLiteral("140"));
    tickNotify();
    enter("txtGoalChol", QStringLiteral("0180"));
    click("cmdExit");
    QVERIFY(!m_window->isVisible());

    open(1);
    enter("txtCity", QStringLiteral("Bostonn"));
    m_bed->Answer({false, false, true, true});
    click("cmdExit");
    QTest::keyClick(m_window.get(), Qt::Key_Escape);
    QVERIFY(m_window->isVisible());
    enter("txtCity", QStringLiteral("Boston"));
    enter("txtGoalChol", QStringLiteral("190"));
    m_window->close();
    QVERIFY(!m_window->isVisible());

    open(1);
    tickNotify();
    child<QDateEdit>("dtCallDate")->setDate(QDate::currentDate().addDays(7));
    m_window->close();
    QCOMPARE(m_bed->questions, QStringList(4, kUnsaved));

    open(1);
    enter("txtCity", QStringLiteral("Salem"));
    click("cmdSave");
    click("cmdExit");
    QVERIFY(!m_window->isVisible());
    QCOMPARE(ListWindowTestbed::Count("SELECT systolic FROM Patients"), 120);
}

// Yes deletes the patient with the patient's lab visits and leaves the window empty.
void tst_PatientEditor::deleteAsksAndEmptiesTheWindow()
{
    ListWindowTestbed::AddPatient(3, QStringLiteral("O'Hara"), QStringLiteral("1/1/1900"));
    ListWindowTestbed::Exec("INSERT INTO LabVisits (id, ptid, labdate) VALUES (1, 3, #1/2/2024#)");
    open(3);
    m_bed->Answer({false, true});
    click("cmdDelete");
    QCOMPARE(ListWindowTestbed::Count("SELECT count(*) FROM Patients"), 1);
    click("cmdDelete");
    QCOMPARE(m_bed->questions, QStringList(2, "Are you Sure you want to delete O'Hara, Ann ?"));
    QCOMPARE(ListWindowTestbed::Count("SELECT count(*) FROM Patients UNION ALL SELECT count(*) FROM LabVisits"), 0);
    QCOMPARE(shown({"lblID", "txtLName", "cmdDelete", "cmdSave"}), QStringLiteral("|~|~&Delete|~&Save"));
}

// A patient deleted elsewhere is reported on opening and on saving; an engine error is
// reported too. Either way the entry stays on screen, still unsaved.
void tst_PatientEditor::failedSaveKeepsTheEntry()
{
    const QString gone = QStringLiteral(
        "Patient %1 is no longer in the database; it may have been deleted on another workstation.");
    open(42);
    QCOMPARE(shown({"lblID", "cmdSave"}), QStringLiteral("|~&Save"));
    ListWindowTestbed::AddPatient(5, QStringLiteral("Smith"), QStringLiteral("1/1/1900"));
    open(5);
    ListWindowTestbed::Exec("DELETE FROM Patients WHERE ptid = 5");
    enter("txtBirthDate", QStringLiteral("1/2/1950"));
    enter("txtCity", QStringLiteral("Salem"));
    click("cmdSave");
    QCOMPARE(m_bed->notices, QStringList({gone.arg(42), gone.arg(5) + " The changes were not saved."}));
    QCOMPARE(ListWindowTestbed::Count("SELECT count(*) FROM Patients"), 0);
    m_bed->Answer({true, true});
    m_window->close();

    open();
    enterRequired();
    SetAppDatabase(Database());
    click("cmdSave");
    QVERIFY(m_bed->notices.value(2).contains(QStringLiteral("not open")));
    QCOMPARE(shown({"lblID", "txtLName", "cmdDelete"}), QStringLiteral("1|Smith|~&Delete"));
    m_window->close();
    QCOMPARE(m_bed->questions, QStringList(2, kUnsaved));
}

// Cancelling an add empties the window; from a shown patient, leaving right after starting
// a new one asks before the shown patient's values are dropped.
void tst_PatientEditor::emptyStateAndCancelAdd()
{
    const QString today = QDate::currentDate().toString("M/d/yyyy");
    open(0);
    QCOMPARE(shown({"cmdAdd", "txtLName", "txtBirthDate", "txtCity", "chkNotify", "cmdSave", "cmdBloodWork"}),
             QStringLiteral("&Add New|~|~|~|~[ ]|~&Save|~&Blood Work"));
    click("cmdAdd");
    QCOMPARE(shown({"lblID", "txtLName", "dtCallDate"}), "1||~" + today);
    enter("txtLName", QStringLiteral("Gone"));
    click("cmdAdd");
    QCOMPARE(shown({"lblID", "txtLName"}), QStringLiteral("|~"));

    ListWindowTestbed::AddPatient(2, QStringLiteral("Smith"), QStringLiteral("6/1/2030"));
    open(2);
    click("cmdAdd");
    QCOMPARE(shown({"chkNotify", "lblRecentLevels", "dtCallDate"}), "[ ]||~" + today);
    m_bed->Answer({true});
    click("cmdExit");
    QCOMPARE(m_bed->questions, QStringList{kUnsaved});
}

// Doctor, Drugs and Health Factors open the patient's own windows under the patient's name;
// the doctor window edits the patient's doctor link when there is one. Print prints the
// shown patient's detail.
void tst_PatientEditor::buttonsOpenThePatientsWindows()
{
    ListWindowTestbed::AddPatient(4, QStringLiteral("Smith"), QStringLiteral("1/1/1900"));
    ListWindowTestbed::AddPatient(5, QStringLiteral("Jones"), QStringLiteral("1/1/1900"));
    ListWindowTestbed::Exec("INSERT INTO Doctors (doctorid, lname, fname) VALUES (3, 'House', 'Greg')");
    ListWindowTestbed::Exec("INSERT INTO PatientsDoctors (ptid, doctorid, comment) VALUES (4, 3, 'Since 2019')");
    QStringList seen;
    const auto opened = [&](QDialog& window) {
        seen << window.objectName() + u'|' + TextOf(window, "lblFullName") +
                    (window.objectName() == "frmAssDc2" ? u'|' + TextOf(window, "txtLName") : QString());
    };
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("detail.pdf"));
    for (const char* name : {"frmAssDc2", "frmPsRxs", "frmPsHFs"})
        m_bed->OnWindow(QString::fromLatin1(name), opened);
    m_bed->OnWindow(QStringLiteral("frmPrint"), [](QDialog& window) { ChoosePrinter(window, "PDF file"); });
    m_bed->OnWindow(QStringLiteral("dlgSavePdf"), [&path](QDialog& window) { SaveAs(window, path); });
    m_bed->OnWindow(QStringLiteral("frmAssDc2"), opened);
    open(4);
    for (const char* button : {"cmdDoctors", "cmdDrugs", "cmdHealthFactors", "cmdPrint"})
        click(button);
    open(5);
    click("cmdDoctors");
    QVERIFY(m_bed->AllWindowsSeen());
    QCOMPARE(seen, QStringList({"frmAssDc2|Smith, Ann|House", "frmPsRxs|Smith, Ann", "frmPsHFs|Smith, Ann",
                                "frmAssDc2|Jones, Ann|"}));
    QVERIFY(PdfText(path).contains(QStringLiteral("Smith, Ann")));
}

// A search started while adding drops the new patient without asking; the patient picked
// in the search is shown for editing, as loaded.
void tst_PatientEditor::searchDropsTheNewPatientAndShowsThePickedOne()
{
    ListWindowTestbed::AddPatient(4, QStringLiteral("Smith"), QStringLiteral("1/1/1900"));
    ListWindowTestbed::AddPatient(5, QStringLiteral("Jones"), QStringLiteral("3/5/2030"));
    ListWindowTestbed::Exec("UPDATE Patients SET systolic = 125, city = 'Dover' WHERE ptid = 5");
    QString search;
    m_bed->OnWindow(QStringLiteral("frmSearch"), [&](QDialog& window) {
        search = window.windowTitle() + u'|' + Child<QComboBox>(window, "cmbSearchItems")->currentText();
        DoubleClickRow(*Child<QAbstractItemView>(window, "GridResults"), 1);
    });
    open();
    enter("txtLName", QStringLiteral("Unsaved"));
    click("cmdSearchLN");
    QCOMPARE(search, QStringLiteral("Search - Patient|Last Name"));
    QCOMPARE(m_bed->leftOpen, QStringList());
    QCOMPARE(shown({"lblID", "txtLName", "txtSystolic", "chkNotify", "dtCallDate", "cmdAdd", "cmdDelete"}),
             QStringLiteral("5|Jones|125|[x]|3/5/2030|&Add New|&Delete"));
    QCOMPARE(ListWindowTestbed::Count("SELECT count(*) FROM Patients"), 2);
    enter("txtCity", QStringLiteral("Salem"));
    m_bed->Answer({false});
    m_window->close();
    QCOMPARE(m_bed->questions, QStringList{kUnsaved});
}

QTEST_MAIN(tst_PatientEditor)
#include "tst_PatientEditor.moc"
