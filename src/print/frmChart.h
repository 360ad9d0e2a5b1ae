#pragma once

#include "clsLabVisit.h"

#include <QDialog>
#include <QList>

class QBarCategoryAxis;
class QChartView;
class QLabel;
class QLineSeries;
class QScatterSeries;
class QValueAxis;
class QXYSeries;
struct ChartKind;

// "Patient History": the line chart of one patient's total cholesterol, HDL or LDL over at
// most 12 lab visits, oldest on the left, against the kind's fixed scale and the patient's
// goal; prints it.
class frmChart : public QDialog {
    Q_OBJECT
public:
    explicit frmChart(QWidget* parent = nullptr);

    // Draws the points (labels in LabDate) for the patient and kind. False when the patient
    // could not be read (reported) or the kind is not one of the chart kinds.
    bool Init(const QList<clsLabVisit>& colObjLV, const QString& ptid, const QString& kind);

    // The chart as drawn, without the window around it.
    QWidget& Chart();

private:
    void buildChart();
    void showSeries(QXYSeries* series, bool shown);
    void drawChart(const QList<clsLabVisit>& points, int goal);
    void showValue(const QPointF& point, bool hovering);

    QLabel* m_heading;
    QChartView* m_chart;
    QBarCategoryAxis* m_dates = nullptr;
    QValueAxis* m_results = nullptr;
    QLineSeries* m_levels = nullptr;
    QScatterSeries* m_offScale = nullptr;
    QLineSeries* m_goal = nullptr;
    const ChartKind* m_kind = nullptr;
    QString m_ptid;
    QList<clsLabVisit> m_points;
};
