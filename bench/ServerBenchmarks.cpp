// The engine on a PostgreSQL server against libpq alone, in the same run: reading every one of
// 50,000 patients, and 30,000 single-row inserts of lab visits with their identifiers. The
// server is the one VELMORA_BENCH_PG names (a libpq connection string to a database that may
// create others, e.g. the cluster of scripts/start-postgres.sh); without it these are skipped.
#include "EnginePatientRead.h"
#include "SampleRecords.h"

#include <Database.h>
#include <IdSequence.h>
#include <Schema.h>
#include <TextRoutines.h>

#include <benchmark/benchmark.h>
#include <libpq-fe.h>

namespace
{

constexpr int kPatients = 50000;
constexpr int kInserts = 30000;

QString serverConnection()
{
    return qEnvironmentVariable("VELMORA_BENCH_PG");
}

// A fresh database "velmora_bench" with the tables and 50,000 patients, made once per run.
QString benchDatabase()
{
    static const QString connection = [] {
        Database admin = Database::Connect(serverConnection());
        admin.ExecuteDirect("DROP DATABASE IF EXISTS velmora_bench WITH (FORCE)");
        admin.ExecuteDirect("CREATE DATABASE velmora_bench");
        const QString bench = serverConnection() + QStringLiteral(" dbname=velmora_bench");
        Database db = Database::Connect(bench);
        CreateSchema(db);
        EnsureIndexes(db);
        db.ExecuteDirect(
            "INSERT INTO \"Patients\" (ptid, lname, fname, \"MI\", \"Address1\", city, st, zip, "
            "phone, sex, birthdate, \"CallDate\", goal_chol, goal_ldl, systolic, diastolic, "
            "\"Comment\") SELECT g, 'Lastname' || g, 'First' || (g % 97), 'Q', g || ' Main "
            "Street', 'Springfield', 'IL', '62' || (g % 1000), '555-' || (1000 + g % 9000), "
            "CASE WHEN g % 2 = 0 THEN 'F' ELSE 'M' END, TIMESTAMP '1940-01-01' + g * INTERVAL "
            "'11 hours', TIMESTAMP '2024-01-01' + (g % 400) * INTERVAL '1 day', 200, 130, 120, "
            "80, CASE WHEN g % 5 = 0 THEN 'Called twice' END FROM generate_series(1, " +
            QByteArray::number(kPatients) + ") g");
        return bench;
    }();
    return connection;
}

bool skipWithoutServer(benchmark::State& state)
{
    if (!serverConnection().isEmpty())
        return false;
    state.SkipWithError("VELMORA_BENCH_PG is not set: no PostgreSQL server to measure on");
    return true;
}

void BM_ServerReadPatients_Engine(benchmark::State& state)
{
    if (skipWithoutServer(state))
        return;
    Database db = Database::Connect(benchDatabase());
    ReadEveryPatient(db, state);
}
BENCHMARK(BM_ServerReadPatients_Engine)->Unit(benchmark::kMillisecond);

void BM_ServerReadPatients_Raw(benchmark::State& state)
{
    if (skipWithoutServer(state))
        return;
    PGconn* conn = PQconnectdb(benchDatabase().toUtf8().constData());
    for (auto _ : state) {
        PGresult* result = PQexec(conn, "SELECT * FROM \"Patients\"");
        const int rows = PQntuples(result), columns = PQnfields(result);
        qint64 weight = 0;
        for (int row = 0; row < rows; ++row) {
            for (int i = 0; i < columns; ++i) {
                if (!PQgetisnull(result, row, i))
                    weight += PQgetlength(result, row, i) + *PQgetvalue(result, row, i);
            }
        }
        PQclear(result);
        benchmark::DoNotOptimize(weight);
        state.counters["rows"] = rows;
    }
    PQfinish(conn);
}
BENCHMARK(BM_ServerReadPatients_Raw)->Unit(benchmark::kMillisecond);

const std::vector<VisitSample>& visits()
{
    static const std::vector<VisitSample> rows = [] {
        SampleRecords samples(7);
        std::vector<VisitSample> list;
        for (int i = 0; i < kInserts; ++i)
            list.push_back(samples.Visit(kPatients));
        return list;
    }();
    return rows;
}

QString jetInsert(qint32 id, const VisitSample& v)
{
    QString sql = QStringLiteral("INSERT INTO LabVisits (id, ptid, labdate, overallcl, hdl, ldl, "
                                 "lp_a, triglycerides, hmcyst, crp, sgot_ast, sgpt_alt, cpk, tsh, "
                                 "gluc, the_intervention, adddate) VALUES (%1, %2, #%3#")
                      .arg(id)
                      .arg(v.ptid)
                      .arg(v.labDate.toString(QStringLiteral("M/d/yyyy")));
    for (const std::optional<int>& result : v.results)
        sql += u',' + (result ? QString::number(*result) : QStringLiteral("Null"));
    sql += u',' + (v.intervention.isNull() ? QStringLiteral("Null")
                                           : u'\'' + SqlQuote(v.intervention) + u'\'');
    return sql + QStringLiteral(", #%1#)").arg(v.addDate.toString("M/d/yyyy HH:mm:ss"));
}

void BM_ServerInsertVisits_Engine(benchmark::State& state)
{
    if (skipWithoutServer(state))
        return;
    Database db = Database::Connect(benchDatabase());
    for (auto _ : state) {
        state.PauseTiming();
        db.ExecuteDirect("TRUNCATE \"LabVisits\"");
        state.ResumeTiming();
        for (const VisitSample& v : visits()) {
            InsertWithNewId(
                db, IdSequence::LabVisits, 0, [&](qint32 id) { return jetInsert(id, v); },
                dbFailOnError);
        }
    }
    state.counters["rows"] =
        db.OpenRecordset(QStringLiteral("SELECT * FROM LabVisits"))->RecordCount();
}
BENCHMARK(BM_ServerInsertVisits_Engine)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_ServerInsertVisits_Raw(benchmark::State& state)
{
    if (skipWithoutServer(state))
        return;
    PGconn* conn = PQconnectdb(benchDatabase().toUtf8().constData());
    PQclear(PQprepare(conn, "insert",
                      "INSERT INTO \"LabVisits\" (\"ID\", \"PtID\", \"LabDate\", \"OverallCL\", "
                      "\"HDL\", \"LDL\", \"Lp_a\", \"Triglycerides\", \"HMCYST\", \"CRP\", "
                      "\"SGOT_AST\", \"SGPT_ALT\", \"CPK\", \"TSH\", \"GLUC\", "
                      "\"The_Intervention\", \"AddDate\") VALUES ($1, $2, $3, $4, $5, $6, $7, $8, "
                      "$9, $10, $11, $12, $13, $14, $15, $16, $17)",
                      0, nullptr));
    for (auto _ : state) {
        state.PauseTiming();
        PQclear(PQexec(conn, "TRUNCATE \"LabVisits\""));
        state.ResumeTiming();
        int id = 0;
        for (const VisitSample& v : visits()) {
            std::vector<QByteArray> values = {QByteArray::number(++id), QByteArray::number(v.ptid),
                                              v.labDate.toString(Qt::ISODate).toUtf8()};
            for (const std::optional<int>& result : v.results)
                values.push_back(result ? QByteArray::number(*result) : QByteArray());
            values.push_back(v.intervention.toUtf8());
            values.push_back(v.addDate.toString(Qt::ISODate).toUtf8());
            std::vector<const char*> pointers;
            for (const QByteArray& value : values)
                pointers.push_back(value.isNull() ? nullptr : value.constData());
            PQclear(PQexecPrepared(conn, "insert", int(pointers.size()), pointers.data(), nullptr,
                                   nullptr, 0));
        }
    }
    PQfinish(conn);
}
BENCHMARK(BM_ServerInsertVisits_Raw)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
