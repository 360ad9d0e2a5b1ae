#include "clsComm.h"
#include "clsDoctor.h"
#include "clsDrug.h"
#include "clsHealthFactor.h"
#include "clsLabVisit.h"
#include "clsPatient.h"

#include <QTest>

class tst_Records : public QObject {
    Q_OBJECT

private slots:
    void newRecordsHoldZeroAndEmptyTexts();
    void callDateReadsAsMonthDayYear_data();
    void callDateReadsAsMonthDayYear();
};

void tst_Records::newRecordsHoldZeroAndEmptyTexts()
{
    const clsDoctor doctor;
    QCOMPARE(doctor.ID(), 0);
    QVERIFY(doctor.LastName().isEmpty() && doctor.FirstName().isEmpty() &&
            doctor.Classification().isEmpty() && doctor.Comment().isEmpty());
    const clsDrug drug;
    QCOMPARE(drug.DrugID(), 0);
    QVERIFY(drug.DrugDesc().isEmpty() && drug.Comment().isEmpty());
    const clsHealthFactor factor;
    QCOMPARE(factor.ID(), 0);
    QVERIFY(factor.Desc().isEmpty() && factor.Comment().isEmpty());
    const clsPatient patient;
    QCOMPARE(patient.ID(), 0);
    QCOMPARE(patient.CallDate(), QString());
    QVERIFY(patient.GoalChol() == 0 && patient.GoalLDL() == 0 && patient.Systolic() == 0 &&
            patient.Diastolic() == 0);
    const clsLabVisit visit;
    QVERIFY(visit.ID() == 0 && visit.OverallCL() == 0 && visit.AddDate() == 0 &&
            visit.Intervention().isEmpty());
    const clsComm comm;
    QVERIFY(comm.ID() == 0 && !comm.Complete() && comm.Result().isEmpty());
}

void tst_Records::callDateReadsAsMonthDayYear_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("read");
    QTest::newRow("single digits") << QStringLiteral("3/5/2004") << QStringLiteral("03/05/2004");
    QTest::newRow("already formatted") << QStringLiteral("12/31/2004") << QStringLiteral("12/31/2004");
    QTest::newRow("no-date value") << QStringLiteral("1/1/1900") << QStringLiteral("01/01/1900");
    QTest::newRow("with a time") << QStringLiteral("3/5/2004 10:15:00 AM") << QStringLiteral("03/05/2004");
    QTest::newRow("two-digit year") << QStringLiteral("3/5/04") << QStringLiteral("03/05/2004");
    QTest::newRow("empty") << QString() << QString();
    QTest::newRow("no date") << QStringLiteral("soon") << QStringLiteral("soon");
}

void tst_Records::callDateReadsAsMonthDayYear()
{
    QFETCH(QString, stored);
    QFETCH(QString, read);
    clsPatient patient;
    patient.SetCallDate(stored);
    QCOMPARE(patient.CallDate(), read);
    // Only CallDate is formatted; the birth date is held as set.
    patient.SetBirthDate(stored);
    QCOMPARE(patient.BirthDate(), stored);
}

QTEST_GUILESS_MAIN(tst_Records)
#include "tst_Records.moc"
