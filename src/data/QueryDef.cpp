#include "QueryDef.h"

#include "Database.h"

void QueryDef::Execute(int options)
{
    m_db->Execute(m_sql, options);
}

std::unique_ptr<Recordset> QueryDef::OpenRecordset(int type)
{
    return m_db->OpenRecordset(m_sql, type);
}
