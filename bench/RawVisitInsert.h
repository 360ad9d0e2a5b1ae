#pragma once

#include "RawStatement.h"

struct VisitSample;

// Stores one lab visit straight through SQLite, its dates in the engine's stored form.
class RawVisitInsert
{
public:
    explicit RawVisitInsert(sqlite3* db);
    void Insert(int id, const VisitSample& visit);

private:
    RawStatement m_insert;
};
