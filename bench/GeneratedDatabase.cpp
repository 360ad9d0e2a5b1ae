#include "GeneratedDatabase.h"

#include "RawStatement.h"
#include "RawVisitInsert.h"
#include "SampleRecords.h"

#include <Database.h>
#include <DbError.h>
#include <JetDate.h>
#include <Schema.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <sqlite3.h>

namespace
{

const char kInsertPatient[] =
    "INSERT INTO Patients (ptid, lname, fname, MI, sex, Address1, Address2, city, st, zip, phone, "
    "cellphone, email, Comment, birthdate, CallDate, goal_chol, goal_ldl, systolic, diastolic) "
    "VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)";

void bindPatient(RawStatement& insert, const PatientSample& p)
{
    int column = 1;
    insert.Bind(column++, p.ptid);
    for (const QString* text :
         {&p.lname, &p.fname, &p.mi, &p.sex, &p.address1, &p.address2, &p.city, &p.st, &p.zip,
          &p.phone, &p.cellphone, &p.email, &p.comment})
        insert.Bind(column++, *text);
    insert.Bind(column++, JetDate::ToStorage(p.birthdate));
    insert.Bind(column++, p.callDate ? JetDate::ToStorage(*p.callDate) : QString());
    for (int number : {p.goalChol, p.goalLdl, p.systolic, p.diastolic})
        insert.Bind(column++, number);
}

qint64 countRows(sqlite3* db, const char* sql)
{
    RawStatement count(db, sql);
    return count.Step() ? sqlite3_column_int64(count.Handle(), 0) : -1;
}

} // namespace

QString GeneratedDatabase::Ensure(int patients, int visits)
{
    const QString folder = QStringLiteral(VELMORA_BENCH_DATA_DIR);
    QDir().mkpath(folder);
    const QString path =
        QStringLiteral("%1/velmora-%2-%3.mdb").arg(folder).arg(patients).arg(visits);
    if (!isCurrent(path, patients, visits)) {
        std::fprintf(stderr, "Generating %s ...\n", qPrintable(path));
        generate(path, patients, visits);
    }
    return path;
}

QString GeneratedDatabase::schemaText(sqlite3* db)
{
    RawStatement schema(db, "SELECT group_concat(sql, ';') FROM (SELECT sql FROM sqlite_schema "
                            "WHERE sql IS NOT NULL ORDER BY name)");
    schema.Step();
    return QString::fromUtf8(
        reinterpret_cast<const char*>(sqlite3_column_text(schema.Handle(), 0)));
}

bool GeneratedDatabase::isCurrent(const QString& path, int patients, int visits)
{
    if (!QFile::exists(path))
        return false;
    try {
        QTemporaryDir scratch;
        Database fresh = Database::Create(scratch.filePath(QStringLiteral("schema.mdb")));
        CreateSchema(fresh);
        const Database cached = Database::Open(path);
        return schemaText(cached.Handle()) == schemaText(fresh.Handle()) &&
               countRows(cached.Handle(), "SELECT count(*) FROM Patients") == patients &&
               countRows(cached.Handle(), "SELECT count(*) FROM LabVisits") == visits;
    } catch (const DbError&) {
        return false;
    }
}

void GeneratedDatabase::generate(const QString& path, int patients, int visits)
{
    // Built under a second name, so that an interrupted run never leaves a half-filled cache.
    const QString part = path + QStringLiteral(".part");
    for (const QString& stale : {path, part})
        QFile::remove(stale);
    {
        Database db = Database::Create(part);
        CreateSchema(db);
        Fill(db.Handle(), patients, visits);
    }
    if (!QFile::rename(part, path))
        throw std::runtime_error("cannot rename the generated database");
}

void GeneratedDatabase::Fill(sqlite3* db, int patients, int visits)
{
    SampleRecords samples(20261206);
    sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
    RawStatement insertPatient(db, kInsertPatient);
    for (int ptid = 1; ptid <= patients; ++ptid) {
        bindPatient(insertPatient, samples.Patient(ptid));
        insertPatient.Run();
    }
    RawVisitInsert insertVisit(db);
    for (int id = 1; id <= visits; ++id)
        insertVisit.Insert(id, samples.Visit(patients));
    if (sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK)
        throw std::runtime_error(sqlite3_errmsg(db));
}
