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

QValueAxis* valueAxis(const ChartKind& kind)
{
    auto* axis = new QValueAxis;
    axis->setTitleText(QStringLiteral("Results"));
    axis->setRange(kind.minimum, kind.maximum);
    axis->setTickCount(kind.majorDivisions + 1);
    axis->setMinorTickCount(kind.minorDivisions - 1);
    axis->setLabelFormat(QStringLiteral("%d"));
    return axis;
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

// A value beyond the fixed scale is drawn at the scale's edge and marked, its value shown
// when the pointer rests on it.
void frmChart::drawChart(const QList<clsLabVisit>& points, int goal)
{
    // The view's own chart, emptied: a second chart would cost as much again to build.
    QChart* chart = m_chart->chart();
    chart->removeAllSeries();
    for (QAbstractAxis* axis : chart->axes()) {
        chart->removeAxis(axis);
        delete axis;
    }
    chart->setTitle(m_kind->kind);
    // The whole view is chart, so that the printed picture has no border and twelve date
    // labels have room.
    chart->layout()->setContentsMargins(0, 0, 0, 0);
    chart->setBackgroundRoundness(0);
    auto* axisX = new QBarCategoryAxis;
    axisX->setTitleText(QStringLiteral("Lab Dates"));
    axisX->append(distinctLabels(points));
    QFont labels = axisX->labelsFont();
    labels.setPointSizeF(labels.pointSizeF() * 0.9);
    axisX->setLabelsFont(labels);
    auto* axisY = valueAxis(*m_kind);
    chart->addAxis(axisX, Qt::AlignBottom);
    chart->addAxis(axisY, Qt::AlignLeft);
    auto* levels = new QLineSeries;
    levels->setName(m_kind->kind);
    auto* offScale = new QScatterSeries;
    offScale->setName(QStringLiteral("Off scale"));
    offScale->setMarkerSize(OffScaleMarker);
    for (qsizetype i = 0; i < points.size(); ++i) {
        const int value = (points[i].*m_kind->value)();
        const QPointF drawn(qreal(i), qreal(std::clamp(value, m_kind->minimum, m_kind->maximum)));
        levels->append(drawn);
        if (drawn.y() != value)
            offScale->append(drawn);
    }
    connect(levels, &QXYSeries::hovered, this, &frmChart::showValue);
    QList<QAbstractSeries*> series{levels};
    if (offScale->count() > 0) {
        connect(offScale, &QXYSeries::hovered, this, &frmChart::showValue);
        series.append(offScale);
    } else {
        delete offScale;
    }
    if (goal > 0) {
        auto* goalLine = new QLineSeries;
        goalLine->setName(QStringLiteral("Goal"));
        goalLine->append({QPointF(0, goal), QPointF(qreal(points.size() - 1), goal)});
        QPen dashed(Qt::darkGreen, 2, Qt::DashLine);
        goalLine->setPen(dashed);
        goalLine->setPointLabelsFormat(QStringLiteral("Goal"));
        goalLine->setPointLabelsVisible(true);
        goalLine->setPointLabelsColor(Qt::darkGreen);
        series.append(goalLine);
    }
    for (QAbstractSeries* each : series) {
        chart->addSeries(each);
        each->attachAxis(axisX);
        each->attachAxis(axisY);
    }
    chart->legend()->setAlignment(Qt::AlignBottom);
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
