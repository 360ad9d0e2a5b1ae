// The import against the engine's own insert path, and the export against the engine's read
// of the same rows into the same texts, each pair in the same run.
#include "BenchDatabases.h"
#include "FreshCopy.h"
#include "SampleRecords.h"

#include <Database.h>
#include <ExportFile.h>
#include <FieldText.h>
#include <IdSequence.h>
#include <ImportJob.h>
#include <TextRoutines.h>

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace
{

constexpr int kImportLines = 30000;
const QStringList kMapped = {"lname", "fname", "MI",    "Address1", "city",      "st",
                             "zip",   "phone", "birthdate", "goal_chol", "goal_ldl",
                             "systolic", "diastolic", "sex"};

QStringList values(const PatientSample& p)
{
    return {p.lname, p.fname,  p.mi,  p.address1, p.city, p.st, p.zip, p.phone,
            p.birthdate.toString(u"M/d/yyyy"), QString::number(p.goalChol),
            QString::number(p.goalLdl), QString::number(p.systolic),
            QString::number(p.diastolic), p.sex};
}

// The same patients as lines of a spreadsheet's file and as the engine's INSERTs, the
// identifier's place left open.
struct ImportRows {
    QStringList lines;
    QStringList inserts;
};

const ImportRows& importRows()
{
    static const ImportRows rows = [] {
        SampleRecords samples(11);
        ImportRows made;
        const QString head = "INSERT INTO Patients (" + kMapped.join(", ") + ", ptid) Values (";
        for (int i = 0; i < kImportLines; ++i) {
            const QStringList row = values(samples.Patient(0));
            QStringList quoted;
            QStringList literals;
            for (int f = 0; f < row.size(); ++f) {
                quoted.append(u'"' + QString(row[f]).replace(u'"', QStringLiteral("\"\"")) + u'"');
                literals.append(f == 8 ? u'#' + row[f] + u'#'
                                : f > 8 && f < 13 ? row[f]
                                : u'\'' + SqlQuote(TrimText(row[f])) + u'\'');
            }
            made.lines.append(quoted.join(u','));
            made.inserts.append(head + literals.join(", ") + ", ");
        }
        return made;
    }();
    return rows;
}

void BM_Import_Exchange(benchmark::State& state)
{
    const ImportRows& rows = importRows();
    for (auto _ : state) {
        state.PauseTiming();
        FreshCopy copy;
        state.ResumeTiming();
        ImportJob job(copy.db(), ImportTarget::All().first());
        job.Run(rows.lines, 0, u',', kMapped);
        state.counters["imported"] = job.Imported();
    }
}
BENCHMARK(BM_Import_Exchange)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_Import_Engine(benchmark::State& state)
{
    const ImportRows& rows = importRows();
    for (auto _ : state) {
        state.PauseTiming();
        FreshCopy copy;
        state.ResumeTiming();
        for (const QString& insert : rows.inserts)
            InsertWithNewId(copy.db(), IdSequence::Patients, 0,
                            [&](qint32 id) { return insert + QString::number(id) + u')'; }, 0);
    }
}
BENCHMARK(BM_Import_Engine)->Unit(benchmark::kMillisecond)->Iterations(1);

const QString kVisits = QStringLiteral("SELECT * FROM LabVisits");

void BM_ExportVisits_Exchange(benchmark::State& state)
{
    Database db = Database::Open(BenchDatabases::Large());
    QTemporaryDir dir;
    for (auto _ : state) {
        QString error;
        ExportFile::Write(db, kVisits, dir.filePath("visits.txt"), error);
        state.counters["bytes"] = double(QFile(dir.filePath("visits.txt")).size());
    }
}
BENCHMARK(BM_ExportVisits_Exchange)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_ExportVisits_Engine(benchmark::State& state)
{
    Database db = Database::Open(BenchDatabases::Large());
    for (auto _ : state) {
        const auto rs = db.OpenRecordset(kVisits, dbOpenForwardOnly);
        qint64 characters = 0;
        for (; !rs->Eof(); rs->MoveNext())
            for (int i = 0; i < rs->Fields().Count(); ++i)
                characters += ExportFile::Text(rs->Fields()[i]).size();
        benchmark::DoNotOptimize(characters);
    }
}
BENCHMARK(BM_ExportVisits_Engine)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
