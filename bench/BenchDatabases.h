#pragma once

#include <QString>

// The generated files the benchmarks run on.
namespace BenchDatabases
{

constexpr int kLargePatients = 50000;
constexpr int kLargeVisits = 500000;
constexpr int kSmallPatients = 2000;
constexpr int kSmallVisits = 20000;

// 50,000 patients and 500,000 lab visits: the read and memory benchmarks.
const QString& Large();
// A practice's first years: the template copied afresh for every insert run.
const QString& Small();

} // namespace BenchDatabases
