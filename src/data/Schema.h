#pragma once

#include "FieldDef.h"

class Database;

// The prepared definition of one field: Text and Memo fields allow the empty string,
// no field is required.
FieldDef NewField(const QString& name, int type, int size);

// Creates the eleven tables of a new file with their seed rows, then the lookup indexes.
void CreateSchema(Database& db);

// Indexes on identifier and link fields; they change no result, only the speed of
// MAX(id) and of the per-patient lookups. Safe to run on every open.
void EnsureIndexes(Database& db);

// The table names every Velmora file holds.
const QStringList& SchemaTableNames();
