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
    void callDateReadsAsMonthDayYear_data();
    void callDateReadsAsMonthDayYear();
    void usDateTextIsPadded_data();
    void usDateTextIsPadded();
    void patientRowReaderTakesEveryStoredValue();
};

void tst_Records::callDateReadsAsMonthDayYear_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("read");
    QTest::newRow("single digits") << "3/5/2004" << "03/05/2004";
    QTest::newRow("already formatted") << "12/31/2004" << "12/31/2004";
    QTest::newRow("no-date value") << "1/1/1900" << "01/01/1900";
    QTest::newRow("with a time") << "3/5/2004 10:15:00 AM" << "03/05/2004";
    QTest::newRow("two-digit year") << "3/5/04" << "03/05/2004";
    QTest::newRow("empty") << QString() << QString();
    QTest::newRow("no date") << "soon" << "soon";
}

// Only the call date is formatted; the birth date is held as set.
void tst_Records::callDateReadsAsMonthDayYear()
{
    QFETCH(QString, stored);
    QFETCH(QString, read);
    clsPatient patient;
    patient.SetCallDate(stored);
    patient.SetBirthDate(stored);
    QCOMPARE(patient.CallDate(), read);
    QCOMPARE(patient.BirthDate(), stored);
}

void tst_Records::usDateTextIsPadded_data()
{
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QString>("text");
    QTest::newRow("single digits") << QDate(2004, 3, 5) << "03/05/2004";
    QTest::newRow("double digits") << QDate(1999, 12, 31) << "12/31/1999";
    QTest::newRow("early year") << QDate(99, 1, 2) << "01/02/0099";
    QTest::newRow("invalid") << QDate() << QString();
}

void tst_Records::usDateTextIsPadded()
{
    QFETCH(QDate, date);
    QFETCH(QString, text);
    QCOMPARE(JetDate::ToUsText(date), text);
}

// The second row goes through the same reader: Nulls read as empty texts, 0 and the no-date day.
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
    const clsPatient p = reader.Read();
    QCOMPARE(QStringList({p.FirstName(), p.LastName(), p.MI(), p.BirthDate(), p.Address1(),
                          p.Address2(), p.City(), p.ST(), p.Zip(), p.Phone(), p.CellPhone(),
                          p.EMail(), p.Sex(), p.CallDate()}),
             QStringList({"Ann", "O'Hara", "B", "03/05/1961", "1 Main St", "Apt 2", "Dover",
                          "DE", "19901", "555-0100", "555-0199", "ann@example.org", "F",
                          "12/24/2026"}));
    QCOMPARE(QList<qint32>({p.ID(), p.GoalChol(), p.GoalLDL(), p.Systolic(), p.Diastolic()}),
             QList<qint32>({7, 200, 130, 120, 80}));
    rs->MoveNext();
    const clsPatient bare = reader.Read();
    QCOMPARE(QStringList({QString::number(bare.ID()), bare.FirstName(), bare.BirthDate(),
                          QString::number(bare.Systolic())}),
             QStringList({"8", "", "01/01/1900", "0"}));
}

QTEST_GUILESS_MAIN(tst_Records)
#include "tst_Records.moc"
