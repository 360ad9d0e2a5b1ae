// The chart options, the scope window, the chart window and the printed chart.
#include "ChartKind.h"
#include "ChartScope.h"
#include "ChartVisits.h"
#include "PrintHistoryChart.h"
#include "PrintTestbed.h"
#include "ShowHistoryChart.h"
#include "frmChart.h"
#include "frmChartSetup.h"

#include <QBarCategoryAxis>
#include <QChartView>
#include <QComboBox>
#include <QImage>
#include <QValueAxis>
#include <QXYSeries>

namespace {

const QString NotEnough =
    QStringLiteral("Not enough bloodwork results entered for this patient.  At least two are required");
const QString TooBroad = QStringLiteral("Selected date range is too broad. Please narrow your search");
const int ThisYear = QDate::currentDate().year();

void addPatient(int ptid, int goalChol = 0)
{
    Sql(QStringLiteral("INSERT INTO Patients (ptid, lname, fname, mi, goal_chol, goal_ldl) VALUES "
                       "(%1, 'Okafor', 'Ada', 'Q', %2, 0)").arg(ptid).arg(goalChol));
}

void click(QWidget& window, const char* name)
{
    QTest::mouseClick(Child<QAbstractButton>(window, name), Qt::LeftButton, {}, QPoint(6, 6));
}

// What the chart window shows, a line each: its heading, the chart's title, the scale (lowest,
// highest, ticks, minor ticks), the date labels, then each series drawn, marked when dashed:
// the kind's values, and the goal and off-scale points where drawn.
QStringList read(QDialog& window)
{
    QChart* chart = Child<QChartView>(window, "ChartPatLV")->chart();
    const auto* axis = static_cast<QValueAxis*>(chart->axes(Qt::Vertical).first());
    QStringList shown{Child<QLabel>(window, "lblHeading")->text(), chart->title(),
                      QStringLiteral("%1-%2 %3 %4").arg(axis->min()).arg(axis->max())
                          .arg(axis->tickCount()).arg(axis->minorTickCount()),
                      static_cast<QBarCategoryAxis*>(chart->axes(Qt::Horizontal).first())
                          ->categories().join(u'|').remove(QChar(0x200B))};
    for (QAbstractSeries* series : chart->series()) {
        const auto* line = static_cast<QXYSeries*>(series);
        QStringList points;
        for (const QPointF& point : line->points())
            points.append(series == chart->series().first() ? QString::number(point.y())
                                                            : QStringLiteral("%1,%2").arg(point.x()).arg(point.y()));
        shown.append(series->name() + (line->pen().style() == Qt::DashLine ? " dashed: " : ": ") +
                     points.join(u' '));
    }
    return shown;
}

} // namespace

class tst_HistoryChart : public QObject {
    Q_OBJECT
    std::unique_ptr<ListWindowTestbed> m_bed;
    QStringList m_shown;

    qsizetype drawn() const { return m_shown.value(4).section(u':', 1).split(u' ', Qt::SkipEmptyParts).size(); }

    // The chart window, when it opens next, is read and closed.
    void readChart()
    {
        m_shown.clear();
        m_bed->OnWindow("frmChart", [this](QDialog& window) { m_shown = read(window); window.reject(); });
    }
    // Charts the patient's total cholesterol as the setup window does; the chart window is read.
    void chart(int ptid, QWidget* opener = nullptr)
    {
        readChart();
        ShowHistoryChart(opener, QString::number(ptid), "Total Cholesterol Levels");
    }

private slots:
    void init()
    {
        m_bed = std::make_unique<ListWindowTestbed>();
        addPatient(1, 200);
    }
    void cleanup() { m_bed.reset(); }

    void rangeOfYears_data()
    {
        QTest::addColumn<int>("inRange");
        QTest::addColumn<bool>("beginAfterEnd");
        QTest::addColumn<QStringList>("notices");
        QTest::newRow("11 accepted") << 11 << false << QStringList();
        QTest::newRow("12 refused") << 12 << false << QStringList{TooBroad};
        QTest::newRow("1: too few") << 1 << false << QStringList{NotEnough};
        QTest::newRow("begin after end") << 2 << true << QStringList();
    }

    // 12 visits nine years back and those of the range: 13 or more open the scope window, which
    // offers the years from three back; it stays open on a range it refuses, and closed then
    // charts nothing. The next chart, of a patient with few visits, uses no range.
    void rangeOfYears()
    {
        QFETCH(int, inRange);
        QFETCH(bool, beginAfterEnd);
        QFETCH(QStringList, notices);
        const bool charted = notices.isEmpty() && !beginAfterEnd;
        AddVisits(1, QDate(ThisYear - 9, 1, 5), 12);
        AddVisits(1, QDate(ThisYear - 2, 1, 5), inRange);
        bool stayedOpen = false;
        m_bed->OnWindow("frmChartSp", [&](QDialog& window) {
            click(window, "optDateRange");
            QVERIFY(Child<QComboBox>(window, "cmbBegin")->isEnabled());
            QCOMPARE(Child<QComboBox>(window, "cmbBegin")->currentText(), QString::number(ThisYear - 3));
            if (beginAfterEnd)
                Child<QComboBox>(window, "cmbEnd")->setCurrentIndex(0);
            click(window, "cmdOK");
            stayedOpen = window.isVisible();
            if (stayedOpen)
                QTest::keyClick(&window, Qt::Key_Escape);
        });
        chart(1);
        QCOMPARE(m_bed->notices, notices);
        QCOMPARE(stayedOpen, !charted && notices != QStringList{NotEnough});
        QCOMPARE(drawn(), charted ? inRange : 0);
        addPatient(2);
        AddVisits(2, QDate(ThisYear - 8, 1, 5), 5);
        chart(2);
        QCOMPARE(drawn(), 5);
        QVERIFY(ChartScopeClause.isEmpty());
    }

    void kindsFromTheChartOptions_data()
    {
        QTest::addColumn<QString>("option");
        QTest::addColumn<QStringList>("shown");
        const QString labels = "4 '21|5 '21|6 '21|7 '21|8 '21|9 '21|10 '21|11 '21|12 '21|1 '22|2 '22|3 '22";
        QTest::newRow("total cholesterol, goal")
            << "optTCChart"
            << QStringList{"Okafor, Ada Q - Total Cholesterol Levels", "Total Cholesterol Levels", "100-800 8 0",
                           labels, "Total Cholesterol Levels: 200 201 202 203 204 205 206 207 208 209 210 211",
                           "Goal dashed: 0,200 11,200"};
        QTest::newRow("HDL, none kept")
            << "optHDL"
            << QStringList{"Okafor, Ada Q - HDL Levels", "HDL Levels", "0-100 11 0", labels,
                           "HDL Levels: 40 41 42 43 44 45 46 47 48 49 50 51"};
        QTest::newRow("LDL, none set")
            << "optLDL"
            << QStringList{"Okafor, Ada Q - LDL Levels", "LDL Levels", "50-300 6 0", labels,
                           "LDL Levels: 100 101 102 103 104 105 106 107 108 109 110 111"};
    }

    // The setup window hands its kind on and stays; 12 visits are charted without the scope
    // window, with the kind's scale, values and goal.
    void kindsFromTheChartOptions()
    {
        QFETCH(QString, option);
        AddVisits(1, QDate(2021, 4, 2), 12);
        frmChartSetup setup;
        setup.Init(1);
        setup.show();
        click(setup, option.toLatin1());
        readChart();
        click(setup, "cmdChart");
        QVERIFY(setup.isVisible());
        QTEST(m_shown, "shown");
    }

    // A result above the scale is drawn at its top and marked; one never entered is no point;
    // the chart window kept by its opener and drawn again shows nothing of the previous chart;
    // the scope window's preset charts the last 12 of 20 visits.
    void keptWindowShowsOnlyTheLatestEnteredResults()
    {
        AddVisits(1, QDate(2022, 1, 3), 3);
        Sql("UPDATE LabVisits SET overallcl = 912 WHERE labdate = #1/3/2022#");
        Sql("UPDATE LabVisits SET overallcl = 0 WHERE labdate = #2/3/2022#");
        addPatient(2);
        AddVisits(2, QDate(2003, 3, 1), 20);
        QDialog opener;
        chart(1, &opener);
        QCOMPARE(m_shown.mid(3), QStringList({"1 '22|3 '22", "Total Cholesterol Levels: 800 202",
                                              "Off scale: 0,800", "Goal dashed: 0,200 1,200"}));
        m_bed->OnWindow("frmChartSp", [](QDialog& window) { click(window, "cmdOK"); });
        chart(2, &opener);
        QCOMPARE(m_shown.mid(3),
                 QStringList({"11 '03|12 '03|1 '04|2 '04|3 '04|4 '04|5 '04|6 '04|7 '04|8 '04|9 '04|10 '04",
                              "Total Cholesterol Levels: 208 209 210 211 212 213 214 215 216 217 218 219"}));
        Sql("UPDATE LabVisits SET overallcl = 0 WHERE labdate = #3/3/2022#");
        chart(1, &opener);
        QCOMPARE(m_bed->notices, QStringList{NotEnough});
    }

    // The header with the patient's name, the kind, the picture centred by its size and the
    // table of dates and values oldest first from y 9360, in a date and a value column.
    void printedPage()
    {
        AddVisits(1, QDate(2022, 11, 20), 3);
        Sql("UPDATE LabVisits SET overallcl = 912 WHERE labdate = #11/20/2022#");
        ChartScopeClause.clear();
        RecordingSurface page;
        DrawHistoryChart(page, QImage(600, 301, QImage::Format_RGB32), "Total Cholesterol Levels ", "1");
        QVERIFY(page.Ended());
        const QStringList layout = Layout(page);
        const int kindY = page.Items()[2].y + 100, row = page.LineHeight() + 100;
        QCOMPARE(layout[1], "Okafor, Ada Q 720,970 24pt");
        QCOMPARE(layout.mid(3),
                 QStringList({"Total Cholesterol Levels" + At(720, kindY), "picture 1620,4222 size 9000,4515",
                              "Lab Date 1440,9360 underlined", "Result 2880,9360 underlined",
                              "11/20/2022" + At(1440, 9360 + row), "912" + At(2880, 9360 + row),
                              "12/20/2022" + At(1440, 9360 + 2 * row), "201" + At(2880, 9360 + 2 * row),
                              "01/20/2023" + At(1440, 9360 + 3 * row), "202" + At(2880, 9360 + 3 * row)}));
    }

    // The picture printed is the chart itself, at its size, written to the per-user data folder.
    void printCapturesTheChart()
    {
        AddVisits(1, QDate(2022, 1, 3), 2);
        ChartScopeClause.clear();
        frmChart window;
        window.Init(ChartPoints(ReadChartVisits("1", *ChartKind::Find("LDL Levels"))), "1", "LDL Levels");
        window.show();
        m_bed->OnWindow("frmPrint", [](QDialog&) {});
        click(window, "cmdPrint");
        QCOMPARE(m_bed->leftOpen, QStringList{"frmPrint"});
        const QImage picture(QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation) +
                             "/chartpic.bmp");
        QCOMPARE(picture.size(), Child<QChartView>(window, "ChartPatLV")->size());
    }
};

QTEST_MAIN(tst_HistoryChart)
#include "tst_HistoryChart.moc"
