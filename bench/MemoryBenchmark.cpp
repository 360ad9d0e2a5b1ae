// A forward-only recordset over every lab visit must hold only its current row: the peak
// resident size may grow by the page cache and one row, not by the rows read.
// Memory freed by earlier benchmarks is reused, so run alone for the figure of a cold start.
#include "BenchDatabases.h"
#include "ProcessMemory.h"
#include "ValueWeight.h"

#include <Database.h>

#include <benchmark/benchmark.h>

namespace
{

void measureRecordsetMemory(benchmark::State& state, int type)
{
    Database db = Database::Open(BenchDatabases::Large());
    for (auto _ : state) {
        if (!ProcessMemory::ResetPeak()) {
            state.SkipWithError("the kernel cannot reset the peak resident size");
            break;
        }
        const long before = ProcessMemory::PeakResidentKb();
        const long residentBefore = ProcessMemory::ResidentKb();
        qint64 weight = 0;
        int rows = 0;
        {
            const auto rs = db.OpenRecordset(QStringLiteral("SELECT * FROM LabVisits"), type);
            const int fields = rs->Fields().Count();
            for (; !rs->Eof(); rs->MoveNext(), ++rows) {
                for (int i = 0; i < fields; ++i)
                    weight += ValueWeight(rs->Fields()[i].Value());
            }
        }
        benchmark::DoNotOptimize(weight);
        state.counters["rows"] = rows;
        state.counters["peak_growth_MB"] =
            double(ProcessMemory::PeakResidentKb() - before) / 1024.0;
        state.counters["rss_growth_MB"] =
            double(ProcessMemory::ResidentKb() - residentBefore) / 1024.0;
    }
}
void BM_ForwardOnlyMemory(benchmark::State& state)
{
    measureRecordsetMemory(state, dbOpenForwardOnly);
}
BENCHMARK(BM_ForwardOnlyMemory)->Unit(benchmark::kMillisecond)->Iterations(1);

// The same rows kept by a snapshot: shows what holding every row would cost, and that the
// measurement sees it.
void BM_SnapshotMemory(benchmark::State& state)
{
    measureRecordsetMemory(state, dbOpenSnapshot);
}
BENCHMARK(BM_SnapshotMemory)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
