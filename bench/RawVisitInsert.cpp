#include "RawVisitInsert.h"

#include "SampleRecords.h"

#include <JetDate.h>

RawVisitInsert::RawVisitInsert(sqlite3* db)
    : m_insert(db, "INSERT INTO LabVisits (ID, PtID, LabDate, OverallCL, HDL, LDL, Lp_a, "
                   "Triglycerides, HMCYST, CRP, SGOT_AST, SGPT_ALT, CPK, TSH, GLUC, "
                   "The_Intervention, AddDate) VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)")
{
}

void RawVisitInsert::Insert(int id, const VisitSample& visit)
{
    int column = 1;
    m_insert.Bind(column++, id);
    m_insert.Bind(column++, visit.ptid);
    m_insert.Bind(column++, JetDate::ToStorage(visit.labDate));
    for (const std::optional<int>& result : visit.results)
        m_insert.Bind(column++, result);
    m_insert.Bind(column++, visit.intervention);
    m_insert.Bind(column++, JetDate::ToStorage(visit.addDate));
    m_insert.Run();
}
