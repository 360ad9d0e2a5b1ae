// A workstation's first day on a database server: a patient and a lab visit typed in and read
// back, a search, the call list. The other windows' tests run on a file; the engine's rules
// hold on both.

#include "ListWindowTestbed.h"
#include "PrintCallList.h"
#include "PrintJob.h"
#include "RecordingSurface.h"
#include "SearchReceiver.h"
#include "frmLabWork.h"
#include "frmPatient.h"
#include "frmSearch.h"

#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTableView>
#include <QtTest>

namespace {

const QString Today = QDate::currentDate().toString(QStringLiteral("MM/dd/yyyy"));

void typeInto(QWidget& window, const char* box, const QString& text)
{
    Child<QLineEdit>(window, box)->setFocus();
    QTest::keyClicks(Child<QLineEdit>(window, box), text);
}

struct PickedPatient : SearchReceiver {
    void LoadObjectData(const clsPatient&) override {}
};

} // namespace

class tst_ServerSmoke : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void patientTypedInIsStoredOnTheServerAndReadBack();
    void labVisitTypedInIsStoredOnTheServer();
    void searchFindsWithoutRegardToCase();
    void callListHoldsOnlyWhoIsDue();
    void aStoppedServerFailsOneSaveClearlyAndTheNextWorksWhenItIsBack();

private:
    std::unique_ptr<ListWindowTestbed> m_bed;
    QString m_database;
};

void tst_ServerSmoke::init()
{
    const QString server = qEnvironmentVariable("VELMORA_TEST_PG");
    if (server.isEmpty())
        QSKIP("VELMORA_TEST_PG is not set, so there is no PostgreSQL server to test on; "
              "scripts/test.sh starts one and sets it");
    m_bed = std::make_unique<ListWindowTestbed>();
    m_database = QStringLiteral("smoke_%1").arg(QCoreApplication::applicationPid());
    Database::Connect(server).ExecuteDirect("CREATE DATABASE " + m_database.toUtf8());
    SetAppDatabase(Database::Connect(server + QStringLiteral(" dbname=") + m_database));
    CreateSchema(AppDatabase());
}

void tst_ServerSmoke::cleanup()
{
    if (!m_bed)
        return;
    QCOMPARE(m_bed->unanswered, QStringList());
    m_bed.reset();
    Database::Connect(qEnvironmentVariable("VELMORA_TEST_PG"))
        .ExecuteDirect("DROP DATABASE " + m_database.toUtf8() + " WITH (FORCE)");
}

void tst_ServerSmoke::patientTypedInIsStoredOnTheServerAndReadBack()
{
    m_bed->AddPatient(7, QStringLiteral("Müller"), QStringLiteral("1/2/2024"));
    auto window = std::make_unique<frmPatient>();
    window->Init();
    window->show();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    QCOMPARE(Child<QLabel>(*window, "lblID")->text(), QStringLiteral("8"));
    for (const auto& [box, text] :
         {std::pair{"txtFName", "Anna"}, {"txtLName", "O'Brien"}, {"txtBirthDate", "3/5/1960"}})
        typeInto(*window, box, QString::fromUtf8(text));
    QTest::mouseClick(Child<QPushButton>(*window, "cmdSave"), Qt::LeftButton);
    QCOMPARE(m_bed->notices, QStringList());
    QCOMPARE(m_bed->Value("SELECT lname FROM Patients WHERE ptid = 8").toString(),
             QStringLiteral("O'Brien"));
    QCOMPARE(m_bed->Value("SELECT ptid FROM Patients WHERE lname = 'MÜLLER'").toInt(), 7);

    window = std::make_unique<frmPatient>();
    window->Init(8);
    QCOMPARE(Child<QLineEdit>(*window, "txtLName")->text(), QStringLiteral("O'Brien"));
    QCOMPARE(Child<QLineEdit>(*window, "txtBirthDate")->text(), QStringLiteral("03/05/1960"));
}

void tst_ServerSmoke::labVisitTypedInIsStoredOnTheServer()
{
    m_bed->AddPatient(7, QStringLiteral("Müller"), Today);
    frmLabWork window;
    window.Init(QStringLiteral("Ann Müller"), 7);
    QVERIFY(ShowActive(window));
    for (const auto& [box, text] : {std::pair{"txtOverallCL", "210"}, {"txtHDL", "50"}, {"txtLDL", "120"}})
        typeInto(window, box, QString::fromLatin1(text));
    m_bed->Answer({false});
    QTest::mouseClick(Child<QPushButton>(window, "cmdSave"), Qt::LeftButton);
    QCOMPARE(m_bed->notices, QStringList());
    QCOMPARE(m_bed->questions, QStringList({"Enter another Lab Work Visit?"}));
    QCOMPARE(m_bed->Rows("SELECT id, ptid, overallcl, hdl, ldl FROM LabVisits"),
             QStringList({"1|7|210|50|120"}));
}

void tst_ServerSmoke::searchFindsWithoutRegardToCase()
{
    m_bed->AddPatient(7, QStringLiteral("Müller"), Today);
    m_bed->AddPatient(8, QStringLiteral("Miller"), Today);
    PickedPatient receiver;
    frmSearch window;
    window.Init(QStringLiteral("Patient"), &receiver, QStringLiteral("Last Name"));
    // The window opens on "Starts with".
    typeInto(window, "txtSearchFor", QStringLiteral("MÜ"));
    QTest::mouseClick(Child<QPushButton>(window, "cmdSearch"), Qt::LeftButton);
    QCOMPARE(m_bed->notices, QStringList());
    const QAbstractItemModel& found = *Child<QTableView>(window, "GridResults")->model();
    QCOMPARE(found.rowCount(), 1);
    QCOMPARE(found.index(0, 0).data().toString(), QStringLiteral("7"));
}

// Due: a call date up to today not yet logged for that date.
void tst_ServerSmoke::callListHoldsOnlyWhoIsDue()
{
    m_bed->AddPatient(7, QStringLiteral("Müller"), Today);
    m_bed->AddPatient(8, QStringLiteral("Later"), QDate::currentDate().addDays(1).toString("MM/dd/yyyy"));
    m_bed->AddPatient(9, QStringLiteral("Logged"), Today);
    ListWindowTestbed::Exec(QStringLiteral("INSERT INTO PrintLog (ptid, calldate, printdate) "
                                           "VALUES (9, #%1#, #%1#)").arg(Today));
    RecordingSurface page;
    PrintJob job{page, QDate::currentDate()};
    m_bed->Answer({false});
    PrintCallList(job);
    QVERIFY(page.FindText(QStringLiteral("Müller, Ann")));
    QVERIFY(!page.FindText(QStringLiteral("Later, Ann")));
    QVERIFY(!page.FindText(QStringLiteral("Logged, Ann")));
}

// The server stops between two saves of one window and starts again before a third.
void tst_ServerSmoke::aStoppedServerFailsOneSaveClearlyAndTheNextWorksWhenItIsBack()
{
    const QString ctl = qEnvironmentVariable("VELMORA_TEST_PG_CTL");
    if (ctl.isEmpty())
        QSKIP("VELMORA_TEST_PG_CTL is not set, so the server cannot be stopped and started; "
              "scripts/start-postgres.sh sets it");
    m_bed->AddPatient(7, QStringLiteral("Müller"), Today);
    frmPatient window;
    window.Init(7);
    QVERIFY(ShowActive(window));
    auto saveFirstName = [&](const QString& name) {
        Child<QLineEdit>(window, "txtFName")->clear();
        typeInto(window, "txtFName", name);
        QTest::mouseClick(Child<QPushButton>(window, "cmdSave"), Qt::LeftButton);
    };
    const QString storedName = QStringLiteral("SELECT fname FROM Patients WHERE ptid = 7");
    saveFirstName(QStringLiteral("Anna"));
    QCOMPARE(QProcess::execute(ctl, {QStringLiteral("stop")}), 0);
    saveFirstName(QStringLiteral("Bea"));
    QCOMPARE(m_bed->notices.size(), 1);
    QVERIFY2(m_bed->notices[0].startsWith(
                 QStringLiteral("The connection to the database server was lost: ")),
             qPrintable(m_bed->notices[0]));
    m_bed->notices.clear();
    QCOMPARE(QProcess::execute(ctl, {QStringLiteral("start")}), 0);
    QCOMPARE(m_bed->Value(storedName).toString(), QStringLiteral("Anna"));
    QTest::mouseClick(Child<QPushButton>(window, "cmdSave"), Qt::LeftButton);
    QCOMPARE(m_bed->notices, QStringList());
    QCOMPARE(m_bed->Value(storedName).toString(), QStringLiteral("Bea"));
}

QTEST_MAIN(tst_ServerSmoke)
#include "tst_ServerSmoke.moc"
