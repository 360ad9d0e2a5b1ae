#include "AppDatabase.h"

namespace {

Database& instance()
{
    static Database db;
    return db;
}

} // namespace

Database& AppDatabase()
{
    return instance();
}

void SetAppDatabase(Database db)
{
    instance() = std::move(db);
}
