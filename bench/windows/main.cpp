#include "BenchDatabases.h"
#include "QueryPlans.h"
#include "RatioReporter.h"

#include <AppDatabase.h>
#include <Database.h>
#include <Messages.h>

#include <QApplication>
#include <QWidget>
#include <benchmark/benchmark.h>
#include <cstdio>

namespace
{

// The offscreen platform warns on every new window that it cannot pass on size hints;
// the warning says nothing about the benchmark and would bury its report.
QtMessageHandler standardHandler = nullptr;

void dropSizeHintWarnings(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (!text.contains(QLatin1String("propagateSizeHints")))
        standardHandler(type, context, text);
}

void printSummary(const RatioReporter& reporter)
{
    std::printf("\nWindows against the engine alone, same run:\n");
    reporter.PrintRatio("(a) Patient view filled, 50,000 rows", "BM_PatientView_Window",
                        "BM_PatientView_Engine", 3.0);
    reporter.PrintRatio("    a switch round Lab Visits-Comms-Patient", "BM_ViewSwitch_Window",
                        "BM_ViewSwitch_Engine", std::nullopt);
    reporter.PrintRatio("    Lab Visits and Comms views alone", "BM_SmallViews_Window",
                        "BM_SmallViews_Engine", std::nullopt);
    reporter.PrintPeak("(b) after start-up", "BM_StartUp_Window", "startup_peak_MB", 200.0);
    reporter.PrintPeak("    after the Patient view", "BM_StartUp_Window",
                       "patient_view_peak_MB", 200.0);
    reporter.PrintPeak("    after the view switches", "BM_ViewSwitch_Window",
                       "switches_peak_MB", 200.0);
    reporter.PrintRatio("(c) patient opened (record, age, levels)", "BM_OpenPatient_Window",
                        "BM_OpenPatient_Engine", 3.0);
    reporter.PrintRatio("    the same, repainted", "BM_OpenPatientPainted_Window",
                        "BM_OpenPatient_Engine", std::nullopt);
    reporter.PrintRatio("    the same in a new window, shown", "BM_OpenPatientNewWindow_Window",
                        "BM_OpenPatient_Engine", std::nullopt);
    reporter.PrintRatio("(d) blood work list of 200 visits", "BM_BloodWorkList_Window",
                        "BM_BloodWorkList_Engine", 3.0);
    reporter.PrintRatio("    the same, repainted", "BM_BloodWorkListPainted_Window",
                        "BM_BloodWorkList_Engine", std::nullopt);
    reporter.PrintRatio("    the same in a new window, shown", "BM_BloodWorkListNewWindow_Window",
                        "BM_BloodWorkList_Engine", std::nullopt);
    reporter.PrintRatio("(e) search window listing 50,000 patients", "BM_PatientSearch_Window",
                        "BM_PatientSearch_Engine", 3.0);
    reporter.PrintRatio("    the same, shown and painted", "BM_PatientSearchShown_Window",
                        "BM_PatientSearch_Engine", std::nullopt);
    reporter.PrintRatio("    last name contains \"son\"", "BM_ContainsSearch_Window",
                        "BM_ContainsSearch_Engine", 3.0);
    reporter.PrintRatio("(f) history chart of 500 visits", "BM_OpenChart_Window",
                        "BM_OpenChart_Engine", 3.0);
    reporter.PrintRatio("    the same, shown and painted", "BM_OpenChartShown_Window",
                        "BM_OpenChart_Engine", std::nullopt);
    reporter.PrintRatio("    the session's first opening, making the window",
                        "BM_OpenChartFirst_Window", "BM_OpenChart_Engine", std::nullopt);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    standardHandler = qInstallMessageHandler(dropSizeHintWarnings);
    QApplication app(argc, argv);
    // A message box would wait for a click that never comes: say it and carry on.
    SetMessageHook([](MessageKind, const QString& prompt) {
        std::fprintf(stderr, "Message during the benchmark: %s\n", qPrintable(prompt));
        return false;
    });
    // Generated (or found in the cache) before any timing starts.
    SetAppDatabase(Database::Open(BenchDatabases::Practice()));
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    printSummary(reporter);
    QueryPlans::PrintReport(AppDatabase());
    // The windows the benchmarks kept open go before the application does.
    // Windows with a parent (menus, pop-ups) go with it, so only the others are deleted.
    QWidgetList owners;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (!window->parentWidget())
            owners.append(window);
    }
    qDeleteAll(owners);
    benchmark::Shutdown();
    return 0;
}
