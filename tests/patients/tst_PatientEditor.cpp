// The patient editor as the front desk uses it: adding, loading, correcting, deleting, the
// call date, the checks before saving and the question before unsaved changes are dropped.

#include "ListWindowTestbed.h"
#include "PrinterChoice.h"
#include "frmPatient.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

namespace {

const QString kUnsaved = QStringLiteral("There are unsaved changes.  Are you sure you want to quit?");
const QString kInvalid = QStringLiteral("One or more required fields are missing or invalid.");
const QString kPastNotify = QStringLiteral(
    "Patient Notify Date is listed as a Date earlier than today's date.  Are you sure you want "
    "this date?");

} // namespace

class tst_PatientEditor : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void addsFirstPatientAndReadsItBack();
    void newIdentifierFollowsLargestAndSkipsTakenOne();
    void notifyDateInThePast();
    void numberBoxesRefuseWhatTheFieldsCannotHold();
    void birthDateBoxAndAge();
    void recentLevels();
    void bloodWorkListRefreshesRecentLevels();
    void closingAsksOnlyAboutComparedValues();
    void deleteAsksAndEmptiesTheWindow();
    void patientDeletedElsewhere();
    void engineErrorLeavesWindowAsItWas();
    void emptyStateAndCancelAdd();
    void referenceButtonsOpenThePatientsLinks();
    void searchDropsTheNewPatientAndShowsThePickedOne();
    void printButtonPrintsTheShownPatientsDetail();

private:
    std::unique_ptr<frmPatient> open(std::optional<qint32> id = std::nullopt);
    template <class T = QLineEdit>
    T* child(const char* name) { return Child<T>(*m_window, name); }
    void enter(const char* box, const QString& text);
    void click(const char* button) { QTest::mouseClick(child<QPushButton>(button), Qt::LeftButton); }
    // Fills in the required fields of a new patient.
    void enterRequired(const QString& lastName = QStringLiteral("Smith"));

    std::unique_ptr<ListWindowTestbed> m_bed;
    std::unique_ptr<frmPatient> m_window;
};

void tst_PatientEditor::init()
{
    m_bed = std::make_unique<ListWindowTestbed>();
}

void tst_PatientEditor::cleanup()
{
    m_window.reset();
    QCOMPARE(m_bed->unanswered, QStringList());
    m_bed.reset();
}

std::unique_ptr<frmPatient> tst_PatientEditor::open(std::optional<qint32> id)
{
    auto window = std::make_unique<frmPatient>();
    if (id)
        window->Init(*id);
    else
        window->Init();
    window->show();
    window->activateWindow();
    [&] { QVERIFY(QTest::qWaitForWindowActive(window.get())); }();
    return window;
}

void tst_PatientEditor::enter(const char* box, const QString& text)
{
    QLineEdit* edit = child(box);
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

void tst_PatientEditor::enterRequired(const QString& lastName)
{
    enter("txtFName", QStringLiteral("Anna"));
    enter("txtLName", lastName);
    enter("txtBirthDate", QStringLiteral("3/5/1960"));
}

void tst_PatientEditor::addsFirstPatientAndReadsItBack()
{
    m_window = open();
    QCOMPARE(child<QLabel>("lblID")->text(), QStringLiteral("1"));
    QCOMPARE(child<QPushButton>("cmdAdd")->text(), QStringLiteral("Cancel Add"));
    QVERIFY(!child<QPushButton>("cmdDelete")->isEnabled());
    QCOMPARE(QApplication::focusWidget(), child("txtFName"));

    enterRequired(QStringLiteral("O'Brien"));
    child<QComboBox>("cmbSex")->setCurrentText(QStringLiteral("Female"));
    enter("txtCity", QStringLiteral("Springfield"));
    enter("txtMI", QStringLiteral("Q"));
    click("cmdSave");

    QCOMPARE(m_bed->notices, QStringList());
    QCOMPARE(m_bed->Value("SELECT lname FROM Patients WHERE ptid = 1").toString(), QStringLiteral("O'Brien"));
    QCOMPARE(m_bed->Value("SELECT sex FROM Patients WHERE ptid = 1").toString(), QStringLiteral("F"));
    QCOMPARE(m_bed->Value("SELECT calldate FROM Patients WHERE ptid = 1").toDateTime().date(), QDate(1900, 1, 1));
    QCOMPARE(m_bed->Value("SELECT goal_chol FROM Patients WHERE ptid = 1").toInt(), 0);
    QCOMPARE(m_bed->Value("SELECT systolic FROM Patients WHERE ptid = 1").toInt(), 0);
    // Saved: the patient's buttons are there, the add button still offers to cancel.
    QVERIFY(child<QPushButton>("cmdDelete")->isEnabled());
    QVERIFY(child<QPushButton>("cmdBloodWork")->isEnabled());
    QCOMPARE(child<QPushButton>("cmdAdd")->text(), QStringLiteral("Cancel Add"));

    m_window = open(1);
    QCOMPARE(child("txtLName")->text(), QStringLiteral("O'Brien"));
    QCOMPARE(child("txtBirthDate")->text(), QStringLiteral("03/05/1960"));
    QCOMPARE(child<QComboBox>("cmbSex")->currentText(), QStringLiteral("Female"));
    QVERIFY(!child<QCheckBox>("chkNotify")->isChecked());
    QVERIFY(!child<QDateEdit>("dtCallDate")->isEnabled());
    for (const char* box : {"txtGoalChol", "txtGoalLDL", "txtSystolic", "txtDiastolic"})
        QCOMPARE(child(box)->text(), QString());
    QCOMPARE(child<QPushButton>("cmdAdd")->text(), QStringLiteral("&Add New"));

    // A lower-case letter written by another program is still a man.
    m_bed->Exec("INSERT INTO Patients (ptid, lname, fname, sex) VALUES (2, 'Low', 'Case', 'm')");
    m_window = open(2);
    QCOMPARE(child<QComboBox>("cmbSex")->currentText(), QStringLiteral("Male"));
}

void tst_PatientEditor::newIdentifierFollowsLargestAndSkipsTakenOne()
{
    for (int id = 1; id <= 7; ++id)
        m_bed->AddPatient(id, QStringLiteral("P%1").arg(id), QStringLiteral("1/1/1900"));
    m_bed->Exec("DELETE FROM Patients WHERE ptid < 7");
    m_window = open();
    QCOMPARE(child<QLabel>("lblID")->text(), QStringLiteral("8"));

    // Another workstation stores number 8 meanwhile: this patient becomes 9.
    m_bed->AddPatient(8, QStringLiteral("Elsewhere"), QStringLiteral("1/1/1900"));
    enterRequired(QStringLiteral("Here"));
    click("cmdSave");
    QCOMPARE(child<QLabel>("lblID")->text(), QStringLiteral("9"));
    QCOMPARE(m_bed->Value("SELECT lname FROM Patients WHERE ptid = 9").toString(), QStringLiteral("Here"));
    QCOMPARE(m_bed->Value("SELECT lname FROM Patients WHERE ptid = 8").toString(), QStringLiteral("Elsewhere"));

    // Saving again corrects the stored patient instead of adding another.
    enter("txtCity", QStringLiteral("Dover"));
    click("cmdSave");
    QCOMPARE(m_bed->Value("SELECT count(*) FROM Patients").toInt(), 3);
    QCOMPARE(m_bed->Value("SELECT city FROM Patients WHERE ptid = 9").toString(), QStringLiteral("Dover"));
}

void tst_PatientEditor::notifyDateInThePast()
{
    const QDate today = QDate::currentDate();
    m_window = open();
    enterRequired();
    QTest::mouseClick(child<QCheckBox>("chkNotify"), Qt::LeftButton);
    QVERIFY(child<QDateEdit>("dtCallDate")->isEnabled());
    child<QDateEdit>("dtCallDate")->setDate(today.addDays(-1));

    m_bed->Answer({false});
    click("cmdSave");
    QCOMPARE(m_bed->questions, QStringList{kPastNotify});
    QCOMPARE(m_bed->notices, QStringList{kInvalid});
    QCOMPARE(m_bed->Value("SELECT count(*) FROM Patients").toInt(), 0);

    child<QDateEdit>("dtCallDate")->setDate(today);
    click("cmdSave");
    QCOMPARE(m_bed->questions.size(), 1);
    QCOMPARE(m_bed->Value("SELECT calldate FROM Patients WHERE ptid = 1").toDateTime().date(), today);

    child<QDateEdit>("dtCallDate")->setDate(today.addDays(-1));
    m_bed->Answer({true});
    click("cmdSave");
    QCOMPARE(m_bed->questions.size(), 2);
    QCOMPARE(m_bed->Value("SELECT calldate FROM Patients WHERE ptid = 1").toDateTime().date(), today.addDays(-1));

    m_window = open(1);
    QVERIFY(child<QCheckBox>("chkNotify")->isChecked());
    QVERIFY(child<QDateEdit>("dtCallDate")->isEnabled());
    QCOMPARE(child<QDateEdit>("dtCallDate")->date(), today.addDays(-1));
}

void tst_PatientEditor::numberBoxesRefuseWhatTheFieldsCannotHold()
{
    m_window = open();
    enterRequired();
    enter("txtGoalChol", QStringLiteral("180"));
    enter("txtSystolic", QStringLiteral("12a"));
    click("cmdSave");
    QCOMPARE(m_bed->notices, QStringList{QStringLiteral(
        "The systolic blood pressure (BP) must be a whole number from -32768 to 32767.")});
    QCOMPARE(QApplication::focusWidget(), child("txtSystolic"));

    enter("txtSystolic", QStringLiteral("120"));
    enter("txtGoalLDL", QStringLiteral("32768"));
    click("cmdSave");
    QCOMPARE(m_bed->notices.last(),
             QStringLiteral("Goal LDL must be a whole number from -32768 to 32767."));
    QCOMPARE(m_bed->Value("SELECT count(*) FROM Patients").toInt(), 0);

    enter("txtGoalLDL", QStringLiteral("-32768"));
    click("cmdSave");
    QCOMPARE(m_bed->notices.size(), 2);
    QCOMPARE(m_bed->Value("SELECT goal_ldl FROM Patients").toInt(), -32768);
    QCOMPARE(m_bed->Value("SELECT goal_chol FROM Patients").toInt(), 180);
    QCOMPARE(m_bed->Value("SELECT systolic FROM Patients").toInt(), 120);
}

void tst_PatientEditor::birthDateBoxAndAge()
{
    const int year = QDate::currentDate().year();
    m_window = open();
    enter("txtBirthDate", QStringLiteral("12/31/%1").arg(year - 1));
    child("txtCity")->setFocus();
    QCOMPARE(child<QLabel>("lblAge")->text(), QStringLiteral("1"));
    enter("txtBirthDate", QStringLiteral("1/1/%1").arg(year));
    child("txtCity")->setFocus();
    QCOMPARE(child<QLabel>("lblAge")->text(), QStringLiteral("0"));

    // Text that is no date keeps the focus; the age stays as it was, and nothing is said.
    enter("txtBirthDate", QStringLiteral("13/45/2000"));
    child("txtCity")->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), child("txtBirthDate"));
    QCOMPARE(child<QLabel>("lblAge")->text(), QStringLiteral("0"));
    QCOMPARE(m_bed->notices, QStringList());
    // A time alone is no birth date either; an empty box may be left.
    enter("txtBirthDate", QStringLiteral("10:30"));
    child("txtCity")->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), child("txtBirthDate"));
    child("txtBirthDate")->clear();
    child("txtCity")->setFocus();
    QTest::qWait(20);
    QCOMPARE(QApplication::focusWidget(), child("txtCity"));

    // Getting the focus selects the whole text, so typing replaces it.
    child("txtCity")->setText(QStringLiteral("Boston"));
    child("txtFName")->setFocus();
    child("txtCity")->setFocus();
    QTRY_COMPARE(child("txtCity")->selectedText(), QStringLiteral("Boston"));
}

void tst_PatientEditor::recentLevels()
{
    m_bed->AddPatient(1, QStringLiteral("Smith"), QStringLiteral("1/1/1900"));
    m_bed->AddPatient(2, QStringLiteral("Jones"), QStringLiteral("1/1/1900"));
    m_window = open(1);
    QCOMPARE(child<QLabel>("lblRecentLevels")->text(), QStringLiteral("N/A"));

    m_bed->Exec("INSERT INTO LabVisits (id, ptid, labdate, overallcl, hdl, ldl, triglycerides) "
                "VALUES (1, 1, #3/4/2023#, 250, 40, 160, 300)");
    m_bed->Exec("INSERT INTO LabVisits (id, ptid, labdate, overallcl, hdl, ldl) "
                "VALUES (2, 1, #11/20/2024#, 210, 45, 130)");
    m_bed->Exec("INSERT INTO LabVisits (id, ptid, labdate, overallcl) VALUES (3, 2, #1/1/2025#, 999)");
    m_window = open(1);
    QLabel* levels = child<QLabel>("lblRecentLevels");
    QCOMPARE(levels->text(), QStringLiteral("Taken : 11/20/24\r\nTotal : 210\r\nHDL   : 45\r\n"
                                            "LDL   : 130\r\nTrig  : 0"));
    QVERIFY(QFontInfo(levels->font()).fixedPitch());
}

void tst_PatientEditor::bloodWorkListRefreshesRecentLevels()
{
    m_bed->AddPatient(4, QStringLiteral("Smith"), QStringLiteral("1/1/1900"));
    m_window = open(4);
    QString shownName;
    m_bed->OnWindow(QStringLiteral("frmPsBW"), [&](QDialog& list) {
        shownName = Child<QLabel>(list, "lblFullName")->text();
        m_bed->Exec("INSERT INTO LabVisits (id, ptid, labdate, overallcl, hdl, ldl, triglycerides) "
                    "VALUES (1, 4, #2/3/2025#, 199, 51, 99, 120)");
        list.reject();
    });
    click("cmdBloodWork");
    QVERIFY(m_bed->AllWindowsSeen());
    QCOMPARE(shownName, QStringLiteral("Smith, Ann"));
    QVERIFY(child<QLabel>("lblRecentLevels")->text().startsWith(QStringLiteral("Taken : 02/03/25\r\nTotal : 199")));
}

void tst_PatientEditor::closingAsksOnlyAboutComparedValues()
{
    m_bed->Exec("INSERT INTO Patients (ptid, lname, fname, birthdate, city, calldate, goal_chol, "
                "systolic) VALUES (1, 'Smith', 'Ann', #3/5/1960#, 'Boston', #1/1/1900#, 180, 120)");
    m_window = open(1);
    click("cmdExit");
    QVERIFY(!m_window->isVisible());
    QCOMPARE(m_bed->questions, QStringList());

    // Blood pressure and the Notify box alone are not compared.
    m_window = open(1);
    enter("txtSystolic", QStringLiteral("140"));
    QTest::mouseClick(child<QCheckBox>("chkNotify"), Qt::LeftButton);
    enter("txtGoalChol", QStringLiteral("0180"));
    m_window->close();
    QVERIFY(!m_window->isVisible());
    QCOMPARE(m_bed->questions, QStringList());

    m_window = open(1);
    enter("txtCity", QStringLiteral("Bostonn"));
    m_bed->Answer({false, false, false, true});
    click("cmdExit");
    m_window->close();
    QTest::keyClick(m_window.get(), Qt::Key_Escape);
    QVERIFY(m_window->isVisible());
    QCOMPARE(m_bed->questions, QStringList(3, kUnsaved));
    // A date picked while Notify is ticked counts, as does a goal.
    enter("txtCity", QStringLiteral("Boston"));
    enter("txtGoalChol", QStringLiteral("190"));
    QTest::keyClick(m_window.get(), Qt::Key_Escape);
    QVERIFY(!m_window->isVisible());
    QCOMPARE(m_bed->questions.size(), 4);

    m_window = open(1);
    QTest::mouseClick(child<QCheckBox>("chkNotify"), Qt::LeftButton);
    child<QDateEdit>("dtCallDate")->setDate(QDate::currentDate().addDays(7));
    m_bed->Answer({true});
    m_window->close();
    QCOMPARE(m_bed->questions.size(), 5);
    QVERIFY(!m_window->isVisible());

    // Saved changes are no longer unsaved.
    m_window = open(1);
    enter("txtCity", QStringLiteral("Salem"));
    click("cmdSave");
    click("cmdExit");
    QCOMPARE(m_bed->questions.size(), 5);
    QCOMPARE(m_bed->Value("SELECT systolic FROM Patients").toInt(), 120);
}

void tst_PatientEditor::deleteAsksAndEmptiesTheWindow()
{
    m_bed->AddPatient(3, QStringLiteral("O'Hara"), QStringLiteral("1/1/1900"));
    m_bed->Exec("INSERT INTO LabVisits (id, ptid, labdate) VALUES (1, 3, #1/2/2024#)");
    m_window = open(3);
    m_bed->Answer({false, true});
    click("cmdDelete");
    QCOMPARE(m_bed->questions, QStringList{QStringLiteral("Are you Sure you want to delete O'Hara, Ann ?")});
    QCOMPARE(m_bed->Value("SELECT count(*) FROM Patients").toInt(), 1);

    click("cmdDelete");
    QCOMPARE(m_bed->Value("SELECT count(*) FROM Patients").toInt(), 0);
    QCOMPARE(m_bed->Value("SELECT count(*) FROM LabVisits").toInt(), 0);
    QCOMPARE(child<QLabel>("lblID")->text(), QString());
    QCOMPARE(child("txtLName")->text(), QString());
    QVERIFY(!child("txtLName")->isEnabled());
    QVERIFY(!child<QPushButton>("cmdDelete")->isEnabled());
    QVERIFY(!child<QPushButton>("cmdSave")->isEnabled());
}

void tst_PatientEditor::patientDeletedElsewhere()
{
    m_window = open(42);
    QCOMPARE(m_bed->notices, QStringList{QStringLiteral(
        "Patient 42 is no longer in the database; it may have been deleted on another workstation.")});
    QCOMPARE(child<QLabel>("lblID")->text(), QString());
    QVERIFY(!child<QPushButton>("cmdSave")->isEnabled());

    m_bed->AddPatient(5, QStringLiteral("Smith"), QStringLiteral("1/1/1900"));
    m_window = open(5);
    m_bed->Exec("DELETE FROM Patients WHERE ptid = 5");
    enter("txtBirthDate", QStringLiteral("1/2/1950"));
    enter("txtCity", QStringLiteral("Salem"));
    click("cmdSave");
    QCOMPARE(m_bed->notices.last(), QStringLiteral(
        "Patient 5 is no longer in the database; it may have been deleted on another workstation. "
        "The changes were not saved."));
    QCOMPARE(m_bed->Value("SELECT count(*) FROM Patients").toInt(), 0);
    // Nothing was stored, so closing still asks.
    m_bed->Answer({true});
    m_window->close();
    QCOMPARE(m_bed->questions, QStringList{kUnsaved});
}

void tst_PatientEditor::engineErrorLeavesWindowAsItWas()
{
    m_window = open();
    enterRequired();
    SetAppDatabase(Database());
    click("cmdSave");
    QCOMPARE(m_bed->notices.size(), 1);
    QVERIFY(m_bed->notices.first().contains(QStringLiteral("not open")));
    QCOMPARE(child<QLabel>("lblID")->text(), QStringLiteral("1"));
    QCOMPARE(child("txtLName")->text(), QStringLiteral("Smith"));
    QVERIFY(!child<QPushButton>("cmdDelete")->isEnabled());
    m_bed->Answer({true});
    m_window->close();
    QCOMPARE(m_bed->questions, QStringList{kUnsaved});
}

void tst_PatientEditor::emptyStateAndCancelAdd()
{
    m_window = open(0);
    QCOMPARE(child<QPushButton>("cmdAdd")->text(), QStringLiteral("&Add New"));
    for (const char* name : {"txtLName", "txtBirthDate", "txtCity"})
        QVERIFY(!child(name)->isEnabled());
    QVERIFY(!child<QCheckBox>("chkNotify")->isEnabled());
    QVERIFY(!child<QPushButton>("cmdSave")->isEnabled());
    QVERIFY(!child<QPushButton>("cmdBloodWork")->isEnabled());

    click("cmdAdd");
    QCOMPARE(child<QLabel>("lblID")->text(), QStringLiteral("1"));
    QVERIFY(child("txtLName")->isEnabled());
    QVERIFY(!child<QDateEdit>("dtCallDate")->isEnabled());
    enter("txtLName", QStringLiteral("Gone"));
    click("cmdAdd");
    QCOMPARE(child("txtLName")->text(), QString());
    QCOMPARE(child<QLabel>("lblID")->text(), QString());
    QVERIFY(!child("txtLName")->isEnabled());
    QCOMPARE(m_bed->Value("SELECT count(*) FROM Patients").toInt(), 0);

    // From a shown patient, leaving right after starting a new one asks before the shown
    // patient's values are dropped.
    m_bed->AddPatient(2, QStringLiteral("Smith"), QStringLiteral("6/1/2030"));
    m_window = open(2);
    click("cmdAdd");
    QVERIFY(!child<QCheckBox>("chkNotify")->isChecked());
    QVERIFY(!child<QDateEdit>("dtCallDate")->isEnabled());
    QCOMPARE(child<QLabel>("lblRecentLevels")->text(), QString());
    m_bed->Answer({true});
    click("cmdExit");
    QVERIFY(!m_window->isVisible());
    QCOMPARE(m_bed->questions, QStringList{kUnsaved});
}

QTEST_MAIN(tst_PatientEditor)
#include "tst_PatientEditor.moc"

// Doctor, Drugs and Health Factors open the patient's own links under the patient's name;
// the doctor window edits the patient's doctor link when there is one.
void tst_PatientEditor::referenceButtonsOpenThePatientsLinks()
{
    m_bed->AddPatient(4, QStringLiteral("Smith"), QStringLiteral("1/1/1900"));
    m_bed->AddPatient(5, QStringLiteral("Jones"), QStringLiteral("1/1/1900"));
    m_bed->Exec("INSERT INTO Doctors (doctorid, lname, fname) VALUES (3, 'House', 'Greg')");
    m_bed->Exec("INSERT INTO PatientsDoctors (ptid, doctorid, comment) VALUES (4, 3, 'Since 2019')");
    m_bed->Exec("INSERT INTO Drugs (drugid, drugdesc) VALUES (2, 'Lipitor®')");
    m_bed->Exec("INSERT INTO Schedule (ptid, drugid, comment) VALUES (4, 2, '10 mg')");
    m_bed->Exec("INSERT INTO PatientFactors (ptid, condid, comment) VALUES (4, 1, 'daily')");

    QStringList seen;
    const auto heading = [&seen](QDialog& window) {
        seen.append(window.objectName() + u'|' + Child<QLabel>(window, "lblFullName")->text());
    };
    const auto listed = [&](QDialog& list) {
        heading(list);
        seen.append(RowTexts(*Child<QTableWidget>(list, "gridResults"), 0).join(u'/'));
    };
    const auto doctor = [&](QDialog& window) {
        heading(window);
        seen.append(Child<QLineEdit>(window, "txtLName")->text() + u'/' +
                    Child<QLineEdit>(window, "txtComment")->text() + u'/' +
                    (Child<QPushButton>(window, "cmdDelete")->isEnabled() ? u'D' : u'-'));
    };
    m_bed->OnWindow(QStringLiteral("frmAssDc2"), doctor);
    m_bed->OnWindow(QStringLiteral("frmPsRxs"), listed);
    m_bed->OnWindow(QStringLiteral("frmPsHFs"), listed);
    m_bed->OnWindow(QStringLiteral("frmAssDc2"), doctor);

    m_window = open(4);
    click("cmdDoctors");
    click("cmdDrugs");
    click("cmdHealthFactors");
    m_window = open(5);
    click("cmdDoctors");

    QVERIFY(m_bed->AllWindowsSeen());
    QCOMPARE(seen, QStringList({"frmAssDc2|Smith, Ann", "House/Since 2019/D",
                                "frmPsRxs|Smith, Ann", "2/Lipitor®/10 mg",
                                "frmPsHFs|Smith, Ann", "1/Smoking/daily",
                                "frmAssDc2|Jones, Ann", "//-"}));
}

void tst_PatientEditor::printButtonPrintsTheShownPatientsDetail()
{
    m_bed->AddPatient(4, QStringLiteral("Smith"), QStringLiteral("1/1/1900"));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("detail.pdf"));
    m_bed->OnWindow(QStringLiteral("frmPrint"),
                    [](QDialog& window) { ChoosePrinter(window, QStringLiteral("PDF file")); });
    m_bed->OnWindow(QStringLiteral("dlgSavePdf"), [&path](QDialog& window) { SaveAs(window, path); });
    m_window = open(4);
    QVERIFY(child<QPushButton>("cmdPrint")->isEnabled());
    click("cmdPrint");

    QVERIFY(m_bed->AllWindowsSeen());
    QVERIFY(PdfText(path).contains(QStringLiteral("Smith, Ann")));
}

// A search started while adding drops the new patient without asking; the patient picked
// in the search is shown for editing.
void tst_PatientEditor::searchDropsTheNewPatientAndShowsThePickedOne()
{
    m_bed->AddPatient(4, QStringLiteral("Smith"), QStringLiteral("1/1/1900"));
    m_bed->AddPatient(5, QStringLiteral("Jones"), QStringLiteral("3/5/2030"));
    m_bed->Exec("UPDATE Patients SET systolic = 125, city = 'Dover' WHERE ptid = 5");
    QString search;
    m_bed->OnWindow(QStringLiteral("frmSearch"), [&](QDialog& window) {
        search = window.windowTitle() + u'|' + Child<QComboBox>(window, "cmbSearchItems")->currentText();
        DoubleClickRow(*Child<QAbstractItemView>(window, "GridResults"), 1);
    });
    m_window = open();
    enter("txtLName", QStringLiteral("Unsaved"));
    click("cmdSearchLN");

    QCOMPARE(search, QStringLiteral("Search - Patient|Last Name"));
    QCOMPARE(m_bed->questions, QStringList());
    QCOMPARE(m_bed->leftOpen, QStringList());
    QCOMPARE(child<QLabel>("lblID")->text(), QStringLiteral("5"));
    QCOMPARE(child("txtLName")->text(), QStringLiteral("Jones"));
    QCOMPARE(child("txtSystolic")->text(), QStringLiteral("125"));
    QVERIFY(child<QCheckBox>("chkNotify")->isChecked());
    QCOMPARE(child<QDateEdit>("dtCallDate")->date(), QDate(2030, 3, 5));
    QCOMPARE(child<QPushButton>("cmdAdd")->text(), QStringLiteral("&Add New"));
    QVERIFY(child<QPushButton>("cmdDelete")->isEnabled());
    QCOMPARE(m_bed->Value("SELECT count(*) FROM Patients").toInt(), 2);

    // Shown as loaded: closing asks nothing, a change is noticed.
    enter("txtCity", QStringLiteral("Salem"));
    m_bed->Answer({false});
    m_window->close();
    QCOMPARE(m_bed->questions, QStringList{kUnsaved});
}
