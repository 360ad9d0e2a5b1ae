#include "RatioReporter.h"

#include <algorithm>
#include <cstdio>

void RatioReporter::ReportRuns(const std::vector<Run>& runs)
{
    for (const Run& run : runs) {
        if (run.run_type != Run::RT_Iteration || run.error_occurred)
            continue;
        // Of repeated runs the fastest counts (a busy machine only ever adds time); the
        // counters are the first run's, taken before anything was warmed up.
        const auto [it, first] = m_figures.try_emplace(run.run_name.function_name);
        Figures& figures = it->second;
        const double realTime = run.GetAdjustedRealTime();
        const double cpuTime = run.GetAdjustedCPUTime();
        figures.realTime = first ? realTime : std::min(figures.realTime, realTime);
        figures.cpuTime = first ? cpuTime : std::min(figures.cpuTime, cpuTime);
        if (first) {
            for (const auto& [name, counter] : run.counters)
                figures.counters[name] = counter.value;
        }
    }
    ConsoleReporter::ReportRuns(runs);
}

const RatioReporter::Figures* RatioReporter::Find(const std::string& name) const
{
    const auto it = m_figures.find(name);
    return it == m_figures.end() ? nullptr : &it->second;
}

void RatioReporter::PrintRatio(const char* title, const std::string& measured,
                               const std::string& baseline, std::optional<double> target) const
{
    const Figures* e = Find(measured);
    const Figures* r = Find(baseline);
    if (!e || !r || r->realTime <= 0 || r->cpuTime <= 0)
        return;
    const double ratio = e->realTime / r->realTime;
    std::printf("  %-46s %6.2fx wall, %6.2fx CPU", title, ratio, e->cpuTime / r->cpuTime);
    if (target)
        std::printf("  (target <= %.1fx wall: %s)", *target, ratio <= *target ? "met" : "MISSED");
    std::printf("\n");
}

void RatioReporter::printMemory(const char* title, const std::string& name,
                                std::optional<double> targetMb) const
{
    const Figures* f = Find(name);
    if (!f || !f->counters.count("peak_growth_MB"))
        return;
    const double growth = f->counters.at("peak_growth_MB");
    std::printf("  %-46s %6.2f MB peak RSS growth", title, growth);
    if (targetMb)
        std::printf("  (target < %.0f MB: %s)", *targetMb, growth < *targetMb ? "met" : "MISSED");
    std::printf("\n");
}

void RatioReporter::PrintPeak(const char* title, const std::string& name,
                              const std::string& counter, std::optional<double> targetMb) const
{
    const Figures* f = Find(name);
    if (!f || !f->counters.count(counter))
        return;
    const double peak = f->counters.at(counter);
    std::printf("  %-46s %6.1f MB peak resident (VmHWM)", title, peak);
    if (targetMb)
        std::printf("  (target < %.0f MB: %s)", *targetMb, peak < *targetMb ? "met" : "MISSED");
    std::printf("\n");
}

void RatioReporter::printSameRows(const std::string& engine, const std::string& raw) const
{
    const Figures* e = Find(engine);
    const Figures* r = Find(raw);
    if (!e || !r || !e->counters.count("checksum") || !r->counters.count("checksum"))
        return;
    const double sum = e->counters.at("checksum");
    std::printf("  %-46s %s\n", "    both stored the same rows:",
                sum >= 0 && sum == r->counters.at("checksum") ? "yes" : "NO");
}

void RatioReporter::PrintSummary() const
{
    std::printf("\nEngine against raw SQLite, same run:\n");
    PrintRatio("(a) read all patients, FieldText by name", "BM_ReadPatients_Engine",
               "BM_ReadPatients_Raw", 2.0);
    PrintRatio("    the same, fields by position", "BM_ReadPatients_EngineByIndex",
               "BM_ReadPatients_Raw", std::nullopt);
    PrintRatio("(b) single-row INSERTs, each with its NextId", "BM_InsertVisits_Engine",
               "BM_InsertVisits_Raw", 1.5);
    printSameRows("BM_InsertVisits_Engine", "BM_InsertVisits_Raw");
    printMemory("(c) forward-only recordset over all visits", "BM_ForwardOnlyMemory", 20.0);
    printMemory("    for contrast, a snapshot of the same rows", "BM_SnapshotMemory", std::nullopt);
    PrintRatio("(d) import of 30,000 patient lines", "BM_Import_Exchange", "BM_Import_Engine",
               2.0);
    PrintRatio("(e) export of 500,000 lab visits", "BM_ExportVisits_Exchange",
               "BM_ExportVisits_Engine", 2.0);
    std::printf("\nEngine on a PostgreSQL server against libpq alone, same run:\n");
    PrintRatio("(f) read all patients, FieldText by name", "BM_ServerReadPatients_Engine",
               "BM_ServerReadPatients_Raw", 2.0);
    PrintRatio("(g) single-row INSERTs, each with its NextId", "BM_ServerInsertVisits_Engine",
               "BM_ServerInsertVisits_Raw", 1.5);
    std::fflush(stdout);
}
