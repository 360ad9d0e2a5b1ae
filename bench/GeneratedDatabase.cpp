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

const char kInsertContact[] =
    "INSERT INTO Communications (ID, PtId, CallDate, CallTime, Result, Complete) "
    "VALUES (?,?,?,?,?,?)";

void insertContact(RawStatement& insert, int id, const ContactSample& c)
{
    insert.Bind(1, id);
    insert.Bind(2, c.ptid);
    insert.Bind(3, JetDate::ToStorage(c.callDate));
    insert.Bind(4, c.callTime);
    insert.Bind(5, c.result);
    insert.Bind(6, c.complete ? 1 : 0);
    insert.Run();
}

qint64 countRows(sqlite3* db, const QString& sql)
{
    RawStatement count(db, sql.toUtf8().constData());
    return count.Step() ? sqlite3_column_int64(count.Handle(), 0) : -1;
}

} // namespace

QString GeneratedDatabase::fileName(const Content& content)
{
    // Files without contacts keep the name they had before contacts were generated.
    QString name = QStringLiteral("velmora-%1-%2").arg(content.patients).arg(content.visits);
    if (content.contacts > 0 || content.busyPatientVisits > 0)
        name += QStringLiteral("-%1-%2").arg(content.contacts).arg(content.busyPatientVisits);
    if (content.chartedPatientVisits > 0)
        name += QStringLiteral("-%1").arg(content.chartedPatientVisits);
    return name + QStringLiteral(".mdb");
}

QString GeneratedDatabase::Ensure(const Content& content)
{
    const QString folder = QStringLiteral(VELMORA_BENCH_DATA_DIR);
    QDir().mkpath(folder);
    const QString path = folder + u'/' + fileName(content);
    if (!isCurrent(path, content)) {
        std::fprintf(stderr, "Generating %s ...\n", qPrintable(path));
        generate(path, content);
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

bool GeneratedDatabase::isCurrent(const QString& path, const Content& content)
{
    if (!QFile::exists(path))
        return false;
    try {
        QTemporaryDir scratch;
        Database fresh = Database::Create(scratch.filePath(QStringLiteral("schema.mdb")));
        CreateSchema(fresh);
        const Database cached = Database::Open(path);
        sqlite3* db = cached.Handle();
        return schemaText(db) == schemaText(fresh.Handle()) &&
               countRows(db, QStringLiteral("SELECT count(*) FROM Patients")) ==
                   content.patients &&
               countRows(db, QStringLiteral("SELECT count(*) FROM LabVisits")) ==
                   content.visits &&
               countRows(db, QStringLiteral("SELECT count(*) FROM Communications")) ==
                   content.contacts &&
               (content.busyPatientVisits == 0 ||
                countRows(db, QStringLiteral("SELECT count(*) FROM LabVisits WHERE PtID = %1")
                                  .arg(BusyPatient)) == content.busyPatientVisits) &&
               (content.chartedPatientVisits == 0 ||
                countRows(db, QStringLiteral("SELECT count(*) FROM LabVisits WHERE PtID = %1")
                                  .arg(ChartedPatient)) == content.chartedPatientVisits);
    } catch (const DbError&) {
        return false;
    }
}

void GeneratedDatabase::generate(const QString& path, const Content& content)
{
    // Built under a second name, so that an interrupted run never leaves a half-filled cache.
    const QString part = path + QStringLiteral(".part");
    for (const QString& stale : {path, part})
        QFile::remove(stale);
    {
        Database db = Database::Create(part);
        CreateSchema(db);
        Fill(db.Handle(), content);
    }
    if (!QFile::rename(part, path))
        throw std::runtime_error("cannot rename the generated database");
}

void GeneratedDatabase::Fill(sqlite3* db, const Content& content)
{
    SampleRecords samples(20261206);
    sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
    RawStatement insertPatient(db, kInsertPatient);
    for (int ptid = 1; ptid <= content.patients; ++ptid) {
        bindPatient(insertPatient, samples.Patient(ptid));
        insertPatient.Run();
    }
    RawVisitInsert insertVisit(db);
    // The last visits go to the known patients; a random visit of one goes to the next patient.
    const int busyFrom = content.visits - content.busyPatientVisits;
    const int chartedFrom = busyFrom - content.chartedPatientVisits;
    for (int id = 1; id <= content.visits; ++id) {
        VisitSample visit = samples.Visit(content.patients);
        if (id > busyFrom)
            visit.ptid = BusyPatient;
        else if (id > chartedFrom)
            visit.ptid = ChartedPatient;
        else if ((content.busyPatientVisits > 0 && visit.ptid == BusyPatient) ||
                 (content.chartedPatientVisits > 0 && visit.ptid == ChartedPatient))
            visit.ptid += 1;
        insertVisit.Insert(id, visit);
    }
    RawStatement insertContactRow(db, kInsertContact);
    for (int id = 1; id <= content.contacts; ++id)
        insertContact(insertContactRow, id, samples.Contact(content.patients));
    if (sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK)
        throw std::runtime_error(sqlite3_errmsg(db));
}
