// The main window on the practice database: start-up to the Patient view shown, the
// Patient view filled again, and a round of view switches, each against the engine alone
// reading the same rows with the same statement and columns. The process's peak resident
// size is kept after each stage.
#include "BenchDatabases.h"
#include "EngineRead.h"
#include "ProcessMemory.h"

#include <AppDatabase.h>
#include <DaoType.h>
#include <ViewDefinition.h>
#include <frmMain.h>

#include <QApplication>
#include <QTableView>
#include <benchmark/benchmark.h>

namespace
{

const QStringList kSwitchRound = {QStringLiteral("LabVisits"), QStringLiteral("Communications"),
                                  QStringLiteral("Patient")};

// The window every benchmark here works on, made by the start-up benchmark or by whichever
// needs it first; main deletes it with the other windows before the application ends.
frmMain*& mainWindow()
{
    static frmMain* window = nullptr;
    return window;
}

double peakMb()
{
    return double(ProcessMemory::PeakResidentKb()) / 1024.0;
}

int gridRows()
{
    return mainWindow()->findChild<QTableView*>(QStringLiteral("gridEntries"))->model()->rowCount();
}

// Shows a view and lets the window paint it, as the user would see it.
void showView(const QString& kind)
{
    mainWindow()->ShowView(kind);
    QApplication::processEvents();
}

// The fields a view's columns read, as its column readers take them.
QStringList viewFields(const ViewDefinition& view)
{
    QStringList fields;
    for (const ViewColumn& column : view.columns) {
        if (column.format == CellFormat::PatientName)
            fields << QStringLiteral("LName") << QStringLiteral("FName");
        else
            fields << column.field;
    }
    return fields;
}

int engineReadsView(const QString& kind)
{
    const ViewDefinition& view = ViewDefinition::ForKind(kind);
    return EngineRead::Rows(view.sql, viewFields(view), dbOpenForwardOnly);
}

// Opens the file and shows a new main window in place of the one before.
void startUp()
{
    SetAppDatabase(Database::Open(BenchDatabases::Practice()));
    delete mainWindow();
    mainWindow() = new frmMain;
    mainWindow()->show();
    QApplication::processEvents();
}

// Repetitions run in a random order, so a benchmark may come before the start-up one; a run
// skipped for that would abort the repetitions' statistics.
void ensureWindow()
{
    if (mainWindow())
        return;
    startUp();
    showView(QStringLiteral("Patient"));
}

// Opening the database, building the window and showing the Patient view, once, as at
// start-up. Earlier transient peaks (the generation of a missing file) are dropped first.
void BM_StartUp_Window(benchmark::State& state)
{
    ProcessMemory::ResetPeak();
    for (auto _ : state) {
        startUp();
        state.counters["startup_peak_MB"] = peakMb();
        showView(QStringLiteral("Patient"));
    }
    state.counters["patient_view_peak_MB"] = peakMb();
    state.counters["rows"] = gridRows();
}
BENCHMARK(BM_StartUp_Window)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_PatientView_Window(benchmark::State& state)
{
    ensureWindow();
    for (auto _ : state)
        showView(QStringLiteral("Patient"));
    state.counters["rows"] = gridRows();
}
BENCHMARK(BM_PatientView_Window)->Unit(benchmark::kMillisecond);

void BM_PatientView_Engine(benchmark::State& state)
{
    for (auto _ : state)
        state.counters["rows"] = engineReadsView(QStringLiteral("Patient"));
}
BENCHMARK(BM_PatientView_Engine)->Unit(benchmark::kMillisecond);

// Patient -> Lab Visits -> Communications -> Patient.
void BM_ViewSwitch_Window(benchmark::State& state)
{
    ensureWindow();
    for (auto _ : state) {
        for (const QString& kind : kSwitchRound)
            showView(kind);
    }
    state.counters["switches_peak_MB"] = peakMb();
}
BENCHMARK(BM_ViewSwitch_Window)->Unit(benchmark::kMillisecond);

void BM_ViewSwitch_Engine(benchmark::State& state)
{
    for (auto _ : state) {
        for (const QString& kind : kSwitchRound)
            engineReadsView(kind);
    }
}
BENCHMARK(BM_ViewSwitch_Engine)->Unit(benchmark::kMillisecond);

// The two small views of a switch alone: what leaving the Patient view costs.
void BM_SmallViews_Window(benchmark::State& state)
{
    ensureWindow();
    for (auto _ : state) {
        showView(QStringLiteral("LabVisits"));
        showView(QStringLiteral("Communications"));
    }
}
BENCHMARK(BM_SmallViews_Window)->Unit(benchmark::kMillisecond);

void BM_SmallViews_Engine(benchmark::State& state)
{
    for (auto _ : state) {
        engineReadsView(QStringLiteral("LabVisits"));
        engineReadsView(QStringLiteral("Communications"));
    }
}
BENCHMARK(BM_SmallViews_Engine)->Unit(benchmark::kMillisecond);

} // namespace
