#include "BenchDatabases.h"
#include "RatioReporter.h"

#include <benchmark/benchmark.h>
#include <cstdio>

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    BenchDatabases::Large();
    BenchDatabases::Small();
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\nImport and export against the engine alone, same run:\n");
    reporter.PrintRatio("(a) import of 30,000 patient lines", "BM_Import_Exchange",
                        "BM_Import_Engine", 2.0);
    reporter.PrintRatio("(b) export of 500,000 lab visits", "BM_ExportVisits_Exchange",
                        "BM_ExportVisits_Engine", 2.0);
    benchmark::Shutdown();
    return 0;
}
