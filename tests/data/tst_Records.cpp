#include "clsComm.h"
#include "clsDoctor.h"
#include "clsDrug.h"
#include "clsHealthFactor.h"
#include "clsLabVisit.h"
#include "clsPatient.h"

#include "DaoType.h"
#include "JetDate.h"
#include "PatientRowReader.h"
#include "Recordset.h"
#include "ScratchDatabase.h"

#include <QTest>

class tst_Records : public QObject {
    Q_OBJECT

private slots:
    void newRecordsHoldZeroAndEmptyTexts();
    void callDateReadsAsMonthDayYear_data();
    void callDateReadsAsMonthDayYear();
    void usDateTextIsPadded_data();
    void usDateTextIsPadded();
    void patientRowReaderTakesEveryStoredValue();
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

void tst_Records::usDateTextIsPadded_data()
{
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QString>("text");
    QTest::newRow("single digits") << QDate(2004, 3, 5) << QStringLiteral("03/05/2004");
    QTest::newRow("double digits") << QDate(1999, 12, 31) << QStringLiteral("12/31/1999");
    QTest::newRow("early year") << QDate(99, 1, 2) << QStringLiteral("01/02/0099");
    QTest::newRow("invalid") << QDate() << QString();
}

void tst_Records::usDateTextIsPadded()
{
    QFETCH(QDate, date);
    QFETCH(QString, text);
    QCOMPARE(JetDate::ToUsText(date), text);
}

void tst_Records::patientRowReaderTakesEveryStoredValue()
{
    ScratchDatabase scratch;
    scratch.ExecuteAll(
        {"INSERT INTO Patients (ptid, fname, lname, mi, birthdate, address1, address2, city, st, "
         "zip, phone, cellphone, email, sex, calldate, goal_chol, goal_ldl, systolic, diastolic) "
         "VALUES (7, 'Ann', 'O''Hara', 'B', #3/5/1961#, '1 Main St', 'Apt 2', 'Dover', 'DE', "
         "'19901', '555-0100', '555-0199', 'ann@example.org', 'F', #12/24/2026#, 200, 130, "
         "120, 80)",
         "INSERT INTO Patients (ptid, lname) VALUES (8, 'Bare')"});
    auto rs = scratch.db().OpenRecordset(QStringLiteral("SELECT * from Patients ORDER BY ptid"),
                                         dbOpenForwardOnly);
    const PatientRowReader reader(rs->Fields());
    const clsPatient full = reader.Read();
    QCOMPARE(QStringList({full.FirstName(), full.LastName(), full.MI(), full.BirthDate(),
                          full.Address1(), full.Address2(), full.City(), full.ST(), full.Zip(),
                          full.Phone(), full.CellPhone(), full.EMail(), full.Sex(),
                          full.CallDate()}),
             QStringList({"Ann", "O'Hara", "B", "03/05/1961", "1 Main St", "Apt 2", "Dover",
                          "DE", "19901", "555-0100", "555-0199", "ann@example.org", "F",
                          "12/24/2026"}));
    QCOMPARE(QList<qint32>({full.ID(), full.GoalChol(), full.GoalLDL(), full.Systolic(),
                            full.Diastolic()}),
             QList<qint32>({7, 200, 130, 120, 80}));
    // The next row through the same reader: Nulls read as empty texts, 0 and the no-date day.
    rs->MoveNext();
    const clsPatient bare = reader.Read();
    QCOMPARE(bare.ID(), 8);
    QCOMPARE(bare.FirstName(), QString());
    QCOMPARE(bare.BirthDate(), QStringLiteral("01/01/1900"));
    QCOMPARE(bare.Systolic(), 0);
}

QTEST_GUILESS_MAIN(tst_Records)
#include "tst_Records.moc"
