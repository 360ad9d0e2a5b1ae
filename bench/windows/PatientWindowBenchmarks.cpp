// Opening a patient in the patient editor (the record, the age and the recent levels) and
// opening the blood work list of the patient with 200 visits, against the engine alone
// running the windows' own statements with the same recordset types and fields.
#include "EngineRead.h"
#include "GeneratedDatabase.h"

#include <DaoType.h>
#include <frmPatient.h>
#include <frmPsBW.h>

#include <QApplication>
#include <QTableWidget>
#include <benchmark/benchmark.h>

namespace
{

constexpr int kPatient = GeneratedDatabase::BusyPatient;

QString patientSql(const char* before, const char* after = "")
{
    return QString::fromLatin1(before) + QString::number(kPatient) + QString::fromLatin1(after);
}

// Shown once, as a user would have it open, then filled on each iteration; main deletes it
// with the other windows before the application ends.
template <typename Window> Window& shownWindow()
{
    static Window* window = [] {
        auto* made = new Window;
        made->show();
        QApplication::processEvents();
        return made;
    }();
    return *window;
}

// The window's own work for one fill; the repaint it causes is left out of the time.
template <typename Fill> void fillUnpainted(benchmark::State& state, Fill fill)
{
    for (auto _ : state) {
        fill();
        state.PauseTiming();
        QApplication::processEvents();
        state.ResumeTiming();
    }
}

// The same with the repaint the user waits for.
template <typename Fill> void fillPainted(benchmark::State& state, Fill fill)
{
    for (auto _ : state) {
        fill();
        QApplication::processEvents();
    }
}

void BM_OpenPatient_Window(benchmark::State& state)
{
    fillUnpainted(state, [] { shownWindow<frmPatient>().Init(kPatient); });
}
BENCHMARK(BM_OpenPatient_Window)->Unit(benchmark::kMicrosecond);

void BM_OpenPatientPainted_Window(benchmark::State& state)
{
    fillPainted(state, [] { shownWindow<frmPatient>().Init(kPatient); });
}
BENCHMARK(BM_OpenPatientPainted_Window)->Unit(benchmark::kMicrosecond);

// As the program opens it: a new window, filled and shown.
void BM_OpenPatientNewWindow_Window(benchmark::State& state)
{
    for (auto _ : state) {
        frmPatient window;
        window.Init(kPatient);
        window.show();
        QApplication::processEvents();
    }
}
BENCHMARK(BM_OpenPatientNewWindow_Window)->Unit(benchmark::kMicrosecond);

void BM_OpenPatient_Engine(benchmark::State& state)
{
    const QString record = patientSql("SELECT * from Patients where ptid = ");
    const QString levels =
        patientSql("SELECT Top 1 OverallCL, HDL, LDL, Triglycerides, LabDate FROM "
                   "LabVisits WHERE ptid = ",
                   " ORDER BY labdate desc");
    const QStringList recordFields = {
        "address1", "address2", "birthdate", "calldate", "cellphone", "city",  "email",
        "fname",    "goal_chol", "goal_ldl", "ptid",     "lname",     "mi",    "phone",
        "sex",      "st",       "zip",       "systolic", "diastolic"};
    const QStringList levelFields = {"LabDate", "OverallCL", "HDL", "LDL", "Triglycerides"};
    for (auto _ : state) {
        EngineRead::Rows(record, recordFields, dbOpenSnapshot);
        EngineRead::Rows(levels, levelFields, dbOpenSnapshot);
    }
}
BENCHMARK(BM_OpenPatient_Engine)->Unit(benchmark::kMicrosecond);

void fillBloodWorkList()
{
    shownWindow<frmPsBW>().Init(kPatient, QStringLiteral("Busy, Patient"));
}

void BM_BloodWorkList_Window(benchmark::State& state)
{
    fillUnpainted(state, fillBloodWorkList);
    state.counters["rows"] =
        shownWindow<frmPsBW>().findChild<QTableWidget*>(QStringLiteral("gridResults"))->rowCount();
}
BENCHMARK(BM_BloodWorkList_Window)->Unit(benchmark::kMicrosecond);

void BM_BloodWorkListPainted_Window(benchmark::State& state)
{
    fillPainted(state, fillBloodWorkList);
}
BENCHMARK(BM_BloodWorkListPainted_Window)->Unit(benchmark::kMicrosecond);

// As the program opens it: a new window, filled and shown.
void BM_BloodWorkListNewWindow_Window(benchmark::State& state)
{
    for (auto _ : state) {
        frmPsBW window;
        window.Init(kPatient, QStringLiteral("Busy, Patient"));
        window.show();
        QApplication::processEvents();
    }
}
BENCHMARK(BM_BloodWorkListNewWindow_Window)->Unit(benchmark::kMicrosecond);

void BM_BloodWorkList_Engine(benchmark::State& state)
{
    const QString list = patientSql("SELECT LabVisits.* FROM LabVisits WHERE ptid = ",
                                    " ORDER BY LabDate Desc");
    const QStringList fields = {"id", "labdate", "overallcl", "hdl", "ldl"};
    for (auto _ : state)
        state.counters["rows"] = EngineRead::Rows(list, fields, dbOpenSnapshot);
}
BENCHMARK(BM_BloodWorkList_Engine)->Unit(benchmark::kMicrosecond);

} // namespace
