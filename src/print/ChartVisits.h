#pragma once

#include "clsLabVisit.h"

#include <QDate>
#include <QList>
#include <QString>
#include <vector>

struct ChartKind;

// One charted lab visit: its date and its values (total cholesterol, HDL, LDL).
struct ChartVisit {
    QDate labDate;
    clsLabVisit values;
};

// The visits of the chart data query in the current scope, oldest first, that have a value
// of the kind: a result never entered (0) is no point of the chart and no row of its table.
std::vector<ChartVisit> ReadChartVisits(const QString& ptid, const ChartKind& kind);

// The chart's points: each visit's values with its label in LabDate.
QList<clsLabVisit> ChartPoints(const std::vector<ChartVisit>& visits);

// The point label of a visit: the month without leading zero, a blank, an apostrophe and
// the year's last two digits (11 '03).
QString ChartLabel(QDate date);

// What the chart window and the printed chart say of the patient.
struct ChartPatient {
    // lname, ", ", fname, " ", mi.
    QString name;
    // The patient's goal for the kind; 0 when none was set or the kind has none.
    int goal = 0;
};
ChartPatient ReadChartPatient(const QString& ptid, const ChartKind& kind);
