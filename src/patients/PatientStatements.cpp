#include "PatientStatements.h"

#include "TextRoutines.h"
#include "clsPatient.h"

namespace {

QString quoted(const QString& text)
{
    return SqlQuote(TrimText(text));
}

QString number(qint32 value)
{
    return QString::number(value);
}

} // namespace

QString InsertPatientSql(const clsPatient& p, qint32 id)
{
    return QStringLiteral("INSERT INTO Patients (ptid, lname, fname, birthdate, sex, address1, "
                          "address2, city, st, zip, phone, cellphone, email, calldate, goal_chol, "
                          "goal_ldl, systolic, diastolic, mi) ") +
           QStringLiteral("VALUES (") + number(id) + QStringLiteral(", '") +
           quoted(p.LastName()) + QStringLiteral("', '") + quoted(p.FirstName()) +
           QStringLiteral("', #") + TrimText(p.BirthDate()) + QStringLiteral("#, '") +
           quoted(p.Sex()) + QStringLiteral("', '") + quoted(p.Address1()) +
           QStringLiteral("', '") + quoted(p.Address2()) + QStringLiteral("', '") +
           quoted(p.City()) + QStringLiteral("', '") + quoted(p.ST()) + QStringLiteral("', '") +
           quoted(p.Zip()) + QStringLiteral("', '") + quoted(p.Phone()) + QStringLiteral("', '") +
           quoted(p.CellPhone()) + QStringLiteral("', '") + quoted(p.EMail()) +
           QStringLiteral("', #") + p.CallDate() + QStringLiteral("#, ") + number(p.GoalChol()) +
           QStringLiteral(", ") + number(p.GoalLDL()) + QStringLiteral(", ") +
           number(p.Systolic()) + QStringLiteral(", ") + number(p.Diastolic()) +
           QStringLiteral(", '") + quoted(p.MI()) + QStringLiteral("')");
}

QString UpdatePatientSql(const clsPatient& p)
{
    return QStringLiteral("UPDATE Patients SET lname = '") + quoted(p.LastName()) +
           QStringLiteral("', fname = '") + quoted(p.FirstName()) +
           QStringLiteral("', birthdate = #") + TrimText(p.BirthDate()) +
           QStringLiteral("# , sex = '") + quoted(p.Sex()) + QStringLiteral("', ") +
           QStringLiteral("address1 = '") + quoted(p.Address1()) +
           QStringLiteral("', address2 = '") + quoted(p.Address2()) +
           QStringLiteral("', city = '") + quoted(p.City()) + QStringLiteral("', st = '") +
           quoted(p.ST()) + QStringLiteral("', zip = '") + quoted(p.Zip()) +
           QStringLiteral("', phone = '") + quoted(p.Phone()) + QStringLiteral("',") +
           QStringLiteral("cellphone = '") + quoted(p.CellPhone()) +
           QStringLiteral("', email= '") + quoted(p.EMail()) +
           QStringLiteral("', calldate = #") + p.CallDate() +
           QStringLiteral("#, goal_chol = ") + number(p.GoalChol()) +
           QStringLiteral(", goal_ldl = ") + number(p.GoalLDL()) +
           QStringLiteral(", systolic = ") + number(p.Systolic()) +
           QStringLiteral(", diastolic = ") + number(p.Diastolic()) + QStringLiteral(", mi = '") +
           quoted(p.MI()) + QStringLiteral("' ") + QStringLiteral("WHERE ptid = ") + number(p.ID());
}
