#pragma once

#include <benchmark/benchmark.h>

class Database;

// Every patient through the engine's forward-only recordset, FieldText of every field by name;
// the same on any back end.
void ReadEveryPatient(Database& db, benchmark::State& state);
