#include "ShowHistoryChart.h"

#include "AppDatabase.h"
#include "ChartKind.h"
#include "ChartScope.h"
#include "ChartVisits.h"
#include "DaoType.h"
#include "Messages.h"
#include "frmChart.h"
#include "frmChartSp.h"

namespace {

// More visits than this need the scope window.
constexpr int MostCharted = 12;

const QString NotEnough = QStringLiteral(
    "Not enough bloodwork results entered for this patient.  At least two are required");

// Between openings the chart window stays, hidden, with the program's outermost window: drawing
// into a kept window costs a fraction of making one.
frmChart& keptChartWindow(QWidget* parent)
{
    QWidget* root = parent;
    while (root && root->parentWidget())
        root = root->parentWidget();
    frmChart* kept =
        root ? root->findChild<frmChart*>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
    if (!kept) {
        kept = new frmChart(root);
        kept->setAttribute(Qt::WA_DeleteOnClose, !root);
    }
    return *kept;
}

} // namespace

void ShowHistoryChart(QWidget* parent, const QString& ptid, const QString& kind)
{
    const ChartKind* chartKind = ChartKind::Find(kind);
    int count = 0;
    if (!chartKind || !RunReportingErrors([&] {
            auto rs = AppDatabase().OpenRecordset(
                QStringLiteral("SELECT COUNT(*) from labVisits where ptID = ") + ptid, dbOpenForwardOnly);
            count = rs->Value(0).toInt();
            rs->Close();
        }))
        return;
    if (count > MostCharted) {
        frmChartSp scope(parent);
        scope.Init(ptid);
        scope.exec();
    } else {
        ChartProceed = true;
        ChartScopeClause.clear();
    }
    if (!ChartProceed)
        return;
    std::vector<ChartVisit> visits;
    if (!RunReportingErrors([&] { visits = ReadChartVisits(ptid, *chartKind); }))
        return;
    if (visits.size() < 2) {
        ShowAttention(NotEnough);
        return;
    }
    frmChart& chart = keptChartWindow(parent);
    if (chart.Init(ChartPoints(visits), ptid, kind))
        chart.exec();
}
