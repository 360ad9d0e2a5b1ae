#pragma once

#include <benchmark/benchmark.h>
#include <map>
#include <optional>
#include <string>

// The console report, keeping each benchmark's times and counters so that the engine's
// figures can be set against their raw SQLite baselines at the end. With repetitions each
// benchmark's fastest repetition counts.
class RatioReporter : public benchmark::ConsoleReporter
{
public:
    struct Figures {
        double realTime = 0;
        double cpuTime = 0;
        std::map<std::string, double> counters;
    };

    void ReportRuns(const std::vector<Run>& runs) override;
    const Figures* Find(const std::string& name) const;
    // The engine benchmarks' summary.
    void PrintSummary() const;

    // One line: the first benchmark's time over the second's, and whether it meets the target.
    void PrintRatio(const char* title, const std::string& measured, const std::string& baseline,
                    std::optional<double> target) const;
    // One line: a benchmark's counter holding the process's peak resident size in MB.
    void PrintPeak(const char* title, const std::string& name, const std::string& counter,
                   std::optional<double> targetMb) const;

private:
    void printSameRows(const std::string& engine, const std::string& raw) const;
    void printMemory(const char* title, const std::string& name,
                     std::optional<double> targetMb) const;

    std::map<std::string, Figures> m_figures;
};
