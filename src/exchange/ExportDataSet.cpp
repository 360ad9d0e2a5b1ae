#include "ExportDataSet.h"

// The patients leave out their comment; lab visits and contacts carry every field.
const QList<ExportDataSet>& ExportDataSet::All()
{
    static const QList<ExportDataSet> sets = {
        {QStringLiteral("Patients"),
         QStringLiteral("SELECT ptid, fname, MI,lname, Address1, Address2, city, st, zip, phone, "
                        "cellphone, email, birthdate, CallDate, goal_chol, goal_ldl, systolic, "
                        "diastolic, sex from Patients")},
        {QStringLiteral("Doctors"),
         QStringLiteral("SELECT DoctorID, FName, LName, Classification from Doctors")},
        {QStringLiteral("Health Factors"), QStringLiteral("SELECT CondID, CondDesc from HealthFactors")},
        {QStringLiteral("Drugs"), QStringLiteral("SELECT DrugID, DrugDesc FROM Drugs")},
        {QStringLiteral("Lab Visits"), QStringLiteral("SELECT * FROM LabVisits")},
        {QStringLiteral("Patient Communications"), QStringLiteral("SELECT * FROM Communications")},
    };
    return sets;
}
