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
    void referenceButtonsOpenThePatientsLinks();
    void searchDropsTheNewPatientAndShowsThePickedOne();
    void printButtonPrintsTheShownPatientsDetail();

private:
    void open(std::optional<qint32> id = std::nullopt);
    template <class T = QLineEdit> T* child(const char* name) { return Child<T>(*m_window, name); }
    void enter(const char* box, const QString& text) { TypeInto(*m_window, box, text); }
    QString shown(const char* name) { return TextOf(*m_window, name); }
    bool enabled(const char* name) { return IsEnabled(*m_window, name); }
    void click(const char* button) { ClickButton(*m_window, button); }
    void leaveBox() { child("txtCity")->setFocus(); }
    // Fills in the required fields of a new patient.
    void enterRequired(const QString& lastName = QStringLiteral("Smith"));

    std::unique_ptr<ListWindowTestbed> m_bed;
    std::unique_ptr<frmPatient> m_window;
};

void tst_PatientEditor::cleanup()
{
    m_window.reset();
    QCOMPARE(m_bed->unanswered, QStringList());
    m_bed.reset();
}

void tst_PatientEditor::open(std::optional<qint32> id)
{
    m_window = std::make_unique<frmPatient>();
    id ? m_window->Init(*id) : m_window->Init();
    QVERIFY(ShowActive(*m_window));
}

void tst_PatientEditor::enterRequired(const QString& lastName)
{
    enter("txtFName", QStringLiteral("Anna"));
    enter("txtLName", lastName);
    enter("txtBirthDate", QStringLiteral("3/5/1960"));
}

// A new patient takes the number after the largest, or the next one when another workstation
// stored that number meanwhile; saving again corrects that patient. Unfilled numbers are
// stored as 0 and shown empty; a lower-case sex letter written by another program still reads.
void tst_PatientEditor::addsPatientsAndReadsThemBack()
{
    ListWindowTestbed::AddPatient(7, QStringLiteral("P7"), QStringLiteral("1/1/1900"));
    open();
    QCOMPARE(ShownState(*m_window, {"lblID", "cmdAdd", "cmdDelete"}), QStringLiteral("8|Cancel Add|~&Delete"));
    QCOMPARE(QApplication::focusWidget(), child("txtFName"));
    ListWindowTestbed::AddPatient(8, QStringLiteral("Elsewhere"), QStringLiteral("1/1/1900"));
    enterRequired(QStringLiteral("O'Brien"));
    child<QComboBox>("cmbSex")->setCurrentText(QStringLiteral("Female"));
    click("cmdSave");
    enter("txtCity", QStringLiteral("Springfield"));
    click("cmdSave");
    QCOMPARE(m_bed->notices, QStringList());
    QCOMPARE(ListWindowTestbed::Rows("SELECT ptid, lname, sex, city, calldate FROM Patients ORDER BY ptid"),
             (QStringList{"7|P7|||1900-01-01", "8|Elsewhere|||1900-01-01", "9|O'Brien|F|Springfield|1900-01-01"}));
    QCOMPARE(ListWindowTestbed::Rows(kNumbers + " WHERE ptid = 9"), QStringList{"0|0|0|0"});
    // Saved: the patient's buttons are there, the add button still offers to cancel.
    QCOMPARE(ShownState(*m_window, {"lblID", "cmdAdd", "cmdDelete", "cmdBloodWork"}),
             QStringLiteral("9|Cancel Add|&Delete|&Blood Work"));

    open(9);
    QCOMPARE(child<QComboBox>("cmbSex")->currentText(), QStringLiteral("Female"));
    QCOMPARE(ShownState(*m_window, {"txtLName", "txtBirthDate", "chkNotify", "txtGoalChol", "txtGoalLDL",
                               "txtSystolic", "txtDiastolic", "cmdAdd"}),
             QStringLiteral("O'Brien|03/05/1960|[ ]|||||&Add New"));
    QVERIFY(!enabled("dtCallDate"));
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

void tst_PatientEditor::notifyDateInThePastIsAsked()
{
    const QDate today = QDate::currentDate();
    open();
    enterRequired();
    QTest::mouseClick(child<QCheckBox>("chkNotify"), Qt::LeftButton);
    QVERIFY(child<QDateEdit>("dtCallDate")->isEnabled());
    child<QDateEdit>("dtCallDate")->setDate(today.addDays(-1));
    m_bed->Answer({false});
    click("cmdSave");
    QCOMPARE(m_bed->questions, QStringList{QStringLiteral(
        "Patient Notify Date is listed as a Date earlier than today's date.  Are you sure you want this date?")});
    QCOMPARE(m_bed->notices, QStringList{kInvalid});
    QCOMPARE(ListWindowTestbed::Count("SELECT count(*) FROM Patients"), 0);

    child<QDateEdit>("dtCallDate")->setDate(today);
    click("cmdSave");
    QCOMPARE(m_bed->questions.size(), 1);
    QCOMPARE(ListWindowTestbed::Value("SELECT calldate FROM Patients").toDate(), today);
    child<QDateEdit>("dtCallDate")->setDate(today.addDays(-1));
    m_bed->Answer({true});
    click("cmdSave");
    QCOMPARE(m_bed->questions.size(), 2);
    QCOMPARE(ListWindowTestbed::Value("SELECT calldate FROM Patients").toDate(), today.addDays(-1));

    open(1);
    QCOMPARE(shown("chkNotify"), QStringLiteral("[x]"));
    QVERIFY(enabled("dtCallDate"));
    QCOMPARE(child<QDateEdit>("dtCallDate")->date(), today.addDays(-1));
}

// Text that is no date, or a time alone, keeps the focus silently and leaves the age as it
// was; an empty box may be left. Entering a box selects its text, so typing replaces it.
void tst_PatientEditor::birthDateBoxAndAge()
{
    const int year = QDate::currentDate().year();
    open();
    enter("txtBirthDate", QStringLiteral("12/31/%1").arg(year - 1));
    leaveBox();
    QCOMPARE(shown("lblAge"), QStringLiteral("1"));
    enter("txtBirthDate", QStringLiteral("1/1/%1").arg(year));
    leaveBox();
    QCOMPARE(shown("lblAge"), QStringLiteral("0"));
    for (const QString& wrong : {QStringLiteral("13/45/2000"), QStringLiteral("10:30")}) {
        enter("txtBirthDate", wrong);
        leaveBox();
        QTRY_COMPARE(QApplication::focusWidget(), child("txtBirthDate"));
    }
    QCOMPARE(shown("lblAge"), QStringLiteral("0"));
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
    ListWindowTestbed::AddPatient(2, QStringLiteral("Jones"), QStringLiteral("1/1/1900"));
    ListWindowTestbed::Exec("INSERT INTO LabVisits (id, ptid, labdate, overallcl) VALUES (3, 2, #1/1/2025#, 999)");
    open(1);
    QCOMPARE(shown("lblRecentLevels"), QStringLiteral("N/A"));
    QVERIFY(QFontInfo(child<QLabel>("lblRecentLevels")->font()).fixedPitch());
    QString shownName;
    m_bed->OnWindow(QStringLiteral("frmPsBW"), [&](QDialog& list) {
        shownName = TextOf(list, "lblFullName");
        ListWindowTestbed::Exec("INSERT INTO LabVisits (id, ptid, labdate, overallcl, hdl, ldl, triglycerides) "
                                "VALUES (1, 1, #3/4/2023#, 250, 40, 160, 300)");
        ListWindowTestbed::Exec("INSERT INTO LabVisits (id, ptid, labdate, overallcl, hdl, ldl) "
                                "VALUES (2, 1, #11/20/2024#, 210, 45, 130)");
        list.reject();
    });
    click("cmdBloodWork");
    QVERIFY(m_bed->AllWindowsSeen());
    QCOMPARE(shownName, QStringLiteral("Smith, Ann"));
    QCOMPARE(shown("lblRecentLevels"),
             QStringLiteral("Taken : 11/20/24\r\nTotal : 210\r\nHDL   : 45\r\nLDL   : 130\r\nTrig  : 0"));
}

// Blood pressure and the Notify box alone are not compared; names, goals and a date picked
// while Notify is ticked are. Saved changes are no longer unsaved.
void tst_PatientEditor::closingAsksOnlyAboutComparedValues()
{
    ListWindowTestbed::Exec("INSERT INTO Patients (ptid, lname, fname, birthdate, city, calldate, goal_chol, "
                            "systolic) VALUES (1, 'Smith', 'Ann', #3/5/1960#, 'Boston', #1/1/1900#, 180, 120)");
    open(1);
    click("cmdExit");
    QVERIFY(!m_window->isVisible());
    open(1);
    enter("txtSystolic", QStringLiteral("140"));
    QTest::mouseClick(child<QCheckBox>("chkNotify"), Qt::LeftButton);
    enter("txtGoalChol", QStringLiteral("0180"));
    m_window->close();
    QVERIFY(!m_window->isVisible());
    QCOMPARE(m_bed->questions, QStringList());

    open(1);
    enter("txtCity", QStringLiteral("Bostonn"));
    m_bed->Answer({false, false, false, true});
    click("cmdExit");
    m_window->close();
    QTest::keyClick(m_window.get(), Qt::Key_Escape);
    QVERIFY(m_window->isVisible());
    QCOMPARE(m_bed->questions, QStringList(3, kUnsaved));
    enter("txtCity", QStringLiteral("Boston"));
    enter("txtGoalChol", QStringLiteral("190"));
    QTest::keyClick(m_window.get(), Qt::Key_Escape);
    QVERIFY(!m_window->isVisible());

    open(1);
    QTest::mouseClick(child<QCheckBox>("chkNotify"), Qt::LeftButton);
    child<QDateEdit>("dtCallDate")->setDate(QDate::currentDate().addDays(7));
    m_bed->Answer({true});
    m_window->close();
    QVERIFY(!m_window->isVisible());
    QCOMPARE(m_bed->questions.size(), 5);

    open(1);
    enter("txtCity", QStringLiteral("Salem"));
    click("cmdSave");
    click("cmdExit");
    QCOMPARE(m_bed->questions.size(), 5);
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
    QCOMPARE(m_bed->questions, QStringList{QStringLiteral("Are you Sure you want to delete O'Hara, Ann ?")});
    QCOMPARE(ListWindowTestbed::Count("SELECT count(*) FROM Patients"), 1);
    click("cmdDelete");
    QCOMPARE(ListWindowTestbed::Count("SELECT count(*) FROM Patients"), 0);
    QCOMPARE(ListWindowTestbed::Count("SELECT count(*) FROM LabVisits"), 0);
    QCOMPARE(ShownState(*m_window, {"lblID", "txtLName", "cmdDelete", "cmdSave"}), QStringLiteral("|~|~&Delete|~&Save"));
}

// A patient deleted elsewhere is reported on opening and on saving; an engine error is
// reported too. Either way the entry stays on screen, still unsaved.
void tst_PatientEditor::failedSaveKeepsTheEntry()
{
    const QString gone = QStringLiteral(
        "Patient %1 is no longer in the database; it may have been deleted on another workstation.");
    open(42);
    QCOMPARE(m_bed->notices, QStringList{gone.arg(42)});
    QCOMPARE(ShownState(*m_window, {"lblID", "cmdSave"}), QStringLiteral("|~&Save"));

    ListWindowTestbed::AddPatient(5, QStringLiteral("Smith"), QStringLiteral("1/1/1900"));
    open(5);
    ListWindowTestbed::Exec("DELETE FROM Patients WHERE ptid = 5");
    enter("txtBirthDate", QStringLiteral("1/2/1950"));
    enter("txtCity", QStringLiteral("Salem"));
    click("cmdSave");
    QCOMPARE(m_bed->notices.last(), gone.arg(5) + QStringLiteral(" The changes were not saved."));
    QCOMPARE(ListWindowTestbed::Count("SELECT count(*) FROM Patients"), 0);
    m_bed->Answer({true});
    m_window->close();
    QCOMPARE(m_bed->questions, QStringList{kUnsaved});

    open();
    enterRequired();
    SetAppDatabase(Database());
    click("cmdSave");
    QCOMPARE(m_bed->notices.size(), 3);
    QVERIFY(m_bed->notices.last().contains(QStringLiteral("not open")));
    QCOMPARE(ShownState(*m_window, {"lblID", "txtLName", "cmdDelete"}), QStringLiteral("1|Smith|~&Delete"));
    m_bed->Answer({true});
    m_window->close();
    QCOMPARE(m_bed->questions, QStringList(2, kUnsaved));
}

// Cancelling an add empties the window; from a shown patient, leaving right after starting
// a new one asks before the shown patient's values are dropped.
void tst_PatientEditor::emptyStateAndCancelAdd()
{
    open(0);
    QCOMPARE(shown("cmdAdd"), QStringLiteral("&Add New"));
    for (const char* name : {"txtLName", "txtBirthDate", "txtCity", "chkNotify", "cmdSave", "cmdBloodWork"})
        QVERIFY2(!enabled(name), name);
    click("cmdAdd");
    QCOMPARE(ShownState(*m_window, {"lblID", "txtLName"}), QStringLiteral("1|"));
    QVERIFY(!enabled("dtCallDate"));
    enter("txtLName", QStringLiteral("Gone"));
    click("cmdAdd");
    QCOMPARE(ShownState(*m_window, {"lblID", "txtLName"}), QStringLiteral("|~"));
    QCOMPARE(ListWindowTestbed::Count("SELECT count(*) FROM Patients"), 0);

    ListWindowTestbed::AddPatient(2, QStringLiteral("Smith"), QStringLiteral("6/1/2030"));
    open(2);
    click("cmdAdd");
    QCOMPARE(ShownState(*m_window, {"chkNotify", "lblRecentLevels"}), QStringLiteral("[ ]|"));
    QVERIFY(!enabled("dtCallDate"));
    m_bed->Answer({true});
    click("cmdExit");
    QVERIFY(!m_window->isVisible());
    QCOMPARE(m_bed->questions, QStringList{kUnsaved});
}

// Doctor, Drugs and Health Factors open the patient's own links under the patient's name;
// the doctor window edits the patient's doctor link when there is one.
void tst_PatientEditor::referenceButtonsOpenThePatientsLinks()
{
    ListWindowTestbed::AddPatient(4, QStringLiteral("Smith"), QStringLiteral("1/1/1900"));
    ListWindowTestbed::AddPatient(5, QStringLiteral("Jones"), QStringLiteral("1/1/1900"));
    for (const char* sql : {"INSERT INTO Doctors (doctorid, lname, fname) VALUES (3, 'House', 'Greg')",
                            "INSERT INTO PatientsDoctors (ptid, doctorid, comment) VALUES (4, 3, 'Since 2019')",
                            "INSERT INTO Drugs (drugid, drugdesc) VALUES (2, 'Lipitor®')",
                            "INSERT INTO Schedule (ptid, drugid, comment) VALUES (4, 2, '10 mg')",
                            "INSERT INTO PatientFactors (ptid, condid, comment) VALUES (4, 1, 'daily')"})
        ListWindowTestbed::Exec(QString::fromUtf8(sql));
    QStringList seen;
    const auto listed = [&](QDialog& list) {
        seen << list.objectName() + u'|' + TextOf(list, "lblFullName")
             << RowTexts(*Child<QTableWidget>(list, "gridResults"), 0).join(u'/');
    };
    const auto doctor = [&](QDialog& window) {
        seen << window.objectName() + u'|' + TextOf(window, "lblFullName")
             << TextOf(window, "txtLName") + u'/' + TextOf(window, "txtComment") + u'/' +
                    (IsEnabled(window, "cmdDelete") ? u'D' : u'-');
    };
    m_bed->OnWindow(QStringLiteral("frmAssDc2"), doctor);
    m_bed->OnWindow(QStringLiteral("frmPsRxs"), listed);
    m_bed->OnWindow(QStringLiteral("frmPsHFs"), listed);
    m_bed->OnWindow(QStringLiteral("frmAssDc2"), doctor);
    open(4);
    click("cmdDoctors");
    click("cmdDrugs");
    click("cmdHealthFactors");
    open(5);
    click("cmdDoctors");
    QVERIFY(m_bed->AllWindowsSeen());
    QCOMPARE(seen, QStringList({"frmAssDc2|Smith, Ann", "House/Since 2019/D", "frmPsRxs|Smith, Ann",
                                "2/Lipitor®/10 mg", "frmPsHFs|Smith, Ann", "1/Smoking/daily",
                                "frmAssDc2|Jones, Ann", "//-"}));
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
    QCOMPARE(m_bed->questions, QStringList());
    QCOMPARE(m_bed->leftOpen, QStringList());
    QCOMPARE(ShownState(*m_window, {"lblID", "txtLName", "txtSystolic", "chkNotify", "cmdAdd", "cmdDelete"}),
             QStringLiteral("5|Jones|125|[x]|&Add New|&Delete"));
    QCOMPARE(child<QDateEdit>("dtCallDate")->date(), QDate(2030, 3, 5));
    QCOMPARE(ListWindowTestbed::Count("SELECT count(*) FROM Patients"), 2);
    enter("txtCity", QStringLiteral("Salem"));
    m_bed->Answer({false});
    m_window->close();
    QCOMPARE(m_bed->questions, QStringList{kUnsaved});
}

void tst_PatientEditor::printButtonPrintsTheShownPatientsDetail()
{
    ListWindowTestbed::AddPatient(4, QStringLiteral("Smith"), QStringLiteral("1/1/1900"));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("detail.pdf"));
    m_bed->OnWindow(QStringLiteral("frmPrint"), [](QDialog& window) { ChoosePrinter(window, "PDF file"); });
    m_bed->OnWindow(QStringLiteral("dlgSavePdf"), [&path](QDialog& window) { SaveAs(window, path); });
    open(4);
    click("cmdPrint");
    QVERIFY(m_bed->AllWindowsSeen());
    QVERIFY(PdfText(path).contains(QStringLiteral("Smith, Ann")));
}

QTEST_MAIN(tst_PatientEditor)
#include "tst_PatientEditor.moc"
