#pragma once

class Database;

// Files made by earlier builds declared a collation and type words of the engine's own in
// their tables, which other SQLite tools cannot read. Conversion rebuilds every table with
// plain declarations, keeping every row, in one transaction.
namespace SchemaConversion {

bool Needed(Database& db);
// Rebuilds the tables and their indexes; on failure nothing has changed (DbError).
void Run(Database& db);

} // namespace SchemaConversion
