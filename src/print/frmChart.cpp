#include "frmChart.h"

#include "ChartKind.h"
#include "ChartVisits.h"
#include "Messages.h"
#include "PrintHistoryChart.h"

#include <QBarCategoryAxis>
#include <QChartView>
#include <QCursor>
#include <QFrame>
#include <QGraphicsLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineSeries>
#include <QPushButton>
#include <QScatterSeries>
#include <QToolTip>
#include <QValueAxis>
#include <QVBoxLayout>

namespace {

// Sized so that the printed picture fits between the page header and the table.
constexpr QSize ChartSize(700, 370);
constexpr qreal OffScaleMarker = 9;

// The category axis refuses a label it already holds; two visits in one month share a label,
// so a repeated one is told apart by zero-width spaces that do not show.
QStringList distinctLabels(const QList<clsLabVisit>& points)
{
    QStringList labels;
    for (const clsLabVisit& point : points) {
        QString label = point.LabDate();
        while (labels.contains(label))
            label.append(QChar(0x200B));
        labels.append(label);
    }
    return labels;
}

} // namespace

frmChart::frmChart(QWidget* parent)
    : QDialog(parent), m_heading(new QLabel), m_chart(new QChartView)
{
    setObjectName(QStringLiteral("frmChart"));
    setWindowTitle(QStringLiteral("Patient History"));
    setSizeGripEnabled(true);
    m_heading->setObjectName(QStringLiteral("lblHeading"));
    QFont headingFont = m_heading->font();
    headingFont.setBold(true);
    headingFont.setPointSizeF(headingFont.pointSizeF() * 1.2);
    m_heading->setFont(headingFont);
    m_chart->setObjectName(QStringLiteral("ChartPatLV"));
    m_chart->setRenderHint(QPainter::Antialiasing);
    m_chart->setFrameShape(QFrame::NoFrame);
    m_chart->setMinimumSize(ChartSize / 2);
    m_chart->resize(ChartSize);
    auto* print = new QPushButton(QStringLiteral("&Print"));
    print->setObjectName(QStringLiteral("cmdPrint"));
    auto* frame = new QFrame;
    frame->setObjectName(QStringLiteral("fraChart"));
    frame->setFrameShape(QFrame::StyledPanel);
    auto* frameLayout = new QVBoxLayout(frame);
    frameLayout->addWidget(m_heading);
    frameLayout->addWidget(m_chart, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(print);
    frameLayout->addLayout(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frame);
    resize(sizeHint().expandedTo(ChartSize + QSize(40, 90)));
    buildChart();
    connect(print, &QPushButton::clicked, this,
            [this] { PrintHistoryChart(*this, m_kind->kind, m_ptid); });
}

bool frmChart::Init(const QList<clsLabVisit>& colObjLV, const QString& ptid, const QString& kind)
{
    m_kind = ChartKind::Find(kind);
    m_ptid = ptid.trimmed();
    if (!m_kind)
        return false;
    ChartPatient patient;
    if (!RunReportingErrors([&] { patient = ReadChartPatient(m_ptid, *m_kind); }))
        return false;
    m_heading->setText(patient.name + QStringLiteral(" - ") + m_kind->kind);
    m_points = colObjLV;
    drawChart(colObjLV, patient.goal);
    return true;
}

QWidget& frmChart::Chart()
{
    return *m_chart;
}

// The axes and series are made once per window and refitted for each chart: making them costs
// more than the rest of the drawing, and a kept window is drawn again on every opening.
void frmChart::buildChart()
{
    QChart* chart = m_chart->chart();
    // The whole view is chart, so that the printed picture has no border and twelve date
    // labels have room.
    chart->layout()->setContentsMargins(0, 0, 0, 0);
    chart->setBackgroundRoundness(0);
    chart->legend()->setAlignment(Qt::AlignBottom);
    m_dates = new QBarCategoryAxis;
    m_dates->setTitleText(QStringLiteral("Lab Dates"));
    QFont labels = m_dates->labelsFont();
    labels.setPointSizeF(labels.pointSizeF() * 0.9);
    m_dates->setLabelsFont(labels);
    m_results = new QValueAxis;
    m_results->setTitleText(QStringLiteral("Results"));
    m_results->setLabelFormat(QStringLiteral("%d"));
    chart->addAxis(m_dates, Qt::AlignBottom);
    chart->addAxis(m_results, Qt::AlignLeft);
    m_levels = new QLineSeries(this);
    m_offScale = new QScatterSeries(this);
    m_offScale->setName(QStringLiteral("Off scale"));
    m_offScale->setMarkerSize(OffScaleMarker);
    m_goal = new QLineSeries(this);
    m_goal->setName(QStringLiteral("Goal"));
    m_goal->setPen(QPen(Qt::darkGreen, 2, Qt::DashLine));
    m_goal->setPointLabelsFormat(QStringLiteral("Goal"));
    m_goal->setPointLabelsVisible(true);
    m_goal->setPointLabelsColor(Qt::darkGreen);
    connect(m_levels, &QXYSeries::hovered, this, &frmChart::showValue);
    connect(m_offScale, &QXYSeries::hovered, this, &frmChart::showValue);
    showSeries(m_levels, true);
}

// In the chart only while it has points, so that the legend names only what is drawn.
void frmChart::showSeries(QXYSeries* series, bool shown)
{
    QChart* chart = m_chart->chart();
    if (shown == chart->series().contains(series))
        return;
    if (!shown) {
        chart->removeSeries(series);
        series->setParent(this);
        return;
    }
    chart->addSeries(series);
    series->attachAxis(m_dates);
    series->attachAxis(m_results);
}

// A value beyond the fixed scale is drawn at the scale's edge and marked, its value shown
// when the pointer rests on it.
void frmChart::drawChart(const QList<clsLabVisit>& points, int goal)
{
    m_chart->chart()->setTitle(m_kind->kind);
    m_dates->setCategories(distinctLabels(points));
    m_results->setRange(m_kind->minimum, m_kind->maximum);
    m_results->setTickCount(m_kind->majorDivisions + 1);
    m_results->setMinorTickCount(m_kind->minorDivisions - 1);
    QList<QPointF> levels, offScale;
    for (qsizetype i = 0; i < points.size(); ++i) {
        const int value = (points[i].*m_kind->value)();
        const QPointF drawn(qreal(i), qreal(std::clamp(value, m_kind->minimum, m_kind->maximum)));
        levels.append(drawn);
        if (drawn.y() != value)
            offScale.append(drawn);
    }
    m_levels->setName(m_kind->kind);
    m_levels->replace(levels);
    m_offScale->replace(offScale);
    showSeries(m_offScale, !offScale.isEmpty());
    if (goal > 0)
        m_goal->replace({QPointF(0, goal), QPointF(qreal(points.size() - 1), goal)});
    showSeries(m_goal, goal > 0);
}

void frmChart::showValue(const QPointF& point, bool hovering)
{
    const qsizetype index = qRound(point.x());
    if (!hovering || index < 0 || index >= m_points.size()) {
        QToolTip::hideText();
        return;
    }
    const clsLabVisit& visit = m_points[index];
    QToolTip::showText(QCursor::pos(),
                       visit.LabDate() + QStringLiteral(": ") + QString::number((visit.*m_kind->value)()),
                       m_chart);
}
