#include "CascadeDeletes.h"

#include "AppDatabase.h"
#include "DbError.h"
#include "QueryDef.h"
#include "WriteTransaction.h"

#include <initializer_list>

namespace {

void runAll(Database& db, std::initializer_list<const char*> statements, const QString& id)
{
    // The identifier is appended to the statements: it must be a number and nothing else,
    // and it is appended as the number read, never as the text given.
    bool number = false;
    const qint64 value = id.trimmed().toLongLong(&number);
    if (!number)
        throw DbError(QStringLiteral("'%1' is not a record identifier.").arg(id));
    WriteTransaction::Run(db, [&] {
        QueryDef query = db.CreateQueryDef();
        for (const char* statement : statements) {
            query.SetSQL(QString::fromLatin1(statement) + QString::number(value));
            query.Execute(dbFailOnError);
        }
        query.Close();
    });
}

} // namespace

void DeletePatient(Database& db, const QString& id)
{
    runAll(db,
           {"DELETE FROM Communications where ptID = ", "DELETE FROM LabVisits where ptID = ",
            "DELETE FROM PatientFactors where ptID = ", "DELETE FROM PatientsDoctors where ptID = ",
            "DELETE FROM PrintLog where ptID = ", "DELETE FROM Schedule where ptID = ",
            "DELETE FROM Patients where ptID = "},
           id);
}

void DeleteDoctor(Database& db, const QString& id)
{
    runAll(db,
           {"DELETE FROM PatientsDoctors where DoctorID = ", "DELETE FROM Doctors where DoctorID = "},
           id);
}

void DeleteDrug(Database& db, const QString& id)
{
    runAll(db, {"DELETE FROM Schedule where DrugID = ", "DELETE FROM Drugs where DrugID = "}, id);
}

void DeleteHealthFactor(Database& db, const QString& id)
{
    runAll(db,
           {"DELETE FROM PatientFactors where CondID = ", "DELETE FROM HealthFactors where CondID = "},
           id);
}

void DeletePatient(const QString& id)
{
    DeletePatient(AppDatabase(), id);
}

void DeleteDoctor(const QString& id)
{
    DeleteDoctor(AppDatabase(), id);
}

void DeleteDrug(const QString& id)
{
    DeleteDrug(AppDatabase(), id);
}

void DeleteHealthFactor(const QString& id)
{
    DeleteHealthFactor(AppDatabase(), id);
}
