#include "QueryPlans.h"

#include "GeneratedDatabase.h"
#include "RawStatement.h"

#include <Catalog.h>
#include <Database.h>
#include <DbError.h>
#include <JetTranslator.h>
#include <ViewDefinition.h>

#include <QStringList>
#include <cstdio>
#include <sqlite3.h>
#include <vector>

namespace
{

struct Statement {
    QString window;
    QString sql;
    // True where every row is wanted, so a scan is the right plan.
    bool readsAll = false;
};

std::vector<Statement> statements()
{
    const QString id = QString::number(GeneratedDatabase::BusyPatient);
    std::vector<Statement> list;
    for (const ViewDefinition& view : ViewDefinition::All())
        list.push_back({QStringLiteral("frmMain ") + view.kind, view.sql,
                        !view.sql.contains(QLatin1String("top 50"))});
    const std::pair<const char*, QString> others[] = {
        {"frmMain delete", "SELECT count(*) as docsfound FROM PatientsDoctors where DoctorID = 3"},
        {"frmMain delete", "SELECT count(*) as drugsfound FROM Schedule where DrugID = 3"},
        {"frmMain delete", "SELECT count(*) as hfsfound FROM PatientFactors where condID = 3"},
        {"frmPatient", "SELECT * from Patients where ptid = " + id},
        {"frmPatient", "SELECT Top 1 OverallCL, HDL, LDL, Triglycerides, LabDate FROM LabVisits "
                       "WHERE ptid = " + id + " ORDER BY labdate desc"},
        {"frmPatient", "UPDATE Patients SET city = 'Salem' WHERE ptid = " + id},
        {"frmPatient new id", "SELECT MAX(ptid) as maxid from Patients"},
        {"frmPatient delete", "DELETE FROM Communications where ptID = " + id},
        {"frmPatient delete", "DELETE FROM LabVisits where ptID = " + id},
        {"frmPatient delete", "DELETE FROM PatientFactors where ptID = " + id},
        {"frmPatient delete", "DELETE FROM PatientsDoctors where ptID = " + id},
        {"frmPatient delete", "DELETE FROM PrintLog where ptID = " + id},
        {"frmPatient delete", "DELETE FROM Schedule where ptID = " + id},
        {"frmPatient delete", "DELETE FROM Patients where ptID = " + id},
        {"frmPsBW", "SELECT LabVisits.* FROM LabVisits WHERE ptid = " + id +
                        " ORDER BY LabDate Desc"},
        {"frmPsBW", "DELETE FROM Labvisits WHERE id = 7 and ptid = " + id},
        {"frmLabWork", "SELECT * from LabVisits where id = 7"},
        {"frmLabWork", "UPDATE LabVisits SET HDL = 50 WHERE id = 7"},
        {"frmLabWork new id", "SELECT MAX(id) as maxid from LabVisits"},
        {"frmLabWork new id", "SELECT COUNT(*) AS taken FROM LabVisits WHERE id = 7"},
        {"frmPsComms", "SELECT * FROM Communications WHERE ptid = " + id},
        {"frmPsComms", "DELETE FROM Communications WHERE id = 7 and ptid = " + id},
        {"frmComm", "SELECT * from Communications where id = 7"},
        {"frmComm", "UPDATE Communications SET result = 'No answer.' WHERE id = 7"},
        {"frmComm new id", "SELECT MAX(id) as maxid from Communications"},
        {"frmDoctors", "SELECT * from Doctors where doctorid = 3"},
        {"frmDoctors", "UPDATE Doctors SET lname = 'Ng', fname = 'Al',  classification = 'GP' "
                       "WHERE Doctorid = 3"},
        {"frmDrugs", "SELECT * from Drugs where drugid = 3"},
        {"frmHF", "SELECT * from HealthFactors where condid = 3"},
        {"frmPsRxs", "SELECT Drugs.*,Schedule.comment FROM Drugs INNER JOIN Schedule ON "
                     "Schedule.DrugID = Drugs.DrugID WHERE ptid = " + id},
        {"frmPsRxs", "DELETE FROM Schedule WHERE drugid = 3 and ptid = " + id},
        {"frmAssRx", "SELECT Schedule.*,Drugs.DrugDesc from Schedule inner join Drugs on "
                     "Schedule.DrugID = Drugs.DrugID where Schedule.DrugID = 3 And "
                     "Schedule.ptID = " + id},
        {"frmAssRx", "SELECT count(*) from Schedule where ptID = " + id + " and DrugID = 3"},
        {"frmPsHFs", "SELECT HealthFactors.*,PatientFactors.comment FROM HealthFactors INNER JOIN "
                     "PatientFactors ON PatientFactors.CondID = HealthFactors.CondID WHERE "
                     "ptid = " + id},
        {"frmAssHF", "SELECT COUNT(*) FROM PatientFactors where ptID = " + id + " and condid = 3"},
        {"frmPatient", "SELECT DoctorID FROM PatientsDoctors WHERE ptid = " + id},
        {"frmAssDc2", "SELECT PatientsDoctors.*,Doctors.fname, Doctors.lname, "
                      "Doctors.classification   from PatientsDoctors inner join Doctors on "
                      "PatientsDoctors.DoctorID = Doctors.DoctorID where PatientsDoctors.DoctorID "
                      "= 3 And PatientsDoctors.ptID = " + id},
        {"frmAssDc2", "UPDATE PatientsDoctors SET doctorid = 3, comment = '' where ptID = " + id},
    };
    for (const auto& [window, sql] : others)
        list.push_back({QString::fromLatin1(window), sql});
    return list;
}

QStringList planOf(Database& db, const QString& sqliteText)
{
    const QByteArray explain = "EXPLAIN QUERY PLAN " + sqliteText.toUtf8();
    RawStatement plan(db.Handle(), explain.constData());
    QStringList details;
    while (plan.Step())
        details << QString::fromUtf8(
            reinterpret_cast<const char*>(sqlite3_column_text(plan.Handle(), 3)));
    return details;
}

// A step that visits every row of a table without an index to narrow it.
bool scansTable(const QStringList& plan)
{
    for (const QString& step : plan) {
        if (step.startsWith(QLatin1String("SCAN ")) && !step.contains(QLatin1String("INDEX")))
            return true;
    }
    return false;
}

} // namespace

namespace QueryPlans
{

int PrintReport(Database& db)
{
    Catalog catalog;
    catalog.Load(db.Handle());
    int misses = 0;
    std::printf("\nQuery plans of the windows' statements (SQLite's EXPLAIN QUERY PLAN):\n");
    for (const Statement& statement : statements()) {
        QStringList plan;
        try {
            plan = planOf(db, JetTranslator::Translate(statement.sql, catalog).sql);
        } catch (const DbError& e) {
            plan << QStringLiteral("cannot translate: ") + e.Message();
        } catch (const std::runtime_error& e) {
            plan << QStringLiteral("cannot explain: ") + QString::fromUtf8(e.what());
        }
        const bool scans = scansTable(plan);
        const bool miss = scans && !statement.readsAll;
        misses += miss ? 1 : 0;
        std::printf("  %-6s %-18s %s\n         -> %s\n",
                    miss ? "SCAN!" : scans ? "all" : "index", qPrintable(statement.window),
                    qPrintable(statement.sql), qPrintable(plan.join(QStringLiteral(" | "))));
    }
    std::printf("  %d statement(s) scan a whole table where an index would do.\n", misses);
    return misses;
}

} // namespace QueryPlans
