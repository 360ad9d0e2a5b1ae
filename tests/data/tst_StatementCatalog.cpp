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

// Five patients: 1 due today, 5 due since May (printed only for an older call date),
// 2 without a call date, 3 printed for its call date, 4 due tomorrow. Patient 1's visits are
// stored out of date order; patient 2 has the newest one.
void seed(ScratchDatabase& scratch)
{
    QStringList statements = {
        "INSERT INTO Drugs (DrugID, DrugDesc) VALUES (1, 'Lipitor®')",
        "INSERT INTO Drugs (DrugID, DrugDesc) VALUES (2, 'Zocor®')",
        "INSERT INTO Schedule (drugid, ptid, comment) VALUES (2, 1, 'weekly')",
        "INSERT INTO printlog (ptid, calldate, printdate) VALUES (3, #05/01/2024#, #05/01/2024#)",
        "INSERT INTO printlog (ptid, calldate, printdate) VALUES (5, #11/20/2023#, #11/20/2023#)",
        "INSERT INTO Communications (id, ptid, calldate, calltime, result, complete) VALUES (1, 1, "
        "#06/01/2024#, '09:30:00', 'No answer', False)",
        "INSERT INTO Communications (id, ptid, calldate, calltime, result, complete) VALUES (2, 1, "
        "#06/01/2024#, '14:05:00', 'Reached patient', True)",
        "INSERT INTO Communications (id, ptid, calldate, calltime, result, complete) VALUES (3, 5, "
        "#05/21/2024#, '11:00:00', 'Left message', False)",
    };
    const QString patient = QStringLiteral("INSERT INTO Patients (ptid, lname, fname, calldate, "
                                           "phone) VALUES (%1, '%2', '%3', #%4#, '555-010%1')");
    for (const QString& p : {"1 Smith Ann 06/15/2024", "2 Müller Jörg 1/1/1900",
                             "3 O''Hara Bea 05/01/2024", "4 Smithers Carl 06/16/2024",
                             "5 Lee Dana 05/20/2024"}) {
        const QStringList v = p.split(u' ');
        statements << patient.arg(v[0], v[1], v[2], v[3]);
    }
    const QString visit = QStringLiteral(
        "INSERT INTO LabVisits (id, ptid, labdate, overallcl, hdl, ldl, the_intervention, "
        "adddate) VALUES (%1, %2, #%3#, 18%1, 4%1, 10%1, '', #%3#)");
    const QStringList dates = {"03/01/2017", "12/31/2020", "01/01/2021", "03/01/2024",
                               "03/01/2020", "09/01/2019", "05/01/2024"};
    for (int id = 1; id <= dates.size(); ++id)
        statements << visit.arg(id).arg(id < 7 ? 1 : 2).arg(dates[id - 1]);
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
    ScratchDatabase m_seeded;
};

void TestStatementCatalog::initTestCase()
{
    seed(m_seeded);
}

void TestStatementCatalog::selects_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QString>("rows");

    QTest::newRow("lab visit view")
        << "SELECT top 50 labvisits.*,patients.LName,patients.FName from labvisits inner join "
           "patients on patients.ptid=labvisits.ptid order by labdate desc"
        << "7|2|05/01/2024|187|47|107|<null>|<null>|<null>|<null>|<null>|<null>|<null>|<null>|"
           "<null>||05/01/2024|Müller|Jörg";
    QTest::newRow("recent levels")
        << "SELECT Top 1 OverallCL, HDL, LDL, Triglycerides, LabDate FROM LabVisits WHERE ptid = 1 "
           "ORDER BY labdate desc"
        << "184|44|104|<null>|03/01/2024";
    QTest::newRow("drug link")
        << "SELECT Schedule.*,Drugs.DrugDesc from Schedule inner join Drugs on Schedule.DrugID = "
           "Drugs.DrugID where Schedule.DrugID = 2 And Schedule.ptID = 1"
        << "<null>|1|2|weekly|Zocor®";
    QTest::newRow("search, quote in value")
        << "SELECT ptid from patients  Where lname like '*o''h*' order by lname" << "3";
    QTest::newRow("report contacts, two keys")
        << "SELECT CallDate, CallTime, Result, Complete FROM Communications WHERE PtID = 1 "
           "ORDER BY CallDate DESC, CallTime DESC"
        << "06/01/2024|14:05:00|Reached patient|True\n06/01/2024|09:30:00|No answer|False";
    QTest::newRow("due patients") << kDueCallList
                                  << "5|Lee|Dana|05/20/2024|555-0105\n"
                                     "1|Smith|Ann|06/15/2024|555-0101";
    QTest::newRow("chart visits, year ends included")
        << "SELECT COUNT(*) from labVisits where LabDate between #1/1/2020# and #12/31/2020# "
           "and ptID = 1"
        << "2";
}

// The first row of a listing, or all of a short one.
void TestStatementCatalog::selects()
{
    QFETCH(QString, sql);
    QFETCH(QString, rows);
    QCOMPARE(m_seeded.Dump(sql).section(u'\n', 0, rows.count(u'\n')), rows);
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
        << QStringList{"DELETE FROM Labvisits WHERE id = 4 and ptid = 1",
                       "DELETE FROM Labvisits WHERE id = 7 and ptid = 1"}
        << QStringList{"SELECT COUNT(*) FROM LabVisits WHERE ptid = 1",
                       "SELECT id FROM LabVisits WHERE id >= 4 ORDER BY id"}
        << QStringList{"5", "5\n6\n7"};
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
