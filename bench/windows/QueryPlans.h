#pragma once

class Database;

// The statements of the main window, the patient editor and the patient's lists, translated
// by the engine and explained by SQLite: each plan is printed, and a statement that scans a
// whole table where an index could serve it is marked.
namespace QueryPlans
{

// Prints the plans and returns how many statements scan where they should not.
int PrintReport(Database& db);

} // namespace QueryPlans
