// The doctor, drug and health factor lists as the practice keeps them: adding one record
// after another, correcting, deleting with or without patient links, searching, and the
// question before unsaved changes are dropped.

#include "ListWindowTestbed.h"
#include "frmDoctors.h"
#include "frmDrugs.h"
#include "frmHF.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QtTest>

#include <optional>

namespace {

const QString kUnsaved = QStringLiteral("There are unsaved changes.  Are you sure you want to quit?");
const QString kDoctorMissing = QStringLiteral("One or more required fields are missing or invalid");
const QString kMissing = kDoctorMissing + QStringLiteral(".");
const QString kSign = QString(QChar(0x00AE));

} // namespace

class tst_Maintenance : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void addsDoctorsOneAfterAnother();
    void refusesBlankFields();
    void correctingAndClosing();
    void deletesDoctorWithAndWithoutPatients();
    void searchDropsUnfinishedAddAndShowsPick();
    void drugNamesCarryOneRegisteredSign();
    void drugAndFactorDeleteTexts();
    void healthFactorIdentifiersAndSearch();
    void identifierTakenMeanwhile();
    void recordGoneAndEngineErrors();

private:
    template <class Window> void open(std::optional<qint32> id = std::nullopt);
    template <class T = QLineEdit> T* child(const char* name) { return Child<T>(*m_window, name); }
    void enter(const char* box, const QString& text);
    void click(const char* button) { QTest::mouseClick(child<QPushButton>(button), Qt::LeftButton); }
    QString shownId() { return child<QLabel>("lblID")->text(); }
    QString addCaption() { return child<QPushButton>("cmdAdd")->text(); }
    void enterDoctor(const QString& first, const QString& last, const QString& classification);
    static int count(const QString& sql) { return ListWindowTestbed::Value(sql).toInt(); }
    static QString text(const QString& sql) { return ListWindowTestbed::Value(sql).toString(); }

    std::unique_ptr<ListWindowTestbed> m_bed;
    std::unique_ptr<QDialog> m_window;
};

void tst_Maintenance::init()
{
    m_bed = std::make_unique<ListWindowTestbed>();
}

void tst_Maintenance::cleanup()
{
    m_window.reset();
    const QStringList unanswered = m_bed->unanswered;
    const QStringList leftOpen = m_bed->leftOpen;
    m_bed.reset();
    QCOMPARE(unanswered, QStringList());
    QCOMPARE(leftOpen, QStringList());
}

template <class Window> void tst_Maintenance::open(std::optional<qint32> id)
{
    auto window = std::make_unique<Window>();
    if (id)
        window->Init(*id);
    else
        window->Init();
    window->show();
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    m_window = std::move(window);
}

void tst_Maintenance::enter(const char* box, const QString& text)
{
    QLineEdit* edit = child(box);
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
}

void tst_Maintenance::enterDoctor(const QString& first, const QString& last,
                                  const QString& classification)
{
    enter("txtFName", first);
    enter("txtLName", last);
    enter("txtClassification", classification);
}

void tst_Maintenance::addsDoctorsOneAfterAnother()
{
    open<frmDoctors>();
    QCOMPARE(m_window->objectName(), QStringLiteral("frmDoctors"));
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Doctor Maintenence"));
    QCOMPARE(shownId(), QStringLiteral("1"));
    QCOMPARE(addCaption(), QStringLiteral("Cancel Add"));
    QVERIFY(child("txtLName")->isEnabled());
    QVERIFY(!child<QPushButton>("cmdDelete")->isEnabled());
    QCOMPARE(QApplication::focusWidget(), child("txtFName"));
    QCOMPARE(child("txtClassification")->maxLength(), 20);

    enterDoctor(QStringLiteral("  Ann "), QStringLiteral(" O'Hara"), QStringLiteral("Cardiology  "));
    m_bed->Answer({true});
    click("cmdSave");
    QCOMPARE(text("SELECT lname FROM Doctors WHERE doctorid = 1"), QStringLiteral("O'Hara"));
    QCOMPARE(text("SELECT fname FROM Doctors WHERE doctorid = 1"), QStringLiteral("Ann"));
    QCOMPARE(text("SELECT classification FROM Doctors WHERE doctorid = 1"), QStringLiteral("Cardiology"));
    // Ready for the next doctor.
    QCOMPARE(shownId(), QStringLiteral("2"));
    QCOMPARE(child("txtLName")->text(), QString());
    QCOMPARE(addCaption(), QStringLiteral("Cancel Add"));

    enterDoctor(QStringLiteral("Bo"), QStringLiteral("Berg"), QStringLiteral("GP"));
    m_bed->Answer({false});
    click("cmdSave");
    QCOMPARE(count("SELECT count(*) FROM Doctors WHERE doctorid = 2 AND lname = 'Berg'"), 1);
    QCOMPARE(m_bed->questions, QStringList(2, QStringLiteral("Enter another Doctor?")));
    // Idle.
    QCOMPARE(shownId(), QString());
    QCOMPARE(addCaption(), QStringLiteral("Add New"));
    QVERIFY(!child("txtFName")->isEnabled());
    QVERIFY(!child<QPushButton>("cmdSave")->isEnabled());

    click("cmdExit");
    QVERIFY(!m_window->isVisible());
    QCOMPARE(m_bed->questions.size(), 2);
    QCOMPARE(m_bed->notices, QStringList());
}

void tst_Maintenance::refusesBlankFields()
{
    open<frmDoctors>();
    const char* boxes[] = {"txtFName", "txtLName", "txtClassification"};
    for (const char* blank : boxes) {
        enterDoctor(QStringLiteral("Ann"), QStringLiteral("Lee"), QStringLiteral("GP"));
        enter(blank, QStringLiteral("   "));
        click("cmdSave");
    }
    QCOMPARE(m_bed->notices, QStringList(3, kDoctorMissing));
    QCOMPARE(count("SELECT count(*) FROM Doctors"), 0);
    QCOMPARE(addCaption(), QStringLiteral("Cancel Add"));

    open<frmDrugs>();
    enter("txtDesc", QStringLiteral("  "));
    click("cmdSave");
    open<frmHF>();
    click("cmdSave");
    QCOMPARE(m_bed->notices.mid(3), QStringList(2, kMissing));
    QCOMPARE(count("SELECT count(*) FROM Drugs"), 0);
    QCOMPARE(count("SELECT count(*) FROM HealthFactors"), 4);
}

void tst_Maintenance::correctingAndClosing()
{
    ListWindowTestbed::Exec("INSERT INTO Doctors (doctorid, lname, fname, classification) VALUES (3, 'Doe', 'Jane', 'GP')");
    open<frmDoctors>(3);
    QCOMPARE(child("txtFName")->text(), QStringLiteral("Jane"));
    QCOMPARE(shownId(), QStringLiteral("3"));
    QCOMPARE(addCaption(), QStringLiteral("Add New"));
    QVERIFY(child<QPushButton>("cmdDelete")->isEnabled());

    // Saved: closes without a question.
    enter("txtLName", QStringLiteral("Dow "));
    click("cmdSave");
    QCOMPARE(text("SELECT lname FROM Doctors WHERE doctorid = 3"), QStringLiteral("Dow"));
    QCOMPARE(count("SELECT count(*) FROM Doctors"), 1);
    click("cmdExit");
    QVERIFY(!m_window->isVisible());
    QCOMPARE(m_bed->questions, QStringList());

    // Not saved: asks; No keeps the edit, Escape asks again.
    open<frmDoctors>(3);
    enter("txtClassification", QStringLiteral("Cardiology"));
    m_bed->Answer({false, true});
    click("cmdExit");
    QVERIFY(m_window->isVisible());
    QCOMPARE(child("txtClassification")->text(), QStringLiteral("Cardiology"));
    QTest::keyClick(m_window.get(), Qt::Key_Escape);
    QVERIFY(!m_window->isVisible());
    QCOMPARE(m_bed->questions, QStringList(2, kUnsaved));
    QCOMPARE(text("SELECT classification FROM Doctors WHERE doctorid = 3"), QStringLiteral("GP"));

    // Leaving a shown doctor for a new one counts as a change; cancelling the add does not.
    open<frmDoctors>(3);
    click("cmdAdd");
    QCOMPARE(shownId(), QStringLiteral("4"));
    QCOMPARE(child("txtLName")->text(), QString());
    QVERIFY(!child<QPushButton>("cmdDelete")->isEnabled());
    m_bed->Answer({true});
    m_window->close();
    QCOMPARE(m_bed->questions.size(), 3);
    open<frmDoctors>();
    enter("txtLName", QStringLiteral("Gone"));
    click("cmdAdd");
    QCOMPARE(addCaption(), QStringLiteral("Add New"));
    QCOMPARE(child("txtLName")->text(), QString());
    m_window->close();
    QCOMPARE(m_bed->questions.size(), 3);

    // A health factor saved after editing closes without the question too.
    open<frmHF>(2);
    QCOMPARE(child("txtDesc")->text(), QStringLiteral("Family History"));
    enter("txtDesc", QStringLiteral("Family history of CHD"));
    click("cmdSave");
    click("cmdEXit");
    QVERIFY(!m_window->isVisible());
    QCOMPARE(m_bed->questions.size(), 3);
    QCOMPARE(text("SELECT conddesc FROM HealthFactors WHERE condid = 2"), QStringLiteral("Family history of CHD"));
}

void tst_Maintenance::deletesDoctorWithAndWithoutPatients()
{
    ListWindowTestbed::Exec("INSERT INTO Doctors (doctorid, lname, fname, classification) VALUES (4, 'Roe', 'Rick', 'GP')");
    ListWindowTestbed::Exec("INSERT INTO Doctors (doctorid, lname, fname, classification) VALUES (5, 'Doe', 'Jane', 'GP')");
    for (int ptid : {1, 2}) {
        ListWindowTestbed::AddPatient(ptid, QStringLiteral("P%1").arg(ptid), QStringLiteral("1/1/1900"));
        ListWindowTestbed::Exec(QStringLiteral("INSERT INTO PatientsDoctors (PtId, DoctorID) VALUES (%1, 4)").arg(ptid));
    }
    const QString linked = QStringLiteral(
        "Doctor Roe, Rick is currently assigned to one or more patients.  Would you like to "
        "un-assign this doctor to all patients for whom this doctor is assigned?");

    open<frmDoctors>(4);
    m_bed->Answer({false});
    click("cmdDelete");
    QCOMPARE(m_bed->questions, QStringList{linked});
    QCOMPARE(m_bed->notices, QStringList{QStringLiteral("Delete cancelled")});
    QCOMPARE(count("SELECT count(*) FROM PatientsDoctors WHERE DoctorID = 4"), 2);
    QCOMPARE(count("SELECT count(*) FROM Doctors WHERE doctorid = 4"), 1);
    QCOMPARE(shownId(), QStringLiteral("4"));

    m_bed->Answer({true});
    click("cmdDelete");
    QCOMPARE(count("SELECT count(*) FROM PatientsDoctors"), 0);
    QCOMPARE(count("SELECT count(*) FROM Doctors WHERE doctorid = 4"), 0);
    QCOMPARE(count("SELECT count(*) FROM Patients"), 2);
    QCOMPARE(shownId(), QString());
    QVERIFY(!child<QPushButton>("cmdDelete")->isEnabled());

    const QString unlinked = QStringLiteral("Are you Sure you want to delete Doe, Jane ?");
    open<frmDoctors>(5);
    m_bed->Answer({false, true});
    click("cmdDelete");
    QCOMPARE(count("SELECT count(*) FROM Doctors WHERE doctorid = 5"), 1);
    click("cmdDelete");
    QCOMPARE(m_bed->questions.mid(2), (QStringList{unlinked, unlinked}));
    QCOMPARE(count("SELECT count(*) FROM Doctors"), 0);
    QCOMPARE(m_bed->notices.size(), 1);
}

void tst_Maintenance::searchDropsUnfinishedAddAndShowsPick()
{
    ListWindowTestbed::Exec("INSERT INTO Doctors (doctorid, lname, fname, classification) VALUES (6, 'Kim', 'Lee', 'Oncology')");
    open<frmDoctors>();
    enterDoctor(QStringLiteral("New"), QStringLiteral("Person"), QStringLiteral("GP"));
    QString title;
    QString field;
    m_bed->OnWindow(QStringLiteral("frmSearch"), [&](QDialog& search) {
        title = search.windowTitle();
        field = Child<QComboBox>(search, "cmbSearchItems")->currentText();
        // The unsaved doctor is gone before the search shows.
        QCOMPARE(child("txtLName")->text(), QString());
        auto* grid = Child<QTableView>(search, "GridResults");
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                          grid->visualRect(grid->model()->index(0, 0)).center());
        QTest::keyClick(grid, Qt::Key_Return);
    });
    click("cmdLast");
    QVERIFY(m_bed->AllWindowsSeen());
    QCOMPARE(title, QStringLiteral("Search - Doctor"));
    QCOMPARE(field, QStringLiteral("Last Name"));
    QCOMPARE(m_bed->questions, QStringList());
    QCOMPARE(count("SELECT count(*) FROM Doctors"), 1);
    // The pick is shown for editing.
    QCOMPARE(shownId(), QStringLiteral("6"));
    QCOMPARE(child("txtClassification")->text(), QStringLiteral("Oncology"));
    QCOMPARE(addCaption(), QStringLiteral("Add New"));
    QVERIFY(child<QPushButton>("cmdDelete")->isEnabled());

    m_bed->OnWindow(QStringLiteral("frmSearch"), [&](QDialog& search) {
        field = Child<QComboBox>(search, "cmbSearchItems")->currentText();
        search.reject();
    });
    click("cmdSearchFN");
    QCOMPARE(field, QStringLiteral("First Name"));
    // Nothing picked: the doctor stays shown.
    QCOMPARE(shownId(), QStringLiteral("6"));
}

void tst_Maintenance::drugNamesCarryOneRegisteredSign()
{
    open<frmDrugs>();
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Drug Maintenance"));
    QCOMPARE(shownId(), QStringLiteral("1"));
    enter("txtDesc", QStringLiteral(" Aspirin "));
    m_bed->Answer({true});
    click("cmdSave");
    enter("txtDesc", QStringLiteral("Zocor") + kSign);
    m_bed->Answer({false});
    click("cmdSave");
    QCOMPARE(m_bed->questions, QStringList(2, QStringLiteral("Enter another Drug?")));
    QCOMPARE(text("SELECT DrugDesc FROM Drugs WHERE DrugID = 1"), QStringLiteral("Aspirin") + kSign);
    QCOMPARE(text("SELECT DrugDesc FROM Drugs WHERE DrugID = 2"), QStringLiteral("Zocor") + kSign);
    QCOMPARE(addCaption(), QStringLiteral("Add Drug"));

    // A stored name saved unchanged keeps one sign; a corrected one gets it while the box
    // keeps showing what was typed.
    open<frmDrugs>(1);
    QCOMPARE(child("txtDesc")->text(), QStringLiteral("Aspirin") + kSign);
    click("cmdSave");
    QCOMPARE(text("SELECT DrugDesc FROM Drugs WHERE DrugID = 1"), QStringLiteral("Aspirin") + kSign);
    enter("txtDesc", QStringLiteral("Lipitor"));
    click("cmdSave");
    QCOMPARE(text("SELECT DrugDesc FROM Drugs WHERE DrugID = 1"), QStringLiteral("Lipitor") + kSign);
    QCOMPARE(child("txtDesc")->text(), QStringLiteral("Lipitor"));
    click("cmdExit");
    QVERIFY(!m_window->isVisible());
    QCOMPARE(m_bed->questions.size(), 2);

    // The box takes 19 characters, leaving room for the sign; a health factor takes 50.
    open<frmDrugs>();
    enter("txtDesc", QString(25, u'x'));
    QCOMPARE(child("txtDesc")->text(), QString(19, u'x'));
    QTest::keyClicks(child("txtDesc"), kSign);
    QCOMPARE(child("txtDesc")->text(), QString(19, u'x') + kSign);
    m_bed->Answer({false});
    click("cmdSave");
    QCOMPARE(text("SELECT DrugDesc FROM Drugs WHERE DrugID = 3"), QString(19, u'x') + kSign);
    open<frmHF>();
    enter("txtDesc", QString(60, u'y'));
    QCOMPARE(child("txtDesc")->text(), QString(50, u'y'));
    m_bed->Answer({true});
    m_window->close();
}

void tst_Maintenance::drugAndFactorDeleteTexts()
{
    ListWindowTestbed::Exec(QStringLiteral("INSERT INTO Drugs (DrugID, DrugDesc) VALUES (1, 'Niacin%1')").arg(kSign));
    ListWindowTestbed::Exec(QStringLiteral("INSERT INTO Drugs (DrugID, DrugDesc) VALUES (2, 'Aspirin%1')").arg(kSign));
    for (int ptid : {1, 2})
        ListWindowTestbed::Exec(QStringLiteral("INSERT INTO Schedule (PtId, DrugID) VALUES (%1, 1)").arg(ptid));
    ListWindowTestbed::Exec("INSERT INTO PatientFactors (PtId, CondID) VALUES (1, 1)");

    open<frmDrugs>(1);
    m_bed->Answer({false, true});
    click("cmdDelete");
    QCOMPARE(m_bed->notices, QStringList{QStringLiteral("Delete cancelled")});
    QCOMPARE(count("SELECT count(*) FROM Schedule"), 2);
    click("cmdDelete");
    QCOMPARE(m_bed->questions.value(1), QStringLiteral(
        "Drug 'Niacin%1' is currently assigned to one or more patients.  Would you like to "
        "un-assign this drug to all patients for whom this drug is assigned?").arg(kSign));
    QCOMPARE(count("SELECT count(*) FROM Schedule"), 0);
    QCOMPARE(count("SELECT count(*) FROM Drugs WHERE DrugID = 1"), 0);

    open<frmDrugs>(2);
    m_bed->Answer({true});
    click("cmdDelete");
    QCOMPARE(m_bed->questions.value(2), QStringLiteral("Are you Sure you want to delete Aspirin%1?").arg(kSign));
    QCOMPARE(count("SELECT count(*) FROM Drugs"), 0);

    open<frmHF>(1);
    m_bed->Answer({false});
    click("cmdDelete");
    QCOMPARE(m_bed->notices.value(1), QStringLiteral("Delete Cancelled"));
    QVERIFY(m_bed->questions.value(3).startsWith(QStringLiteral("Health Factor 'Smoking' is currently assigned")));
    open<frmHF>(3);
    m_bed->Answer({true});
    click("cmdDelete");
    QCOMPARE(m_bed->questions.value(4), QStringLiteral("Are you Sure you want to delete Overweight ?"));
    QCOMPARE(count("SELECT count(*) FROM HealthFactors"), 3);
    QCOMPARE(count("SELECT count(*) FROM PatientFactors"), 1);
}

void tst_Maintenance::healthFactorIdentifiersAndSearch()
{
    open<frmHF>();
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Health Factors"));
    QCOMPARE(shownId(), QStringLiteral("5"));
    QCOMPARE(addCaption(), QStringLiteral("Cancel &Add"));
    enter("txtDesc", QStringLiteral("Diabetes"));
    QString title;
    int field = 0;
    m_bed->OnWindow(QStringLiteral("frmSearch"), [&](QDialog& search) {
        title = search.windowTitle();
        field = Child<QComboBox>(search, "cmbSearchItems")->currentIndex();
        search.reject();
    });
    click("cmdSearch");
    QVERIFY(m_bed->AllWindowsSeen());
    QCOMPARE(title, QStringLiteral("Search - HealthFactor"));
    QCOMPARE(field, -1);
    QCOMPARE(m_bed->questions, QStringList());
    QCOMPARE(count("SELECT count(*) FROM HealthFactors"), 4);
    QCOMPARE(addCaption(), QStringLiteral("&Add New"));
    QCOMPARE(shownId(), QString());

    click("cmdAdd");
    enter("txtDesc", QStringLiteral("Diabetes"));
    m_bed->Answer({true});
    click("cmdSave");
    QCOMPARE(m_bed->questions, QStringList{QStringLiteral("Enter another health factor?")});
    QCOMPARE(text("SELECT conddesc FROM HealthFactors WHERE condid = 5"), QStringLiteral("Diabetes"));
    QCOMPARE(shownId(), QStringLiteral("6"));

    open<frmDrugs>();
    m_bed->OnWindow(QStringLiteral("frmSearch"), [&](QDialog& search) {
        title = search.windowTitle();
        search.reject();
    });
    click("cmdSearch");
    QCOMPARE(title, QStringLiteral("Search - Drug"));
}

void tst_Maintenance::identifierTakenMeanwhile()
{
    open<frmDoctors>();
    QCOMPARE(shownId(), QStringLiteral("1"));
    // Another workstation stores doctor 1 while this one is typed.
    ListWindowTestbed::Exec("INSERT INTO Doctors (doctorid, lname, fname, classification) VALUES (1, 'Else', 'Where', 'GP')");
    enterDoctor(QStringLiteral("Ann"), QStringLiteral("Here"), QStringLiteral("GP"));
    m_bed->Answer({true});
    click("cmdSave");
    QCOMPARE(text("SELECT lname FROM Doctors WHERE doctorid = 1"), QStringLiteral("Else"));
    QCOMPARE(text("SELECT lname FROM Doctors WHERE doctorid = 2"), QStringLiteral("Here"));
    QCOMPARE(shownId(), QStringLiteral("3"));
    m_window->close();
}

void tst_Maintenance::recordGoneAndEngineErrors()
{
    open<frmDoctors>(99);
    QCOMPARE(m_bed->notices, QStringList{QStringLiteral(
        "Doctor 99 is no longer in the database; it may have been deleted on another workstation.")});
    QCOMPARE(addCaption(), QStringLiteral("Add New"));
    QVERIFY(!child<QPushButton>("cmdSave")->isEnabled());

    // Deleted elsewhere while shown: the correction is not reported as stored.
    open<frmHF>(4);
    ListWindowTestbed::Exec("DELETE FROM HealthFactors WHERE condid = 4");
    enter("txtDesc", QStringLiteral("Sedentary lifestyle"));
    click("cmdSave");
    QCOMPARE(m_bed->notices.value(1), QStringLiteral(
        "Health factor 4 is no longer in the database; it may have been deleted on another "
        "workstation. The changes were not saved."));
    m_bed->Answer({false});
    m_window->close();
    QVERIFY(m_window->isVisible());
    QCOMPARE(m_bed->questions, QStringList{kUnsaved});

    // An engine error is reported and the new drug stays on screen, still unsaved.
    open<frmDrugs>();
    enter("txtDesc", QStringLiteral("Aspirin"));
    SetAppDatabase(Database());
    click("cmdSave");
    QCOMPARE(m_bed->notices.size(), 3);
    QCOMPARE(m_bed->questions.size(), 1);
    QCOMPARE(shownId(), QStringLiteral("1"));
    QCOMPARE(child("txtDesc")->text(), QStringLiteral("Aspirin"));
    QCOMPARE(addCaption(), QStringLiteral("Cancel Add"));
    m_bed->Answer({true});
    m_window->close();
    QCOMPARE(m_bed->questions.size(), 2);
}

QTEST_MAIN(tst_Maintenance)
#include "tst_Maintenance.moc"
