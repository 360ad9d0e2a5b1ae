#pragma once

#include "Database.h"

// The one open database of the process. Start-up opens it; every window uses it.
Database& AppDatabase();
void SetAppDatabase(Database db);
