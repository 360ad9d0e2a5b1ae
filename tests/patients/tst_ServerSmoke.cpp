// The patient editor on a database server: what a workstation does first, from typing to the
// stored row and back. The other windows' tests run on a file; the engine's rules hold on both.

#include "ListWindowTestbed.h"
#include "frmPatient.h"

#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

class tst_ServerSmoke : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void patientTypedInIsStoredOnTheServerAndReadBack();

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
         {std::pair{"txtFName", "Anna"}, {"txtLName", "O'Brien"}, {"txtBirthDate", "3/5/1960"}}) {
        Child<QLineEdit>(*window, box)->setFocus();
        QTest::keyClicks(Child<QLineEdit>(*window, box), QString::fromUtf8(text));
    }
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

QTEST_MAIN(tst_ServerSmoke)
#include "tst_ServerSmoke.moc"
