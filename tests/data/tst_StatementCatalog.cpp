// The SQL texts the windows send, one of each shape, completed with realistic values the way
// the windows complete them and run against one seeded file. "Today" is fixed at 06/15/2024.
#include "QueryDef.h"
#include "ScratchDatabase.h"

#include <QTest>

namespace
{

const QString kDueCallList = QStringLiteral(
    "SELECT patients.ptid, lname, fname, patients.calldate, phone from patients left join "
    "printlog on patients.ptid=printlog.ptid and patients.calldate=printlog.calldate where "
    "patients.calldate <= #06/15/2024# and patients.calldate <> #1/1/1900# and printlog.ptid is "
    "null order by patients.calldate");

QString labVisitInsert(int id, int ptid, const QString& date)
{
    return QStringLiteral("INSERT INTO LabVisits (id, ptid, labdate, overallcl, hdl, ldl, "
                          "lp_a, triglycerides, hmcyst, crp, sgot_ast, sgpt_alt, cpk, tsh, "
                          "the_intervention, adddate) VALUES (%1, %2, #%3#, %4, %5, %6, 0, 150, "
                          "0, 0, 0, 0, 0, 0, '', #%3#)")
        .arg(id)
        .arg(ptid)
        .arg(date)
        .arg(180 + id)
        .arg(40 + id)
        .arg(100 + id);
}

// Five patients: 1 due today, 5 due since May (printed only for an older call date),
// 2 without a call date, 3 printed for its call date, 4 due tomorrow.
void seed(ScratchDatabase& scratch)
{
    const char* const patient =
        "INSERT INTO Patients (ptid, lname, fname, birthdate, sex, address1, address2, city, st, "
        "zip, phone, cellphone, email, calldate, goal_chol, goal_ldl, systolic, diastolic, mi) "
        "VALUES (%1, '%2', '%3', #%4#, '%5', '', '', 'Springfield', 'IL', '62701', '%6', '', '', "
        "#%7#, 200, 100, %8, %9, '')";
    const QStringList patients[] = {
        {"1", "Smith", "Ann", "01/02/1960", "Female", "555-0101", "06/15/2024", "120", "80"},
        {"2", "Müller", "Jörg", "10/20/1955", "Male", "555-0102", "1/1/1900", "0", "0"},
        {"3", "O''Hara", "Bea", "03/04/1971", "Female", "555-0103", "05/01/2024", "0", "0"},
        {"4", "Smithers", "Carl", "08/08/1980", "Male", "555-0104", "06/16/2024", "0", "0"},
        {"5", "Lee", "Dana", "12/12/1990", "Female", "555-0105", "05/20/2024", "0", "0"},
    };
    QStringList statements;
    for (const QStringList& p : patients) {
        QString sql = QString::fromUtf8(patient);
        for (const QString& value : p)
            sql = sql.arg(value);
        statements.append(sql);
    }
    statements += {
        "INSERT INTO Doctors (doctorid, lname, fname, classification) VALUES (1, 'Jones', 'Amy', "
        "'Cardiology')",
        "INSERT INTO Doctors (doctorid, lname, fname, classification) VALUES (2, 'O''Hara', 'Ann', "
        "'General Practice')",
        "INSERT INTO Doctors (doctorid, lname, fname) VALUES (3, 'Smith', 'Bob')",
        "INSERT INTO Drugs (DrugID, DrugDesc) VALUES (1, 'Lipitor®')",
        "INSERT INTO Drugs (DrugID, DrugDesc) VALUES (2, 'Zocor®')",
        "INSERT INTO Drugs (DrugID, DrugDesc) VALUES (3, 'Crestor®')",
        "INSERT INTO Schedule (drugid, ptid, comment) VALUES (1, 1, '20 mg daily')",
        "INSERT INTO Schedule (drugid, ptid, comment) VALUES (2, 1, 'weekly')",
        "INSERT INTO Schedule (drugid, ptid, comment) VALUES (1, 2, '')",
        "INSERT INTO PatientFactors (condid, ptid, comment) VALUES (1, 1, '20 pack-years')",
        "INSERT INTO PatientFactors (condid, ptid, comment) VALUES (3, 1, 'BMI 31')",
        "INSERT INTO PatientsDoctors (doctorid, ptid, comment) VALUES (1, 1, 'since 2015')",
        "INSERT INTO PatientsDoctors (doctorid, ptid, comment) VALUES (2, 2, '')",
        "INSERT INTO printlog (ptid, calldate, printdate) VALUES (3, #05/01/2024#, #05/01/2024#)",
        "INSERT INTO printlog (ptid, calldate, printdate) VALUES (5, #11/20/2023#, #11/20/2023#)",
        "INSERT INTO Communications (id, ptid, calldate, calltime, result, complete) VALUES (1, 1, "
        "#06/01/2024#, '09:30:00', 'No answer', False)",
        "INSERT INTO Communications (id, ptid, calldate, calltime, result, complete) VALUES (2, 1, "
        "#06/01/2024#, '14:05:00', 'Reached patient', True)",
        "INSERT INTO Communications (id, ptid, calldate, calltime, result, complete) VALUES (3, 5, "
        "#05/21/2024#, '11:00:00', 'Left message', False)",
    };
    // Patient 1 has fourteen visits, stored out of date order; patient 2 has the newest one.
    const QHash<int, QString> visits = {
        {1, "03/01/2017"},  {2, "09/01/2017"},  {3, "03/01/2018"},  {4, "09/01/2018"},
        {5, "03/01/2019"},  {6, "09/01/2019"},  {7, "03/01/2020"},  {8, "12/31/2020"},
        {9, "01/01/2021"},  {10, "09/01/2021"}, {11, "03/01/2022"}, {12, "09/01/2022"},
        {13, "03/01/2023"}, {14, "03/01/2024"},
    };
    for (const int id : {14, 3, 9, 1, 12, 5, 8, 2, 11, 7, 13, 4, 10, 6})
        statements.append(labVisitInsert(id, 1, visits[id]));
    statements.append(labVisitInsert(15, 2, "05/01/2024"));
    scratch.ExecuteAll(statements);
}

} // namespace

class TestStatementCatalog : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void selects_data();
    void selects();
    void actions_data();
    void actions();

private:
    std::unique_ptr<ScratchDatabase> m_seeded;
};

void TestStatementCatalog::initTestCase()
{
    m_seeded = std::make_unique<ScratchDatabase>();
    seed(*m_seeded);
}

void TestStatementCatalog::selects_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<int>("rows");
    QTest::addColumn<QString>("field"); // read on the first row
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<int>("fields");

    QTest::newRow("count of links")
        << "SELECT count(*) as drugsfound FROM Schedule where DrugID = 1" << 1 << "drugsfound"
        << QVariant(2) << 1;
    QTest::newRow("patient view") << "SELECT * from patients order by lname" << 5 << "lname"
                                  << QVariant("Lee") << 20;
    QTest::newRow("lab visit view")
        << "SELECT top 50 labvisits.*,patients.LName,patients.FName from labvisits inner join "
           "patients on patients.ptid=labvisits.ptid order by labdate desc"
        << 15 << "LName" << QVariant("Müller") << 19;
    QTest::newRow("recent levels")
        << "SELECT Top 1 OverallCL, HDL, LDL, Triglycerides, LabDate FROM LabVisits WHERE ptid = 1 "
           "ORDER BY labdate desc"
        << 1 << "OverallCL" << QVariant(194) << 5;
    QTest::newRow("recent levels, none")
        << "SELECT Top 1 OverallCL, HDL, LDL, Triglycerides, LabDate FROM LabVisits WHERE ptid = 4 "
           "ORDER BY labdate desc"
        << 0 << QString() << QVariant() << 5;
    QTest::newRow("patient's lab visits, stored out of order")
        << "SELECT LabVisits.* FROM LabVisits WHERE ptid = 1 ORDER BY LabDate Desc" << 14 << "id"
        << QVariant(14) << 17;
    QTest::newRow("drug link")
        << "SELECT Schedule.*,Drugs.DrugDesc from Schedule inner join Drugs on Schedule.DrugID = "
           "Drugs.DrugID where Schedule.DrugID = 2 And Schedule.ptID = 1"
        << 1 << "drugdesc" << QVariant("Zocor®") << 5;
    QTest::newRow("doctor by name")
        << "SELECT doctorid from Doctors where UCASE(lname) = 'O''HARA' and UCase(fname) = 'ANN'"
        << 1 << "doctorid" << QVariant(2) << 1;
    QTest::newRow("search, quote in value")
        << "SELECT * from patients  Where lname like '*o''h*' order by lname" << 1 << "ptid"
        << QVariant(3) << 20;
    QTest::newRow("search, registered sign")
        << "SELECT * from drugs  Where drugdesc like '*®*' order by drugdesc" << 3 << "drugdesc"
        << QVariant("Crestor®") << 2;
    QTest::newRow("report contacts, two keys")
        << "SELECT CallDate, CallTime, Result, Complete FROM Communications WHERE PtID = 1 "
           "ORDER BY CallDate DESC, CallTime DESC"
        << 2 << "Result" << QVariant("Reached patient") << 4;
    QTest::newRow("due patients") << kDueCallList << 2 << "ptid" << QVariant(5) << 5;
    QTest::newRow("first doctor name")
        << "SELECT fname, lname from doctors inner join patientsdoctors on "
           "doctors.doctorid=patientsdoctors.doctorid where patientsdoctors.ptid = 1"
        << 1 << "lname" << QVariant("Jones") << 2;
    QTest::newRow("chart visits, year ends included")
        << "SELECT COUNT(*) from labVisits where LabDate between #1/1/2020# and #12/31/2020# "
           "and ptID = 1"
        << 1 << "Expr1000" << QVariant(2) << 1;
    QTest::newRow("chart data in range")
        << "SELECT TOP 12 LabDate, OverallCL, HDL, LDL from LabVisits where ptID = 1  and LabDate "
           "between #1/1/2018# and #12/31/2020# ORDER BY LabDate desc"
        << 6 << "OverallCL" << QVariant(188) << 4;
}

void TestStatementCatalog::selects()
{
    QFETCH(QString, sql);
    QFETCH(int, rows);
    QFETCH(QString, field);
    QFETCH(QVariant, value);
    QFETCH(int, fields);
    const auto rs = m_seeded->db().OpenRecordset(sql);
    QCOMPARE(rs->Fields().Count(), fields);
    if (!field.isEmpty())
        QCOMPARE(rs->Fields()[field].Value(), value);
    QCOMPARE(rs->RecordCount(), rows);
}

void TestStatementCatalog::actions_data()
{
    QTest::addColumn<QStringList>("statements");
    QTest::addColumn<QStringList>("checks");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("insert patient")
        << QStringList{"INSERT INTO Patients (ptid, lname, fname, birthdate, sex, address1, "
                       "address2, city, st, zip, phone, cellphone, email, calldate, goal_chol, "
                       "goal_ldl, systolic, diastolic, mi) VALUES (6, 'D''Angelo', 'Rosa', "
                       "#7/4/1948#, 'Female', '12 Elm St.', '', 'Springfield', 'IL', '62701', "
                       "'(217) 555-0101', '', 'rosa@example.com', #06/20/2024#, 200, 100, 0, 0, "
                       "'M')"}
        << QStringList{"SELECT ptid, lname, fname, birthdate, sex, address2, city, phone, "
                       "calldate, goal_chol, goal_ldl, systolic, mi, comment FROM Patients WHERE "
                       "ptid = 6"}
        << QStringList{"6|D'Angelo|Rosa|07/04/1948|F||Springfield|(217) "
                       "555-0101|06/20/2024|200|100|0|M|<null>"};
    QTest::newRow("insert patient, two-digit year, no call date")
        << QStringList{"INSERT INTO Patients (ptid, lname, fname, birthdate, sex, address1, "
                       "address2, city, st, zip, phone, cellphone, email, calldate, goal_chol, "
                       "goal_ldl, systolic, diastolic, mi) VALUES (6, 'Kim', 'Joon', #07/04/48#, "
                       "'Male', '', '', '', '', '', '', '', '', #1/1/1900#, 0, 0, 0, 0, '')"}
        << QStringList{"SELECT birthdate, sex, calldate, mi FROM Patients WHERE ptid = 6",
                       kDueCallList}
        << QStringList{"07/04/1948|M|01/01/1900|",
                       "5|Lee|Dana|05/20/2024|555-0105\n1|Smith|Ann|06/15/2024|555-0101"};
    QTest::newRow("insert lab visit")
        << QStringList{"INSERT INTO LabVisits (id, ptid, labdate, overallcl, hdl, ldl, lp_a, "
                       "triglycerides, hmcyst, crp, sgot_ast, sgpt_alt, cpk, tsh, "
                       "the_intervention, adddate) VALUES (16, 1, #06/10/2024#, 210, 45, 130, 0, "
                       "150, 0, 0, 0, 0, 0, 0, 'Started statin; patient''s diet reviewed', "
                       "#06/15/2024#)"}
        << QStringList{"SELECT id, ptid, labdate, overallcl, hdl, ldl, tsh, gluc, "
                       "the_intervention, adddate FROM LabVisits WHERE id = 16",
                       "SELECT Top 1 OverallCL FROM LabVisits WHERE ptid = 1 ORDER BY labdate desc"}
        << QStringList{"16|1|06/10/2024|210|45|130|0|<null>|Started statin; patient's diet "
                       "reviewed|06/15/2024",
                       "210"};
    QTest::newRow("delete lab visit of its patient only")
        << QStringList{"DELETE FROM Labvisits WHERE id = 14 and ptid = 1",
                       "DELETE FROM Labvisits WHERE id = 15 and ptid = 1"}
        << QStringList{"SELECT COUNT(*) FROM LabVisits WHERE ptid = 1",
                       "SELECT id FROM LabVisits WHERE id >= 14"}
        << QStringList{"13", "15"};
    QTest::newRow("update contact")
        << QStringList{"UPDATE Communications SET id =2, ptid =1, calldate = #06/14/2024#, "
                       "calltime = '16:45:00', result = 'Reached; will call back', complete = "
                       "False WHERE id = 2"}
        << QStringList{"SELECT * FROM Communications ORDER BY id"}
        << QStringList{"1|1|06/01/2024|09:30:00|No answer|False\n"
                       "2|1|06/14/2024|16:45:00|Reached; will call back|False\n"
                       "3|5|05/21/2024|11:00:00|Left message|False"};
    QTest::newRow("print log ends the due list")
        << QStringList{"INSERT INTO printlog (ptid, calldate, printdate) VALUES (5, #05/20/2024#, "
                       "#06/15/2024#)",
                       "INSERT INTO printlog (ptid, calldate, printdate) VALUES (1, #06/15/2024#, "
                       "#06/15/2024#)"}
        << QStringList{kDueCallList,
                       "SELECT * FROM PrintLog WHERE printdate = #06/15/2024# ORDER BY ptid"}
        << QStringList{"", "<null>|1|06/15/2024|06/15/2024\n<null>|5|06/15/2024|05/20/2024"};
    QTest::newRow("update letter template")
        << QStringList{"UPDATE Company SET letterbody='Dear patient,\r\nit''s time for your blood "
                       "work.', sendername='Dr. Amy Jones'"}
        << QStringList{"SELECT letterbody, sendername from Company"}
        << QStringList{"Dear patient,\r\nit's time for your blood work.|Dr. Amy Jones"};
}

void TestStatementCatalog::actions()
{
    QFETCH(QStringList, statements);
    QFETCH(QStringList, checks);
    QFETCH(QStringList, expected);
    ScratchDatabase scratch;
    seed(scratch);
    QueryDef query = scratch.db().CreateQueryDef();
    for (const QString& sql : statements) {
        query.SetSQL(sql);
        query.Execute(dbFailOnError);
    }
    QStringList actual;
    for (const QString& sql : checks)
        actual.append(scratch.Dump(sql));
    QCOMPARE(actual, expected);
}

QTEST_GUILESS_MAIN(TestStatementCatalog)
#include "tst_StatementCatalog.moc"
