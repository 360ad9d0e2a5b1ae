#include "ChartScope.h"

#include "AppDatabase.h"
#include "DaoType.h"
#include "Messages.h"

namespace ChartScope {
bool ChartProceed = false;
QString ChartScopeClause;
} // namespace ChartScope

namespace {

// More visits than this in a range are too many for one chart.
constexpr int MostInRange = 11;

} // namespace

QString ChartDataSql(const QString& ptid)
{
    return QStringLiteral("SELECT TOP 12 LabDate, OverallCL, HDL, LDL from LabVisits where ptID = ") +
           ptid + QStringLiteral(" ") + ChartScopeClause + QStringLiteral(" ORDER BY LabDate desc");
}

bool CheckScopeCount(const QString& clause, const QString& ptid, bool& accepted)
{
    return RunReportingErrors([&] {
        auto rs = AppDatabase().OpenRecordset(QStringLiteral("SELECT COUNT(*) from labVisits where ") +
                                                  clause + QStringLiteral(" and ptID = ") + ptid,
                                              dbOpenForwardOnly);
        accepted = rs->Value(0).toInt() <= MostInRange;
        rs->Close();
    });
}
