// Every SQL text the windows send, completed with realistic values the way the windows
// complete them, run against one seeded file. "Today" is fixed at 06/15/2024.
#include "DbError.h"
#include "QueryDef.h"
#include "Schema.h"
#include "ScratchDatabase.h"

#include <QTest>

namespace
{

const QString kDueCallList = QStringLiteral(
    "SELECT patients.ptid, lname, fname, patients.calldate, phone from patients left join "
    "printlog on patients.ptid=printlog.ptid and patients.calldate=printlog.calldate where "
    "patients.calldate <= #06/15/2024# and patients.calldate <> #1/1/1900# and printlog.ptid is "
    "null order by patients.calldate");

const QString kPatientRows =
    QStringLiteral("SELECT ptid, lname, fname, sex, calldate FROM Patients ORDER BY ptid");

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

void addSelect(const char* name, const QString& sql, int rows, const QString& field = {},
               const QVariant& value = {}, int fields = -1)
{
    QTest::newRow(name) << sql << rows << field << value << fields;
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
    void refusedImports_data();
    void refusedImports();

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
    QTest::addColumn<QString>("field"); // read on the first row; empty: rows only
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<int>("fields"); // -1: any number

    addSelect("count/next patient id", "SELECT Count(ptid) as countid from Patients", 1, "countid",
              5);
    addSelect("max/next patient id", "SELECT MAX(ptid) as maxid from Patients", 1, "maxid", 5);
    addSelect("count/next doctor id", "SELECT COUNT(Doctorid) as countid from Doctors", 1,
              "countid", 3);
    addSelect("max/next doctor id", "SELECT MAX(Doctorid) as maxid from Doctors", 1, "maxid", 3);
    addSelect("count/next drug id", "SELECT COUNT(Drugid) as countid from Drugs", 1, "countid", 3);
    addSelect("max/next drug id", "SELECT MAX(Drugid) as maxid from Drugs", 1, "maxid", 3);
    addSelect("count/next health factor id", "SELECT COUNT(condid) as countid from HealthFactors",
              1, "countid", 4);
    addSelect("max/next health factor id", "SELECT MAX(condid) as maxid from HealthFactors", 1,
              "maxid", 4);
    addSelect("count/next lab visit id", "SELECT count(id) as countid from LabVisits", 1, "countid",
              15);
    addSelect("max/next lab visit id", "SELECT MAX(id) as maxid from LabVisits", 1, "maxid", 15);
    addSelect("count/next contact id", "SELECT count(*) as countid from Communications", 1,
              "countid", 3);
    addSelect("max/next contact id", "SELECT MAX(id) as maxid from Communications", 1, "maxid", 3);
    addSelect("count/import next id", "SELECT Count(ptid) as countid from Patients", 1, "countid",
              5);
    addSelect("max/import next id", "SELECT MAX(ptid) as maxid from Patients", 1, "maxid", 5);
    addSelect("count/import next id, empty table", "SELECT Count(ID) as countid from PrintLog", 1,
              "countid", 0);

    addSelect("count/doctor links",
              "SELECT count(*) as docsfound FROM PatientsDoctors where DoctorID = 1", 1,
              "docsfound", 1);
    addSelect("count/drug links", "SELECT count(*) as drugsfound FROM Schedule where DrugID = 1", 1,
              "drugsfound", 2);
    addSelect("count/health factor links",
              "SELECT count(*) as hfsfound FROM PatientFactors where condID = 3", 1, "hfsfound", 1);
    addSelect("count/health factor links, none",
              "SELECT count(*) as hfsfound FROM PatientFactors where CondID = 2", 1, "hfsfound", 0);

    addSelect("order/patient view", "SELECT * from patients order by lname", 5, "lname", "Lee", 20);
    addSelect("order/doctor view", "SELECT * from doctors order by lname", 3, "lname", "Jones", 4);
    addSelect("order/drug view", "SELECT * from drugs order by drugdesc", 3, "drugdesc", "Crestor®",
              2);
    addSelect("plain/health factor view", "SELECT * from healthfactors", 4, "conddesc", "Smoking",
              2);
    addSelect("top/lab visit view",
              "SELECT top 50 labvisits.*,patients.LName,patients.FName from labvisits inner join "
              "patients on patients.ptid=labvisits.ptid order by labdate desc",
              15, "LName", "Müller", 19);
    addSelect("top/contact view",
              "SELECT top 50 communications.*,patients.LName,patients.FName from communications "
              "inner join patients on patients.ptid=communications.ptid order by "
              "communications.calldate desc",
              3, "LName", "Smith", 8);

    addSelect("where/load patient", "SELECT * from Patients where ptid = 3", 1, "lname", "O'Hara");
    addSelect(
        "top/recent levels",
        "SELECT Top 1 OverallCL, HDL, LDL, Triglycerides, LabDate FROM LabVisits WHERE ptid = 1 "
        "ORDER BY labdate desc",
        1, "OverallCL", 194, 5);
    addSelect(
        "top/recent levels, none",
        "SELECT Top 1 OverallCL, HDL, LDL, Triglycerides, LabDate FROM LabVisits WHERE ptid = 4 "
        "ORDER BY labdate desc",
        0);
    addSelect("where/patient's first doctor id",
              "SELECT DoctorID FROM PatientsDoctors WHERE ptid = 1", 1, "DoctorID", 1);

    addSelect("where/load lab visit", "SELECT * from LabVisits where id = 3", 1, "overallcl", 183);
    addSelect("order/patient's lab visits",
              "SELECT LabVisits.* FROM LabVisits WHERE ptid = 1 ORDER BY LabDate Desc", 14, "id",
              14, 17);

    addSelect("where/load contact", "SELECT * from Communications where id = 2", 1, "result",
              "Reached patient");
    addSelect("where/patient's contacts", "SELECT * FROM Communications WHERE ptid = 1", 2, {}, {},
              6);

    addSelect("where/load doctor", "SELECT * from Doctors where doctorid = 2", 1, "classification",
              "General Practice");
    addSelect("where/load drug", "SELECT * from Drugs where drugid = 1", 1, "drugdesc", "Lipitor®");
    addSelect("where/load health factor", "SELECT * from HealthFactors where condid = 4", 1,
              "conddesc", "Sedintery lifestyle");

    addSelect("join/patient's drugs",
              "SELECT Drugs.*,Schedule.comment FROM Drugs INNER JOIN Schedule ON Schedule.DrugID = "
              "Drugs.DrugID WHERE ptid = 1",
              2, {}, {}, 3);
    addSelect(
        "join/load drug link",
        "SELECT Schedule.*,Drugs.DrugDesc from Schedule inner join Drugs on Schedule.DrugID = "
        "Drugs.DrugID where Schedule.DrugID = 2 And Schedule.ptID = 1",
        1, "drugdesc", "Zocor®", 5);
    addSelect("count/drug assigned twice",
              "SELECT count(*) from Schedule where ptID = 1 and DrugID = 2", 1, "Expr1000", 1);
    addSelect("join/patient's health factors",
              "SELECT HealthFactors.*,PatientFactors.comment FROM HealthFactors INNER JOIN "
              "PatientFactors ON PatientFactors.CondID = HealthFactors.CondID WHERE ptid = 1",
              2, {}, {}, 3);
    addSelect("join/load health factor link",
              "SELECT PatientFactors.Comment,HealthFactors.*  from PatientFactors inner join "
              "HealthFactors on PatientFactors.CondID = HealthFactors.CondID where "
              "PatientFactors.PtID = 1 and PatientFactors.CondID = 3",
              1, "CondDesc", "Overweight", 3);
    addSelect("count/health factor assigned twice",
              "SELECT COUNT(*) FROM PatientFactors where ptID = 1 and condid = 3", 1, "Expr1000",
              1);
    addSelect(
        "join/load doctor link",
        "SELECT PatientsDoctors.*,Doctors.fname, Doctors.lname, Doctors.classification   from "
        "PatientsDoctors inner join Doctors on PatientsDoctors.DoctorID = Doctors.DoctorID "
        "where PatientsDoctors.DoctorID = 1 And PatientsDoctors.ptID = 1",
        1, "Comment", "since 2015", 7);
    addSelect(
        "ucase/doctor by name",
        "SELECT doctorid from Doctors where UCASE(lname) = 'O''HARA' and UCase(fname) = 'ANN'", 1,
        "doctorid", 2);
    addSelect("ucase/doctor by name, none",
              "SELECT doctorid from Doctors where UCASE(lname) = 'NGUYEN' and UCase(fname) = 'LAN'",
              0);
    addSelect("count/patient's doctor links", "SELECT COUNT(*) FROM PatientsDoctors where ptID = 1",
              1, "Expr1000", 1);

    addSelect("plain/search all patients", "SELECT * from patients ", 5);
    addSelect("plain/search all doctors", "SELECT * from doctors ", 3);
    addSelect("plain/search all drugs", "SELECT * from drugs", 3);
    addSelect("plain/search all health factors", "SELECT * from healthfactors", 4);
    addSelect("like/search patient last name contains",
              "SELECT * from patients  Where lname like '*mit*' order by lname", 2, "lname",
              "Smith");
    addSelect("like/search patient last name starts with",
              "SELECT * from patients  Where lname like 'smi*' order by lname", 2, "lname",
              "Smith");
    addSelect("equals/search patient last name, other case",
              "SELECT * from patients  Where lname = 'MÜLLER' order by lname", 1, "ptid", 2);
    addSelect("like/search patient first name starts with",
              "SELECT * from patients  Where fname like 'a*' order by fname", 1, "fname", "Ann");
    addSelect("like/search patient, quote in value",
              "SELECT * from patients  Where lname like '*o''h*' order by lname", 1, "ptid", 3);
    addSelect("like/search patient, wildcard typed",
              "SELECT * from patients  Where lname like 'S?ith*' order by lname", 2, "lname",
              "Smith");
    addSelect("like/search patient, no match",
              "SELECT * from patients  Where lname like '*xyz*' order by lname", 0);
    addSelect("order/search patient, other operator", "SELECT * from patients  order by lname", 5,
              "lname", "Lee");
    addSelect("equals/search doctor last name",
              "SELECT * from doctors  Where lname = 'jones' order by lname", 1, "doctorid", 1);
    addSelect("like/search doctor first name contains",
              "SELECT * from doctors  Where fname like '*n*' order by fname", 1, "fname", "Ann");
    addSelect("like/search drug starts with",
              "SELECT * from drugs  Where drugdesc like 'z*' order by drugdesc", 1, "drugdesc",
              "Zocor®");
    addSelect("like/search drug, registered sign",
              "SELECT * from drugs  Where drugdesc like '*®*' order by drugdesc", 3, "drugdesc",
              "Crestor®");
    addSelect("like/search health factor contains",
              "SELECT * from healthfactors Where conddesc like '*hist*' order by conddesc", 1,
              "condid", 2);
    addSelect("equals/search health factor",
              "SELECT * from healthfactors Where conddesc = 'overweight' order by conddesc", 1,
              "condid", 3);

    addSelect("where/report patient", "SELECT * from Patients WHERE ptid = 1", 1, "systolic", 120);
    addSelect(
        "join/report doctors",
        "SELECT Comment,  LName, FName, Classification FROM  PatientsDoctors INNER JOIN Doctors "
        "ON PatientsDoctors.Doctorid = Doctors.Doctorid  WHERE PtID = 1",
        1, "Classification", "Cardiology", 4);
    addSelect("join/report health factors",
              "SELECT Comment, CondDesc  FROM  PatientFactors INNER JOIN HealthFactors ON "
              "PatientFactors.CondID = HealthFactors.CondID WHERE PtID = 1",
              2, {}, {}, 2);
    addSelect("join/report medications",
              "SELECT DrugDesc, Comment  FROM  Schedule INNER JOIN Drugs ON Schedule.DrugID = "
              "Drugs.DrugID WHERE PtID = 1",
              2, {}, {}, 2);
    addSelect("where/report blood pressure",
              "SELECT systolic, diastolic FROM  Patients where PtID = 1", 1, "diastolic", 80);
    addSelect(
        "order/report blood work",
        "SELECT LabDate, OverallCL, HDL, LDL, the_intervention  FROM  LabVisits WHERE PtID = 1 "
        "ORDER by LabDate DESC",
        14, "HDL", 54, 5);
    addSelect(
        "order/report contacts, two keys",
        "SELECT CallDate, CallTime, Result, Complete FROM Communications WHERE PtID = 1 ORDER BY "
        "CallDate DESC, CallTime DESC",
        2, "Result", "Reached patient", 4);

    addSelect("left join/due patients for the call list", kDueCallList, 2, "ptid", 5, 5);
    addSelect(
        "left join/due patients for the letters",
        "SELECT Patients.* from patients left join printlog on patients.ptid=printlog.ptid and "
        "patients.calldate=printlog.calldate where patients.calldate <= #06/15/2024# and "
        "printlog.ptid is null and patients.calldate <> #1/1/1900#",
        2, {}, {}, 20);
    addSelect("plain/letter template", "SELECT letterbody, sendername from Company", 1,
              "sendername", "Enter name of sender");
    addSelect("plain/company block", "Select * from Company", 1, "sendername",
              "Enter name of sender", 11);
    addSelect("join/first doctor name",
              "SELECT fname, lname from doctors inner join patientsdoctors on "
              "doctors.doctorid=patientsdoctors.doctorid where patientsdoctors.ptid = 1",
              1, "lname", "Jones");
    addSelect("join/first doctor name, none",
              "SELECT fname, lname from doctors inner join patientsdoctors on "
              "doctors.doctorid=patientsdoctors.doctorid where patientsdoctors.ptid = 5",
              0);

    addSelect("plain/load company", "SELECT * FROM Company", 1, "Name", QString(), 11);

    addSelect("where/chart setup patient", "SELECt * from Patients where PtID = 1", 1, "fname",
              "Ann");
    addSelect("where/chart patient name", "SELECT * from Patients where Ptid = 2", 1, "lname",
              "Müller");
    addSelect("count/chart visits", "SELECT COUNT(*) from labVisits where ptID = 1", 1, "Expr1000",
              14);
    addSelect("between/chart visits in range",
              "SELECT COUNT(*) from labVisits where LabDate between #1/1/2021# and #12/31/2024# "
              "and ptID = 1",
              1, "Expr1000", 6);
    addSelect("between/chart visits in range, year ends included",
              "SELECT COUNT(*) from labVisits where LabDate between #1/1/2020# and #12/31/2020# "
              "and ptID = 1",
              1, "Expr1000", 2);
    addSelect("top/chart data",
              "SELECT TOP 12 LabDate, OverallCL, HDL, LDL from LabVisits where ptID = 1  ORDER BY "
              "LabDate desc",
              12, "OverallCL", 194, 4);
    addSelect(
        "top/chart data in range",
        "SELECT TOP 12 LabDate, OverallCL, HDL, LDL from LabVisits where ptID = 1  and LabDate "
        "between #1/1/2018# and #12/31/2020# ORDER BY LabDate desc",
        6, "OverallCL", 188, 4);

    addSelect(
        "export/patients",
        "SELECT ptid, fname, MI,lname, Address1, Address2, city, st, zip, phone, cellphone, "
        "email, birthdate, CallDate, goal_chol, goal_ldl, systolic, diastolic, sex from Patients",
        5, {}, {}, 19);
    addSelect("export/doctors", "SELECT DoctorID, FName, LName, Classification from Doctors", 3, {},
              {}, 4);
    addSelect("export/health factors", "SELECT CondID, CondDesc from HealthFactors", 4, {}, {}, 2);
    addSelect("export/drugs", "SELECT DrugID, DrugDesc FROM Drugs", 3, {}, {}, 2);
    addSelect("export/lab visits", "SELECT * FROM LabVisits", 15, {}, {}, 17);
    addSelect("export/contacts", "SELECT * FROM Communications", 3, {}, {}, 6);

    const QHash<QString, int> rows = {
        {"Company", 1},       {"Patients", 5},       {"Doctors", 3},         {"Drugs", 3},
        {"HealthFactors", 4}, {"LabVisits", 15},     {"PrintLog", 2},        {"PatientFactors", 2},
        {"Schedule", 3},      {"Communications", 3}, {"PatientsDoctors", 2},
    };
    for (const QString& table : SchemaTableNames()) {
        const QByteArray name = "export/select * " + table.toLatin1();
        addSelect(name.constData(), "SELECT * FROM " + table, rows.value(table));
    }
}

void TestStatementCatalog::selects()
{
    QFETCH(QString, sql);
    QFETCH(int, rows);
    QFETCH(QString, field);
    QFETCH(QVariant, value);
    QFETCH(int, fields);
    const auto rs = m_seeded->db().OpenRecordset(sql);
    if (!field.isEmpty()) {
        QVERIFY(!rs->Eof());
        QCOMPARE(rs->Fields()[field].Value(), value);
    }
    if (fields >= 0)
        QCOMPARE(rs->Fields().Count(), fields);
    QCOMPARE(rs->RecordCount(), rows);
}

void TestStatementCatalog::actions_data()
{
    QTest::addColumn<QStringList>("prepare");
    QTest::addColumn<QStringList>("statements");
    QTest::addColumn<QStringList>("checks");
    QTest::addColumn<QStringList>("expected");

    const QString letterBody =
        "Enter the body of letter here..  Something like :  This letter is to serve as a reminder "
        "for your next set of blood work tests.  Please call within the next three business days "
        "to "
        "schedule an appointment.";
    QTest::newRow("seed/company")
        << QStringList{"DELETE FROM Company"}
        << QStringList{"INSERT INTO Company (Name, Address1, Address2, city, st, zip, email, "
                       "phone, "
                       "fax, letterbody, sendername) VALUES ('','','','','','','','','','" +
                       letterBody + "' ,'Enter name of sender')"}
        << QStringList{"SELECT * FROM Company"}
        << QStringList{"|||||||||" + letterBody + "|Enter name of sender"};
    QTest::newRow("seed/health factors")
        << QStringList{"DELETE FROM HealthFactors"}
        << QStringList{"INSERT INTO HealthFactors (CondID, CondDesc) VALUES (1, 'Smoking')",
                       "INSERT INTO HealthFactors (CondID, CondDesc) VALUES (2, 'Family History')",
                       "INSERT INTO HealthFactors (CondID, CondDesc) VALUES (3, 'Overweight')",
                       "INSERT INTO HealthFactors (CondID, CondDesc) VALUES (4, 'Sedintery "
                       "lifestyle')"}
        << QStringList{"SELECT CondID, CondDesc FROM HealthFactors ORDER BY CondID"}
        << QStringList{"1|Smoking\n2|Family History\n3|Overweight\n4|Sedintery lifestyle"};

    QTest::newRow("delete/patient cascade")
        << QStringList{} << QStringList{"DELETE FROM Communications where ptID = 1",
                                        "DELETE FROM LabVisits where ptID = 1",
                                        "DELETE FROM PatientFactors where ptID = 1",
                                        "DELETE FROM PatientsDoctors where ptID = 1",
                                        "DELETE FROM PrintLog where ptID = 1",
                                        "DELETE FROM Schedule where ptID = 1",
                                        "DELETE FROM Patients where ptID = 1"}
        << QStringList{"SELECT ptid FROM Patients ORDER BY ptid",
                       "SELECT DISTINCT ptid FROM LabVisits",
                       "SELECT ptid FROM Communications",
                       "SELECT COUNT(*) FROM PatientFactors",
                       "SELECT ptid, drugid FROM Schedule",
                       "SELECT ptid FROM PatientsDoctors"}
        << QStringList{"2\n3\n4\n5", "2", "5", "0", "2|1", "2"};
    QTest::newRow("delete/doctor cascade")
        << QStringList{}
        << QStringList{"DELETE FROM PatientsDoctors where DoctorID = 1",
                       "DELETE FROM Doctors where DoctorID = 1"}
        << QStringList{"SELECT DoctorID FROM Doctors ORDER BY DoctorID",
                       "SELECT ptid, doctorid FROM PatientsDoctors"}
        << QStringList{"2\n3", "2|2"};
    QTest::newRow("delete/drug cascade") << QStringList{}
                                         << QStringList{"DELETE FROM Schedule where DrugID = 1",
                                                        "DELETE FROM Drugs where DrugID = 1"}
                                         << QStringList{"SELECT DrugID FROM Drugs ORDER BY DrugID",
                                                        "SELECT ptid, drugid FROM Schedule"}
                                         << QStringList{"2\n3", "1|2"};
    QTest::newRow("delete/health factor cascade")
        << QStringList{}
        << QStringList{"DELETE FROM PatientFactors where CondID = 3",
                       "DELETE FROM HealthFactors where CondID = 3"}
        << QStringList{"SELECT CondID FROM HealthFactors ORDER BY CondID",
                       "SELECT ptid, condid FROM PatientFactors"}
        << QStringList{"1\n2\n4", "1|1"};

    QTest::newRow("insert/patient")
        << QStringList{}
        << QStringList{"INSERT INTO Patients (ptid, lname, fname, birthdate, sex, address1, "
                       "address2, "
                       "city, st, zip, phone, cellphone, email, calldate, goal_chol, goal_ldl, "
                       "systolic, "
                       "diastolic, mi) VALUES (6, 'D''Angelo', 'Rosa', #7/4/1948#, 'Female', '12 "
                       "Elm St.', "
                       "'', 'Springfield', 'IL', '62701', '(217) 555-0101', '', "
                       "'rosa@example.com', "
                       "#06/20/2024#, 200, 100, 0, 0, 'M')"}
        << QStringList{"SELECT ptid, lname, fname, birthdate, sex, address2, city, phone, "
                       "calldate, "
                       "goal_chol, goal_ldl, systolic, mi, comment FROM Patients WHERE ptid = 6"}
        << QStringList{"6|D'Angelo|Rosa|07/04/1948|F||Springfield|(217) "
                       "555-0101|06/20/2024|200|100|0|M|<null>"};
    QTest::newRow("insert/patient, two-digit year, no call date")
        << QStringList{}
        << QStringList{"INSERT INTO Patients (ptid, lname, fname, birthdate, sex, address1, "
                       "address2, "
                       "city, st, zip, phone, cellphone, email, calldate, goal_chol, goal_ldl, "
                       "systolic, "
                       "diastolic, mi) VALUES (6, 'Kim', 'Joon', #07/04/48#, 'Male', '', '', '', "
                       "'', "
                       "'', '', '', '', #1/1/1900#, 0, 0, 0, 0, '')"}
        << QStringList{"SELECT birthdate, sex, calldate, mi FROM Patients WHERE ptid = 6",
                       kDueCallList}
        << QStringList{"07/04/1948|M|01/01/1900|",
                       "5|Lee|Dana|05/20/2024|555-0105\n1|Smith|Ann|06/15/2024|555-0101"};
    QTest::newRow("update/patient")
        << QStringList{}
        << QStringList{"UPDATE Patients SET lname = 'Smith-Jones', fname = 'Ann', birthdate = "
                       "#1/2/1960# , "
                       "sex = 'Female', address1 = '1 Main St', address2 = 'Apt 2', city = "
                       "'Springfield', "
                       "st = 'IL', zip = '62701', phone = '555-0100',cellphone = '555-0199', "
                       "email= "
                       "'ann@example.com', calldate = #1/1/1900#, goal_chol = 190, goal_ldl = 99, "
                       "systolic = 120, diastolic = 80, mi = 'Q' WHERE ptid = 1"}
        << QStringList{kPatientRows, "SELECT address2, cellphone, email, goal_chol, mi FROM "
                                     "Patients WHERE ptid = 1"}
        << QStringList{"1|Smith-Jones|Ann|F|01/01/1900\n2|Müller|Jörg|M|01/01/"
                       "1900\n3|O'Hara|Bea|F|05/01/2024\n"
                       "4|Smithers|Carl|M|06/16/2024\n5|Lee|Dana|F|05/20/2024",
                       "Apt 2|555-0199|ann@example.com|190|Q"};

    QTest::newRow("insert/lab visit")
        << QStringList{}
        << QStringList{"INSERT INTO LabVisits (id, ptid, labdate, overallcl, hdl, ldl, lp_a, "
                       "triglycerides, "
                       "hmcyst, crp, sgot_ast, sgpt_alt, cpk, tsh, the_intervention, adddate) "
                       "VALUES (16, "
                       "1, #06/10/2024#, 210, 45, 130, 0, 150, 0, 0, 0, 0, 0, 0, 'Started statin; "
                       "patient''s diet reviewed', #06/15/2024#)"}
        << QStringList{"SELECT id, ptid, labdate, overallcl, hdl, ldl, tsh, gluc, "
                       "the_intervention, adddate "
                       "FROM LabVisits WHERE id = 16",
                       "SELECT Top 1 OverallCL FROM LabVisits WHERE ptid = 1 ORDER BY labdate desc"}
        << QStringList{"16|1|06/10/2024|210|45|130|0|<null>|Started statin; patient's diet "
                       "reviewed|06/15/2024",
                       "210"};
    QTest::newRow("update/lab visit")
        << QStringList{}
        << QStringList{"UPDATE LabVisits SET labdate = #06/11/2024#, overallcl = 205, hdl = 50, "
                       "ldl = 120, "
                       "lp_a = 0, triglycerides = 140, hmcyst = 0, crp = 0, sgot_ast = 0, sgpt_alt "
                       "= 0, "
                       "cpk = 0, tsh = 0, the_intervention = 'Dose raised', AddDate = #06/15/2024# "
                       "WHERE id = 14"}
        << QStringList{"SELECT id, ptid, labdate, overallcl, hdl, ldl, triglycerides, "
                       "the_intervention, "
                       "adddate FROM LabVisits WHERE id = 14",
                       "SELECT COUNT(*) FROM LabVisits WHERE overallcl = 205"}
        << QStringList{"14|1|06/11/2024|205|50|120|140|Dose raised|06/15/2024", "1"};
    QTest::newRow("delete/lab visit")
        << QStringList{}
        << QStringList{"DELETE FROM Labvisits WHERE id = 14 and ptid = 1",
                       "DELETE FROM Labvisits WHERE id = 15 and ptid = 1"}
        << QStringList{"SELECT COUNT(*) FROM LabVisits WHERE ptid = 1",
                       "SELECT id FROM LabVisits WHERE id >= 14"}
        << QStringList{"13", "15"};

    QTest::newRow("insert/contact")
        << QStringList{}
        << QStringList{"INSERT INTO Communications (id, ptid, calldate, calltime, result, "
                       "complete) VALUES "
                       "(4, 1, #06/15/2024#, '10:15:00', 'Left message with spouse', True)",
                       "INSERT INTO Communications (id, ptid, calldate, calltime, result, "
                       "complete) VALUES "
                       "(5, 1, #06/15/2024#, '10:20:00', 'Line busy', False)"}
        << QStringList{"SELECT id, ptid, calldate, calltime, result, complete FROM Communications "
                       "WHERE id >= 4"}
        << QStringList{"4|1|06/15/2024|10:15:00|Left message with spouse|True\n"
                       "5|1|06/15/2024|10:20:00|Line busy|False"};
    QTest::newRow("update/contact")
        << QStringList{}
        << QStringList{"UPDATE Communications SET id =2, ptid =1, calldate = #06/14/2024#, "
                       "calltime = "
                       "'16:45:00', result = 'Reached; will call back', complete = False WHERE id "
                       "= 2"}
        << QStringList{"SELECT * FROM Communications ORDER BY id"}
        << QStringList{"1|1|06/01/2024|09:30:00|No answer|False\n"
                       "2|1|06/14/2024|16:45:00|Reached; will call back|False\n"
                       "3|5|05/21/2024|11:00:00|Left message|False"};
    QTest::newRow("delete/contact")
        << QStringList{}
        << QStringList{"DELETE FROM Communications WHERE id = 1 and ptid = 1",
                       "DELETE FROM Communications WHERE id = 3 and ptid = 1"}
        << QStringList{"SELECT id FROM Communications ORDER BY id"} << QStringList{"2\n3"};

    QTest::newRow("insert/doctor") << QStringList{}
                                   << QStringList{"INSERT INTO Doctors (doctorid, lname, fname, "
                                                  "classification) VALUES (4, 'O''Hara', "
                                                  "'Ann', 'Cardiology')"}
                                   << QStringList{"SELECT * FROM Doctors WHERE doctorid = 4"}
                                   << QStringList{"4|O'Hara|Ann|Cardiology"};
    QTest::newRow("update/doctor, long classification")
        << QStringList{}
        << QStringList{"UPDATE Doctors SET lname = 'Jones', fname = 'Amy',  classification = "
                       "'Interventional Cardiology' WHERE Doctorid = 1"}
        << QStringList{"SELECT * FROM Doctors ORDER BY doctorid"}
        << QStringList{"1|Jones|Amy|Interventional Cardi\n2|O'Hara|Ann|General "
                       "Practice\n3|Smith|Bob|<null>"};
    QTest::newRow("insert/drug")
        << QStringList{} << QStringList{"INSERT INTO Drugs (DrugID, DrugDesc) VALUES (4, 'Zetia®')"}
        << QStringList{"SELECT * FROM Drugs WHERE DrugID = 4"} << QStringList{"4|Zetia®"};
    QTest::newRow("update/drug")
        << QStringList{}
        << QStringList{"UPDATE Drugs SET DrugDesc = 'Lipitor 20mg®' WHERE Drugid = 1"}
        << QStringList{"SELECT * FROM Drugs ORDER BY DrugID"}
        << QStringList{"1|Lipitor 20mg®\n2|Zocor®\n3|Crestor®"};
    QTest::newRow("insert/health factor")
        << QStringList{}
        << QStringList{"INSERT INTO HealthFactors (CondID, conddesc) VALUES (5, 'Diabetes')"}
        << QStringList{"SELECT * FROM HealthFactors WHERE CondID = 5"} << QStringList{"5|Diabetes"};
    QTest::newRow("update/health factor")
        << QStringList{}
        << QStringList{"UPDATE HealthFactors SET CondDesc = 'Sedentary lifestyle' WHERE condid = 4"}
        << QStringList{"SELECT CondDesc FROM HealthFactors ORDER BY CondID"}
        << QStringList{"Smoking\nFamily History\nOverweight\nSedentary lifestyle"};

    QTest::newRow("insert/drug link") << QStringList{}
                                      << QStringList{"INSERT INTO Schedule (drugid, ptid, comment) "
                                                     "VALUES (3, 1, '10 mg at night')"}
                                      << QStringList{"SELECT * FROM Schedule WHERE drugid = 3"}
                                      << QStringList{"<null>|1|3|10 mg at night"};
    QTest::newRow("update/drug link")
        << QStringList{}
        << QStringList{"UPDATE Schedule SET comment = 'twice daily' where ptID = 1 and DrugID = 2"}
        << QStringList{"SELECT ptid, drugid, comment FROM Schedule ORDER BY ptid, drugid"}
        << QStringList{"1|1|20 mg daily\n1|2|twice daily\n2|1|"};
    QTest::newRow("delete/drug link")
        << QStringList{} << QStringList{"DELETE FROM Schedule WHERE drugid = 1 and ptid = 1"}
        << QStringList{"SELECT ptid, drugid FROM Schedule ORDER BY ptid, drugid"}
        << QStringList{"1|2\n2|1"};
    QTest::newRow("insert/health factor link")
        << QStringList{}
        << QStringList{"INSERT INTO PatientFactors (condid, ptid, comment) VALUES (2, 2, 'Father, "
                       "MI at 50')"}
        << QStringList{"SELECT * FROM PatientFactors WHERE ptid = 2"}
        << QStringList{"<null>|2|2|Father, MI at 50"};
    QTest::newRow("update/health factor link")
        << QStringList{}
        << QStringList{"UPDATE PatientFactors SET comment = 'quit 2019' where ptID = 1 and condid "
                       "= 1"}
        << QStringList{"SELECT condid, comment FROM PatientFactors ORDER BY condid"}
        << QStringList{"1|quit 2019\n3|BMI 31"};
    QTest::newRow("delete/health factor link")
        << QStringList{} << QStringList{"DELETE FROM PatientFactors WHERE condid = 1 and ptid = 1"}
        << QStringList{"SELECT condid FROM PatientFactors"} << QStringList{"3"};
    QTest::newRow("insert/doctor by name")
        << QStringList{}
        << QStringList{"INSERT INTO Doctors (doctorid, lname, fname) VALUES (4, 'Nguyen', 'Lan')"}
        << QStringList{"SELECT * FROM Doctors WHERE doctorid = 4",
                       "SELECT doctorid from Doctors where UCASE(lname) = 'NGUYEN' and "
                       "UCase(fname) = 'LAN'"}
        << QStringList{"4|Nguyen|Lan|<null>", "4"};
    QTest::newRow("insert/doctor link")
        << QStringList{}
        << QStringList{"INSERT INTO PatientsDoctors (doctorid, ptid, comment) VALUES (3, 5, "
                       "'referred')"}
        << QStringList{"SELECT * FROM PatientsDoctors WHERE ptid = 5",
                       "SELECT fname, lname from doctors inner join patientsdoctors on "
                       "doctors.doctorid=patientsdoctors.doctorid where patientsdoctors.ptid = 5"}
        << QStringList{"<null>|5|3|referred", "Bob|Smith"};
    QTest::newRow("update/doctor link")
        << QStringList{}
        << QStringList{"UPDATE PatientsDoctors SET doctorid = 2, comment = 'changed GP' where ptID "
                       "= 1"}
        << QStringList{"SELECT ptid, doctorid, comment FROM PatientsDoctors ORDER BY ptid"}
        << QStringList{"1|2|changed GP\n2|2|"};
    QTest::newRow("delete/doctor link")
        << QStringList{}
        << QStringList{"DELETE FROM PatientsDoctors where ptID = 1 and doctorid = 1"}
        << QStringList{"SELECT ptid FROM PatientsDoctors"} << QStringList{"2"};

    QTest::newRow("insert/print log")
        << QStringList{}
        << QStringList{"INSERT INTO printlog (ptid, calldate, printdate) VALUES (5, #05/20/2024#, "
                       "#06/15/2024#)",
                       "INSERT INTO printlog (ptid, calldate, printdate) VALUES (1, #06/15/2024#, "
                       "#06/15/2024#)"}
        << QStringList{kDueCallList,
                       "SELECT * FROM PrintLog WHERE printdate = #06/15/2024# ORDER BY ptid"}
        << QStringList{"", "<null>|1|06/15/2024|06/15/2024\n<null>|5|06/15/2024|05/20/2024"};
    QTest::newRow("update/company")
        << QStringList{}
        << QStringList{"UPDATE Company SET Name='Lakeside Heart Clinic', address1='200 Lake Rd', "
                       "Address2='Suite 4', city='Springfield', st='IL', zip='62704', "
                       "email='office@lakeside.example', phone='217-555-0188', fax='217-555-0189'"}
        << QStringList{"SELECT Name, address1, Address2, city, st, zip, email, phone, fax, "
                       "sendername FROM Company"}
        << QStringList{"Lakeside Heart Clinic|200 Lake Rd|Suite 4|Springfield|IL|62704|"
                       "office@lakeside.example|217-555-0188|217-555-0189|Enter name of sender"};
    QTest::newRow("update/letter template")
        << QStringList{}
        << QStringList{"UPDATE Company SET letterbody='Dear patient,\r\nit''s time for your blood "
                       "work.', "
                       "sendername='Dr. Amy Jones'"}
        << QStringList{"SELECT letterbody, sendername from Company"}
        << QStringList{"Dear patient,\r\nit's time for your blood work.|Dr. Amy Jones"};

    QTest::newRow("insert/import example")
        << QStringList{}
        << QStringList{"INSERT INTO Patients (lname, birthdate, ptid) Values ('Smith', #1/2/1960#, "
                       "6)"}
        << QStringList{"SELECT * FROM Patients WHERE ptid = 6"}
        << QStringList{
               "<null>|<null>|01/02/1960|<null>|<null>|<null>|<null>|<null>|<null>|<null>|<null>|"
               "<null>|6|Smith|<null>|<null>|<null>|<null>|<null>|<null>"};
    QTest::newRow("insert/import many fields")
        << QStringList{}
        << QStringList{"INSERT INTO Patients (fname, lname, Address1, city, st, zip, phone, "
                       "birthdate, "
                       "CallDate, goal_chol, sex, Comment, ptid) Values ('Carla', 'Reyes', '9 Oak "
                       "Ave', "
                       "'Peoria', 'IL', '61602', '309-555-0110', #11/30/1972#, #6/1/2024#, 180, "
                       "'F', "
                       "'imported from old system', 6)"}
        << QStringList{"SELECT ptid, fname, lname, city, birthdate, calldate, goal_chol, sex, "
                       "comment FROM "
                       "Patients WHERE ptid = 6",
                       kDueCallList}
        << QStringList{"6|Carla|Reyes|Peoria|11/30/1972|06/01/2024|180|F|imported from old system",
                       "5|Lee|Dana|05/20/2024|555-0105\n6|Reyes|Carla|06/01/2024|309-555-0110\n"
                       "1|Smith|Ann|06/15/2024|555-0101"};
}

void TestStatementCatalog::actions()
{
    QFETCH(QStringList, prepare);
    QFETCH(QStringList, statements);
    QFETCH(QStringList, checks);
    QFETCH(QStringList, expected);
    ScratchDatabase scratch;
    seed(scratch);
    scratch.ExecuteAll(prepare);
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

void TestStatementCatalog::refusedImports_data()
{
    QTest::addColumn<QString>("sql");

    QTest::newRow("import/impossible date")
        << "INSERT INTO Patients (lname, birthdate, ptid) Values ('Smith', #13/45/1960#, 6)";
    QTest::newRow("import/date of words")
        << "INSERT INTO Patients (lname, birthdate, ptid) Values ('Smith', #unknown#, 6)";
    QTest::newRow("import/empty number")
        << "INSERT INTO Patients (lname, goal_chol, ptid) Values ('Smith', , 6)";
    QTest::newRow("import/empty date")
        << "INSERT INTO Patients (lname, birthdate, ptid) Values ('Smith', ##, 6)";
    QTest::newRow("import/text for a number")
        << "INSERT INTO Patients (lname, goal_chol, ptid) Values ('Smith', high, 6)";
    QTest::newRow("import/number out of range")
        << "INSERT INTO Patients (lname, systolic, ptid) Values ('Smith', 120000, 6)";
    QTest::newRow("import/quote inside text")
        << "INSERT INTO Patients (lname, fname, ptid) Values ('O'Brien', 'Pat', 6)";
    QTest::newRow("import/no mapped value")
        << "INSERT INTO Patients (lname, birthdate, ptid) Values ('Smith', 6)";
}

// The import runs without options; a refused line must still raise and store nothing.
void TestStatementCatalog::refusedImports()
{
    QFETCH(QString, sql);
    const QString before = m_seeded->Dump(QStringLiteral("SELECT * FROM Patients ORDER BY ptid"));
    QVERIFY_THROWS_EXCEPTION(DbError, m_seeded->db().Execute(sql));
    QCOMPARE(m_seeded->Dump(QStringLiteral("SELECT * FROM Patients ORDER BY ptid")), before);
}

QTEST_GUILESS_MAIN(TestStatementCatalog)
#include "tst_StatementCatalog.moc"
