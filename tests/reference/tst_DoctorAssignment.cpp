// Linking a patient to the patient's doctor by name, as staff do it from the patient editor.

#include "ListWindowTestbed.h"
#include "clsDoctor.h"
#include "frmAssDc2.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include <sqlite3.h>

namespace
{

const QString kPatient = QStringLiteral("Berg, Ann");

QVariant Value(const QString& sql)
{
    return ListWindowTestbed::Value(sql);
}

int Count(const char* sql)
{
    return Value(QString::fromLatin1(sql)).toInt();
}

// The patient's links as "doctorid:comment".
QStringList Links()
{
    QStringList links;
    auto rs = AppDatabase().OpenRecordset(
        QStringLiteral("SELECT doctorid, comment FROM PatientsDoctors WHERE ptid = 1"));
    for (; !rs->Eof(); rs->MoveNext())
        links.append(rs->Fields()[0].Value().toString() + u':' + rs->Fields()[1].Value().toString());
    return links;
}

QLineEdit* Box(QWidget& window, const char* name)
{
    return Child<QLineEdit>(window, name);
}

void Type(QWidget& window, const char* name, const QString& text)
{
    Box(window, name)->clear();
    QTest::keyClicks(Box(window, name), text);
}

void Click(QWidget& window, const char* name)
{
    QTest::mouseClick(Child<QPushButton>(window, name), Qt::LeftButton);
}

} // namespace

class tst_DoctorAssignment : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        bed = std::make_unique<ListWindowTestbed>();
        ListWindowTestbed::AddPatient(1, QStringLiteral("Berg"), QStringLiteral("2/3/2025"));
        ListWindowTestbed::AddPatient(2, QStringLiteral("Lund"), QStringLiteral("2/3/2025"));
        ListWindowTestbed::Exec(QStringLiteral("INSERT INTO Doctors (DoctorID, LName, FName, "
                                               "Classification) VALUES (4, 'O''Hara', 'Ann', "
                                               "'Cardiology')"));
        ListWindowTestbed::Exec(
            QStringLiteral("INSERT INTO Doctors (DoctorID, LName, FName) VALUES (7, 'Smith', 'John')"));
        ListWindowTestbed::Exec(QStringLiteral(
            "INSERT INTO PatientsDoctors (DoctorID, PtID, Comment) VALUES (7, 2, 'other patient')"));
        window = std::make_unique<frmAssDc2>();
    }
    void cleanup()
    {
        window.reset();
        QVERIFY2(bed->unanswered.isEmpty(), qPrintable(bed->unanswered.join(u'|')));
        QVERIFY2(bed->leftOpen.isEmpty(), qPrintable(bed->leftOpen.join(u'|')));
        bed.reset();
    }

    void storedDoctorFoundByName();
    void newDoctorAdded();
    void lastNameRequired();
    void existingLinkReplaced();
    void deleteLinkAndAddAgain();
    void pickKeepsTypedComment();
    void searchButtons();
    void failedLinkLeavesNoDoctor();

private:
    void Open(std::optional<int> doctorId = std::nullopt)
    {
        if (doctorId)
            window->Init(1, kPatient, *doctorId);
        else
            window->Init(1, kPatient);
        window->show();
        (void)QTest::qWaitForWindowExposed(window.get());
    }

    std::unique_ptr<ListWindowTestbed> bed;
    std::unique_ptr<frmAssDc2> window;
};

// Another case, blanks around the names and an apostrophe still find doctor 4.
void tst_DoctorAssignment::storedDoctorFoundByName()
{
    Open();
    QCOMPARE(window->windowTitle(), QStringLiteral("Assign Doctor for Patient"));
    QCOMPARE(Child<QLabel>(*window, "lblFullName")->text(), kPatient);
    QVERIFY(!Child<QPushButton>(*window, "cmdDelete")->isEnabled());
    Type(*window, "txtLName", QStringLiteral("  o'HARA "));
    Type(*window, "txtFName", QStringLiteral(" ann"));
    Type(*window, "txtComment", QStringLiteral("  sees her yearly, don't call  "));
    QTest::keyClick(Box(*window, "txtComment"), Qt::Key_Return);
    QVERIFY(!window->isVisible());
    QCOMPARE(Links(), QStringList{QStringLiteral("4:sees her yearly, don't call")});
    QCOMPARE(Count("SELECT count(*) FROM Doctors"), 2);
    QVERIFY(bed->notices.isEmpty());
}

// Names longer than the column are cut while typing; the new doctor takes the next
// identifier, the names as typed (trimmed) and no classification.
void tst_DoctorAssignment::newDoctorAdded()
{
    Open();
    Type(*window, "txtLName", QStringLiteral(" Nguyen-Abercrombie-Smythe "));
    QCOMPARE(Box(*window, "txtLName")->text().size(), 20);
    Type(*window, "txtLName", QStringLiteral(" d'Souza "));
    Type(*window, "txtFName", QStringLiteral("Lan"));
    Click(*window, "cmdAdd");
    QVERIFY(!window->isVisible());
    QCOMPARE(Value(QStringLiteral("SELECT lname FROM Doctors WHERE doctorid = 8")),
             QVariant(QStringLiteral("d'Souza")));
    QCOMPARE(Value(QStringLiteral("SELECT fname FROM Doctors WHERE doctorid = 8")),
             QVariant(QStringLiteral("Lan")));
    QVERIFY(Value(QStringLiteral("SELECT classification FROM Doctors WHERE doctorid = 8")).isNull());
    QCOMPARE(Links(), QStringList{QStringLiteral("8:")});
}

void tst_DoctorAssignment::lastNameRequired()
{
    Open();
    Type(*window, "txtLName", QStringLiteral("   "));
    Type(*window, "txtFName", QStringLiteral("John"));
    Click(*window, "cmdAdd");
    QCOMPARE(bed->notices, QStringList{QStringLiteral("A Doctor has not been selected yet")});
    QVERIFY(window->isVisible());
    QVERIFY(Links().isEmpty());
    QCOMPARE(Count("SELECT count(*) FROM Doctors"), 2);
}

void tst_DoctorAssignment::existingLinkReplaced()
{
    ListWindowTestbed::Exec(QStringLiteral(
        "INSERT INTO PatientsDoctors (DoctorID, PtID, Comment) VALUES (4, 1, 'since 2019')"));
    Open(4);
    QCOMPARE(Box(*window, "txtLName")->text(), QStringLiteral("O'Hara"));
    QCOMPARE(Box(*window, "txtFName")->text(), QStringLiteral("Ann"));
    QCOMPARE(Box(*window, "txtComment")->text(), QStringLiteral("since 2019"));
    QVERIFY(Child<QPushButton>(*window, "cmdDelete")->isEnabled());
    Type(*window, "txtLName", QStringLiteral("SMITH"));
    Type(*window, "txtFName", QStringLiteral("john"));
    Click(*window, "cmdAdd");
    QVERIFY(!window->isVisible());
    QCOMPARE(Links(), QStringList{QStringLiteral("7:since 2019")});
    QCOMPARE(Count("SELECT count(*) FROM PatientsDoctors WHERE ptid = 2"), 1);
}

// No changes nothing; Yes removes the link the window was opened for, even after another
// doctor was picked, and leaves the window open to add a new one.
void tst_DoctorAssignment::deleteLinkAndAddAgain()
{
    ListWindowTestbed::Exec(QStringLiteral(
        "INSERT INTO PatientsDoctors (DoctorID, PtID, Comment) VALUES (4, 1, 'since 2019')"));
    Open(4);
    const QString question = QStringLiteral("Remove doctor O'Hara, Ann for this patient?");
    bed->Answer({false});
    Click(*window, "cmdDelete");
    QCOMPARE(bed->questions, QStringList{question});
    QCOMPARE(Links().size(), 1);
    QCOMPARE(Box(*window, "txtLName")->text(), QStringLiteral("O'Hara"));

    clsDoctor smith;
    smith.SetID(7);
    smith.SetLastName(QStringLiteral("Smith"));
    smith.SetFirstName(QStringLiteral("John"));
    window->LoadObjectData(smith);
    bed->Answer({true});
    Click(*window, "cmdDelete");
    QCOMPARE(bed->questions, (QStringList{question, question}));
    QVERIFY(Links().isEmpty());
    QVERIFY(window->isVisible());
    for (const char* box : {"txtLName", "txtFName", "txtComment"})
        QCOMPARE(Box(*window, box)->text(), QString());
    QVERIFY(!Child<QPushButton>(*window, "cmdDelete")->isEnabled());
    QCOMPARE(Count("SELECT count(*) FROM PatientsDoctors WHERE ptid = 2"), 1);

    Type(*window, "txtLName", QStringLiteral("Smith"));
    Type(*window, "txtFName", QStringLiteral("John"));
    Click(*window, "cmdAdd");
    QCOMPARE(Links(), QStringList{QStringLiteral("7:")});
}

// The search hands a doctor without a comment: the typed one stays. A stored link hands its own.
void tst_DoctorAssignment::pickKeepsTypedComment()
{
    Open();
    Type(*window, "txtComment", QStringLiteral("referred by Dr Lund"));
    clsDoctor ohara;
    ohara.SetID(4);
    ohara.SetLastName(QStringLiteral("O'Hara"));
    ohara.SetFirstName(QStringLiteral("Ann"));
    window->LoadObjectData(ohara);
    QCOMPARE(Box(*window, "txtLName")->text(), QStringLiteral("O'Hara"));
    QCOMPARE(Box(*window, "txtFName")->text(), QStringLiteral("Ann"));
    QCOMPARE(Box(*window, "txtComment")->text(), QStringLiteral("referred by Dr Lund"));
    Click(*window, "cmdAdd");
    QCOMPARE(Links(), QStringList{QStringLiteral("4:referred by Dr Lund")});

    window->LoadObjectData(ohara, QStringLiteral("from the link"));
    QCOMPARE(Box(*window, "txtComment")->text(), QStringLiteral("from the link"));
}

void tst_DoctorAssignment::searchButtons()
{
    Open();
    QStringList titles;
    const auto note = [&](QDialog& search) {
        titles.append(search.windowTitle());
        search.reject();
    };
    bed->OnWindow(QStringLiteral("frmSearch"), note);
    bed->OnWindow(QStringLiteral("frmSearch"), note);
    Click(*window, "cmdLast");
    Click(*window, "cmdSearchFN");
    QVERIFY(bed->AllWindowsSeen());
    QCOMPARE(titles, (QStringList{QStringLiteral("Search - Doctor"), QStringLiteral("Search - Doctor")}));
    QVERIFY(window->isVisible());
}

// The new doctor and the link are one write: when the link cannot be stored, the doctor is
// not stored either, and the window stays as it was.
void tst_DoctorAssignment::failedLinkLeavesNoDoctor()
{
    Open();
    Type(*window, "txtLName", QStringLiteral("Nguyen"));
    Type(*window, "txtFName", QStringLiteral("Lan"));
    QCOMPARE(sqlite3_exec(AppDatabase().Handle(), "DROP TABLE PatientsDoctors", nullptr, nullptr,
                          nullptr),
             SQLITE_OK);
    Click(*window, "cmdAdd");
    QCOMPARE(bed->notices.size(), 1);
    QVERIFY(bed->notices.first().contains(QStringLiteral("PatientsDoctors"), Qt::CaseInsensitive));
    QVERIFY(window->isVisible());
    QCOMPARE(Box(*window, "txtLName")->text(), QStringLiteral("Nguyen"));
    QCOMPARE(Count("SELECT count(*) FROM Doctors"), 2);
}

QTEST_MAIN(tst_DoctorAssignment)
#include "tst_DoctorAssignment.moc"
