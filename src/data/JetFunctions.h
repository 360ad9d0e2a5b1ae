#pragma once

struct sqlite3;

// The SQL functions and the text collation that give SQLite the behaviour of the Jet dialect:
// JETTEXT compares text without regard to case (every letter, not only ASCII);
// like() takes Jet patterns; jet_ucase/jet_lcase; jet_store() checks and fits a stored value.
namespace JetFunctions {

void Register(sqlite3* db);

// Compares two UTF-8 texts as the JETTEXT collation does.
int CompareText(const char* a, int aLength, const char* b, int bLength);

} // namespace JetFunctions
