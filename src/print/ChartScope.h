#pragma once

#include <QString>

// Shared by the scope window and the chart routines for the life of the process; every
// chart request sets both before use.
namespace ChartScope {
// Whether the chart is to be drawn after the scope step.
extern bool ChartProceed;
// Appended to the chart data query: empty for the last 12 entries, or a range of years.
extern QString ChartScopeClause;
} // namespace ChartScope

using ChartScope::ChartProceed;
using ChartScope::ChartScopeClause;

// The patient's newest 12 lab visits within the current scope, newest first.
QString ChartDataSql(const QString& ptid);

// Counts the patient's lab visits matching the clause; accepted when there are at most 11.
// False when the engine failed (reported), leaving accepted as it was.
bool CheckScopeCount(const QString& clause, const QString& ptid, bool& accepted);
