// Single-row inserts of new lab visits on a fresh copy of a small file: the engine's Jet
// INSERT with its NextId in one write transaction, against one prepared SQLite INSERT per
// row in its own autocommit transaction. Both run on a file opened by the engine, so the
// journal and sync settings are the same.
#include "BenchDatabases.h"
#include "FreshCopy.h"
#include "RawStatement.h"
#include "RawVisitInsert.h"
#include "SampleRecords.h"

#include <Database.h>
#include <IdSequence.h>
#include <TextRoutines.h>

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <vector>

namespace
{

// 30,000 rows; VELMORA_BENCH_INSERTS sets fewer for a run under a profiler.
int insertCount()
{
    static const int count = qEnvironmentVariableIsSet("VELMORA_BENCH_INSERTS")
                                 ? qEnvironmentVariableIntValue("VELMORA_BENCH_INSERTS")
                                 : 30000;
    return count;
}

const std::vector<VisitSample>& visits()
{
    static const std::vector<VisitSample> rows = [] {
        SampleRecords samples(7);
        std::vector<VisitSample> list;
        for (int i = 0; i < insertCount(); ++i)
            list.push_back(samples.Visit(BenchDatabases::kSmallPatients));
        return list;
    }();
    return rows;
}

QString jetDate(const QDateTime& value, const QString& format)
{
    return u'#' + value.toString(format) + u'#';
}

QString jetInsert(qint32 id, const VisitSample& v)
{
    QString sql = QStringLiteral("INSERT INTO LabVisits (id, ptid, labdate, overallcl, hdl, ldl, "
                                 "lp_a, triglycerides, hmcyst, crp, sgot_ast, sgpt_alt, cpk, tsh, "
                                 "gluc, the_intervention, adddate) VALUES (") +
                  QString::number(id) + u',' + QString::number(v.ptid) + u',' +
                  jetDate(v.labDate, QStringLiteral("M/d/yyyy"));
    for (const std::optional<int>& result : v.results)
        sql += u',' + (result ? QString::number(*result) : QStringLiteral("Null"));
    sql += u',' + (v.intervention.isNull() ? QStringLiteral("Null")
                                           : u'\'' + SqlQuote(v.intervention) + u'\'');
    return sql + u',' + jetDate(v.addDate, QStringLiteral("M/d/yyyy HH:mm:ss")) + u')';
}

// A sum over the rows added after the template's own, so the two runs can be shown to
// have stored the same values.
double addedRowsChecksum(sqlite3* db)
{
    const QByteArray sql =
        QStringLiteral("SELECT count(*), total(PtID + coalesce(OverallCL, 0) + coalesce(Lp_a, 0) "
                       "+ coalesce(TSH, 0) + length(LabDate) + length(AddDate) "
                       "+ coalesce(length(The_Intervention), 0) + unicode(substr(AddDate, 12, 1)))"
                       " FROM LabVisits WHERE ID > %1")
            .arg(BenchDatabases::kSmallVisits)
            .toUtf8();
    RawStatement sum(db, sql.constData());
    sum.Step();
    return sqlite3_column_int(sum.Handle(), 0) == insertCount()
               ? sqlite3_column_double(sum.Handle(), 1)
               : -1;
}

void BM_InsertVisits_Engine(benchmark::State& state)
{
    const std::vector<VisitSample>& rows = visits();
    for (auto _ : state) {
        state.PauseTiming();
        FreshCopy copy;
        state.ResumeTiming();
        for (const VisitSample& visit : rows) {
            InsertWithNewId(
                copy.db(), IdSequence::LabVisits, 0,
                [&](qint32 id) { return jetInsert(id, visit); }, dbFailOnError);
        }
        state.PauseTiming();
        state.counters["checksum"] = addedRowsChecksum(copy.db().Handle());
        state.ResumeTiming();
    }
    state.counters["rows"] = insertCount();
}
BENCHMARK(BM_InsertVisits_Engine)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_InsertVisits_Raw(benchmark::State& state)
{
    const std::vector<VisitSample>& rows = visits();
    for (auto _ : state) {
        state.PauseTiming();
        FreshCopy copy;
        RawVisitInsert insert(copy.db().Handle());
        state.ResumeTiming();
        int id = BenchDatabases::kSmallVisits;
        for (const VisitSample& visit : rows)
            insert.Insert(++id, visit);
        state.PauseTiming();
        state.counters["checksum"] = addedRowsChecksum(copy.db().Handle());
        state.ResumeTiming();
    }
    state.counters["rows"] = insertCount();
}
BENCHMARK(BM_InsertVisits_Raw)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
