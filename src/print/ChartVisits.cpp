#include "ChartVisits.h"

#include "AppDatabase.h"
#include "ChartKind.h"
#include "ChartScope.h"
#include "DaoType.h"
#include "FieldText.h"

std::vector<ChartVisit> ReadChartVisits(const QString& ptid, const ChartKind& kind)
{
    std::vector<ChartVisit> visits;
    auto rs = AppDatabase().OpenRecordset(ChartDataSql(ptid), dbOpenForwardOnly);
    for (; !rs->Eof(); rs->MoveNext()) {
        const FieldList& row = rs->Fields();
        ChartVisit visit{FieldText(row["LabDate"]).toDateTime().date(), {}};
        visit.values.SetOverallCL(FieldText(row["OverallCL"]).toInt());
        visit.values.SetHDL(FieldText(row["HDL"]).toInt());
        visit.values.SetLDL(FieldText(row["LDL"]).toInt());
        if ((visit.values.*kind.value)() != 0)
            visits.push_back(std::move(visit));
    }
    rs->Close();
    std::reverse(visits.begin(), visits.end());
    return visits;
}

QList<clsLabVisit> ChartPoints(const std::vector<ChartVisit>& visits)
{
    QList<clsLabVisit> points;
    for (const ChartVisit& visit : visits) {
        clsLabVisit point = visit.values;
        point.SetLabDate(ChartLabel(visit.labDate));
        points.append(point);
    }
    return points;
}

QString ChartLabel(QDate date)
{
    return QString::number(date.month()) + QStringLiteral(" '") +
           QStringLiteral("%1").arg(date.year() % 100, 2, 10, QLatin1Char('0'));
}

ChartPatient ReadChartPatient(const QString& ptid, const ChartKind& kind)
{
    ChartPatient patient;
    auto rs = AppDatabase().OpenRecordset(QStringLiteral("SELECT * from Patients where Ptid = ") + ptid,
                                          dbOpenForwardOnly);
    if (!rs->Eof()) {
        const FieldList& row = rs->Fields();
        patient.name = FieldText(row["lname"]).toString() + QStringLiteral(", ") +
                       FieldText(row["fname"]).toString() + QStringLiteral(" ") +
                       FieldText(row["mi"]).toString();
        if (kind.goalField)
            patient.goal = FieldText(row[kind.goalField]).toInt();
    }
    rs->Close();
    return patient;
}
