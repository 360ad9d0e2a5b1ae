// Opening the history chart of the patient with 500 lab visits (its last 12 charted), against
// the engine alone running the chart's data query with the same recordset type and fields.
#include "EngineRead.h"
#include "GeneratedDatabase.h"

#include <ChartKind.h>
#include <ChartScope.h>
#include <ChartVisits.h>
#include <DaoType.h>
#include <frmChart.h>

#include <QApplication>
#include <benchmark/benchmark.h>

namespace
{

const QString kPatient = QString::number(GeneratedDatabase::ChartedPatient);
const QString kKind = QStringLiteral("Total Cholesterol Levels");

// The chart's opening past the scope window: the data query read into points, and the chart
// window drawn with them (the patient's name and goal, the series and the axes). The program
// keeps its chart window between openings, so every opening but the session's first draws
// into a kept window.
void openChart(frmChart& window)
{
    ChartScopeClause.clear();
    window.Init(ChartPoints(ReadChartVisits(kPatient, *ChartKind::Find(kKind))), kPatient, kKind);
}

void BM_OpenChart_Window(benchmark::State& state)
{
    frmChart window;
    for (auto _ : state)
        openChart(window);
}
BENCHMARK(BM_OpenChart_Window)->Unit(benchmark::kMillisecond);

// As the user waits for it: shown and painted.
void BM_OpenChartShown_Window(benchmark::State& state)
{
    frmChart window;
    for (auto _ : state) {
        openChart(window);
        window.show();
        QApplication::processEvents();
        window.hide();
    }
}
BENCHMARK(BM_OpenChartShown_Window)->Unit(benchmark::kMillisecond);

// The session's first opening, which makes the window.
void BM_OpenChartFirst_Window(benchmark::State& state)
{
    for (auto _ : state) {
        frmChart window;
        openChart(window);
    }
}
BENCHMARK(BM_OpenChartFirst_Window)->Unit(benchmark::kMillisecond);

void BM_OpenChart_Engine(benchmark::State& state)
{
    ChartScopeClause.clear();
    for (auto _ : state)
        state.counters["rows"] = EngineRead::Rows(ChartDataSql(kPatient),
                                                  {"LabDate", "OverallCL", "HDL", "LDL"},
                                                  dbOpenForwardOnly);
}
BENCHMARK(BM_OpenChart_Engine)->Unit(benchmark::kMillisecond);

} // namespace
