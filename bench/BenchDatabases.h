#pragma once

#include <QString>

// The generated files the benchmarks run on.
namespace BenchDatabases
{

constexpr int kLargePatients = 50000;
constexpr int kLargeVisits = 500000;
constexpr int kSmallPatients = 2000;
constexpr int kSmallVisits = 20000;
constexpr int kPracticeContacts = 200000;
constexpr int kBusyPatientVisits = 200;
constexpr int kChartedPatientVisits = 500;

// 50,000 patients and 500,000 lab visits: the read and memory benchmarks.
const QString& Large();
// A practice's first years: the template copied afresh for every insert run.
const QString& Small();
// The large file's patients and visits, with 200,000 contact entries and one patient
// (GeneratedDatabase::BusyPatient) holding 200 of the visits and another
// (GeneratedDatabase::ChartedPatient) 500: the window benchmarks.
const QString& Practice();

} // namespace BenchDatabases
