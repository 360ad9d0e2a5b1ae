#include "Schema.h"

#include "DaoType.h"
#include "Database.h"

namespace {

struct NewFieldArgs {
    const char* name;
    int type;
    int size;
};

void appendTable(Database& db, const char* name, std::initializer_list<NewFieldArgs> fields)
{
    TableDef table{QString::fromLatin1(name), {}};
    for (const NewFieldArgs& f : fields)
        table.fields.append(NewField(QString::fromLatin1(f.name), f.type, f.size));
    db.AppendTable(table);
}

const QString kDefaultLetterBody = QStringLiteral(
    "Enter the body of letter here..  Something like :  This"
    " letter is to serve as a reminder for your next set of blood "
    "work tests.  Please call within the next three business days to "
    "schedule an appointment.");

} // namespace

FieldDef NewField(const QString& name, int type, int size)
{
    FieldDef field;
    field.name = name;
    field.size = size;
    field.type = type;
    field.allowZeroLength = type == dbText || type == dbMemo;
    field.required = false;
    return field;
}

void CreateSchema(Database& db)
{
    appendTable(db, "Company",
                {{"Name", dbText, 40}, {"address1", dbText, 40}, {"address2", dbText, 40},
                 {"city", dbText, 20}, {"st", dbText, 2}, {"zip", dbText, 10},
                 {"email", dbText, 40}, {"phone", dbText, 16}, {"fax", dbText, 16},
                 {"letterbody", dbMemo, 0}, {"sendername", dbText, 40}});
    db.Execute(QStringLiteral("INSERT INTO Company (Name, Address1, Address2, city, st, zip, "
                              "email, phone, fax, letterbody, sendername)") +
                   QStringLiteral(" VALUES ('','','','','','','','','','") + kDefaultLetterBody +
                   QStringLiteral("' ,'") + QStringLiteral("Enter name of sender") +
                   QStringLiteral("')"),
               dbFailOnError);
    appendTable(db, "Patients",
                {{"Address1", dbText, 40}, {"Address2", dbText, 40}, {"birthdate", dbDate, 8},
                 {"CallDate", dbDate, 8}, {"cellphone", dbText, 16}, {"city", dbText, 20},
                 {"email", dbText, 40}, {"fname", dbText, 20}, {"goal_chol", dbInteger, 2},
                 {"goal_ldl", dbInteger, 2}, {"systolic", dbInteger, 2},
                 {"diastolic", dbInteger, 2}, {"ptid", dbLong, 4}, {"lname", dbText, 20},
                 {"MI", dbText, 1}, {"phone", dbText, 16}, {"sex", dbText, 1}, {"st", dbText, 2},
                 {"zip", dbText, 10}, {"Comment", dbMemo, 0}});
    appendTable(db, "Doctors",
                {{"DoctorID", dbLong, 4}, {"LName", dbText, 20}, {"FName", dbText, 20},
                 {"Classification", dbText, 20}});
    appendTable(db, "Drugs", {{"DrugID", dbLong, 4}, {"DrugDesc", dbText, 20}});
    appendTable(db, "HealthFactors", {{"CondID", dbLong, 4}, {"CondDesc", dbText, 50}});
    for (const char* sql : {"INSERT INTO HealthFactors (CondID, CondDesc) VALUES (1, 'Smoking')",
                            "INSERT INTO HealthFactors (CondID, CondDesc) VALUES (2, 'Family History')",
                            "INSERT INTO HealthFactors (CondID, CondDesc) VALUES (3, 'Overweight')",
                            "INSERT INTO HealthFactors (CondID, CondDesc) VALUES (4, 'Sedintery lifestyle')"})
        db.Execute(QString::fromLatin1(sql), dbFailOnError);
    appendTable(db, "LabVisits",
                {{"ID", dbLong, 4}, {"PtID", dbLong, 4}, {"LabDate", dbDate, 8},
                 {"OverallCL", dbLong, 4}, {"HDL", dbLong, 4}, {"LDL", dbLong, 4},
                 {"Lp_a", dbLong, 4}, {"Triglycerides", dbLong, 4}, {"HMCYST", dbLong, 4},
                 {"CRP", dbLong, 4}, {"SGOT_AST", dbLong, 4}, {"SGPT_ALT", dbLong, 4},
                 {"CPK", dbLong, 4}, {"TSH", dbLong, 4}, {"GLUC", dbLong, 4},
                 {"The_Intervention", dbMemo, 0}, {"AddDate", dbDate, 8}});
    appendTable(db, "PrintLog",
                {{"ID", dbLong, 4}, {"PtId", dbLong, 4}, {"PrintDate", dbDate, 8},
                 {"CallDate", dbDate, 8}});
    appendTable(db, "PatientFactors",
                {{"ID", dbLong, 4}, {"PtId", dbLong, 4}, {"CondID", dbLong, 4},
                 {"Comment", dbMemo, 0}});
    appendTable(db, "Schedule",
                {{"ID", dbLong, 4}, {"PtId", dbLong, 4}, {"DrugID", dbLong, 4},
                 {"Comment", dbMemo, 0}});
    appendTable(db, "Communications",
                {{"ID", dbLong, 4}, {"PtId", dbLong, 4}, {"CallDate", dbDate, 8},
                 {"CallTime", dbText, 8}, {"Result", dbText, 60}, {"Complete", dbBoolean, 1}});
    appendTable(db, "PatientsDoctors",
                {{"ID", dbLong, 4}, {"PtId", dbLong, 4}, {"DoctorID", dbLong, 4},
                 {"Comment", dbMemo, 0}});
    EnsureIndexes(db);
}

void EnsureIndexes(Database& db)
{
    static const char* const indexes[][2] = {
        {"Patients", "ptid"},          {"Patients", "lname"},
        {"Patients", "CallDate"},      {"Doctors", "DoctorID"},
        {"Drugs", "DrugID"},           {"HealthFactors", "CondID"},
        {"LabVisits", "ID"},           {"LabVisits", "PtID"},
        {"LabVisits", "LabDate"},      {"PrintLog", "PtId"},
        {"PatientFactors", "PtId"},    {"PatientFactors", "CondID"},
        {"Schedule", "PtId"},          {"Schedule", "DrugID"},
        {"Communications", "ID"},      {"Communications", "PtId"},
        {"Communications", "CallDate"}, {"PatientsDoctors", "PtId"},
        {"PatientsDoctors", "DoctorID"},
    };
    for (const auto& [table, field] : indexes)
        db.CreateIndex(QString::fromLatin1(table), QString::fromLatin1(field));
}

const QStringList& SchemaTableNames()
{
    static const QStringList names = {
        QStringLiteral("Company"),        QStringLiteral("Patients"),
        QStringLiteral("Doctors"),        QStringLiteral("Drugs"),
        QStringLiteral("HealthFactors"),  QStringLiteral("LabVisits"),
        QStringLiteral("PrintLog"),       QStringLiteral("PatientFactors"),
        QStringLiteral("Schedule"),       QStringLiteral("Communications"),
        QStringLiteral("PatientsDoctors")};
    return names;
}
