// Reading every patient: the engine's forward-only recordset with FieldText by name,
// against a plain sqlite3_step loop over the same columns.
#include "BenchDatabases.h"
#include "EnginePatientRead.h"
#include "RawStatement.h"
#include "ValueWeight.h"

#include <Database.h>
#include <FieldText.h>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

namespace
{

void BM_ReadPatients_Engine(benchmark::State& state)
{
    Database db = Database::Open(BenchDatabases::Large());
    ReadEveryPatient(db, state);
}
BENCHMARK(BM_ReadPatients_Engine)->Unit(benchmark::kMillisecond);

// The same read with fields taken by position: what the name lookup costs.
void BM_ReadPatients_EngineByIndex(benchmark::State& state)
{
    Database db = Database::Open(BenchDatabases::Large());
    for (auto _ : state) {
        const auto rs =
            db.OpenRecordset(QStringLiteral("SELECT * FROM Patients"), dbOpenForwardOnly);
        const int fields = rs->Fields().Count();
        qint64 weight = 0;
        int rows = 0;
        for (; !rs->Eof(); rs->MoveNext(), ++rows) {
            for (int i = 0; i < fields; ++i)
                weight += ValueWeight(FieldText(rs->Fields()[i]));
        }
        benchmark::DoNotOptimize(weight);
        state.counters["rows"] = rows;
    }
}
BENCHMARK(BM_ReadPatients_EngineByIndex)->Unit(benchmark::kMillisecond);

void BM_ReadPatients_Raw(benchmark::State& state)
{
    Database db = Database::Open(BenchDatabases::Large());
    for (auto _ : state) {
        RawStatement select(db.Handle(), "SELECT * FROM Patients");
        sqlite3_stmt* stmt = select.Handle();
        const int columns = sqlite3_column_count(stmt);
        qint64 weight = 0;
        int rows = 0;
        for (; select.Step(); ++rows) {
            for (int i = 0; i < columns; ++i) {
                if (sqlite3_column_type(stmt, i) == SQLITE_INTEGER)
                    weight += sqlite3_column_int(stmt, i);
                else if (sqlite3_column_text(stmt, i))
                    weight += sqlite3_column_bytes(stmt, i);
            }
        }
        benchmark::DoNotOptimize(weight);
        state.counters["rows"] = rows;
    }
}
BENCHMARK(BM_ReadPatients_Raw)->Unit(benchmark::kMillisecond);

} // namespace
