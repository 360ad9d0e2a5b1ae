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
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QValueAxis>
#include <QXYSeries>

namespace {

const QString NotEnough =
    QStringLiteral("Not enough bloodwork results entered for this patient.  At least two are required");
const QString TooBroad = QStringLiteral("Selected date range is too broad. Please narrow your search");
const int ThisYear = QDate::currentDate().year();

// Visits a month apart from the first date; total cholesterol, HDL and LDL rise by one a visit.
void addVisits(int ptid, QDate first, int count)
{
    static int id = 0;
    for (int i = 0; i < count; ++i)
        Sql(QStringLiteral("INSERT INTO LabVisits (id, ptid, labdate, overallcl, hdl, ldl) VALUES "
                           "(%1, %2, #%3#, %4, %5, %6)")
                .arg(++id).arg(ptid).arg(UsDate(first.addMonths(i))).arg(200 + i).arg(40 + i).arg(100 + i));
}

void addPatient(int ptid, int goalChol = 0)
{
    Sql(QStringLiteral("INSERT INTO Patients (ptid, lname, fname, mi, goal_chol, goal_ldl) VALUES "
                       "(%1, 'Okafor', 'Ada', 'Q', %2, 0)").arg(ptid).arg(goalChol));
}

void click(QWidget& window, const char* name)
{
    QTest::mouseClick(Child<QAbstractButton>(window, name), Qt::LeftButton);
}

// What the chart window showed: the goal and off-scale points empty when not drawn.
struct Shown {
    QString heading;
    QString title;
    QStringList labels;
    QList<qreal> values;
    QList<qreal> scale;
    QList<QPointF> goal;
    QList<QPointF> offScale;
};

Shown read(QDialog& window)
{
    Shown shown;
    shown.heading = Child<QLabel>(window, "lblHeading")->text();
    QChart* chart = Child<QChartView>(window, "ChartPatLV")->chart();
    shown.title = chart->title();
    for (QString label : static_cast<QBarCategoryAxis*>(chart->axes(Qt::Horizontal).first())->categories())
        shown.labels.append(label.remove(QChar(0x200B)));
    const auto* axis = static_cast<QValueAxis*>(chart->axes(Qt::Vertical).first());
    shown.scale = {axis->min(), axis->max(), qreal(axis->tickCount()), qreal(axis->minorTickCount())};
    for (QAbstractSeries* series : chart->series()) {
        const auto* line = static_cast<QXYSeries*>(series);
        if (series == chart->series().first()) {
            for (const QPointF& point : line->points())
                shown.values.append(point.y());
        } else if (series->name() == "Goal" && line->pen().style() == Qt::DashLine) {
            shown.goal = line->points();
        } else if (series->name() == "Off scale") {
            shown.offScale = line->points();
        }
    }
    return shown;
}

} // namespace

// Plays the user in each modal window as it opens: the window's action, or Close when it has
// none; records the windows in the order they opened.
class WindowScript : public QObject {
public:
    WindowScript()
    {
        connect(&m_poll, &QTimer::timeout, this, &WindowScript::poll);
        m_poll.start(10);
    }
    void On(const QString& name, ListWindowTestbed::Action action) { m_actions.insert(name, action); }

    QStringList windows;

private:
    void poll()
    {
        auto* window = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!window || window == m_last)
            return;
        m_last = window;
        windows.append(window->objectName());
        QPointer<QDialog> guard(window);
        if (const auto action = m_actions.value(window->objectName()))
            action(*window);
        if (guard && guard->isVisible())
            guard->reject();
        // Closed: a kept window shown again counts as opened again.
        if (guard && !guard->isVisible())
            m_last = nullptr;
    }

    QTimer m_poll;
    QPointer<QDialog> m_last;
    QHash<QString, ListWindowTestbed::Action> m_actions;
};

class tst_HistoryChart : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        m_bed = std::make_unique<ListWindowTestbed>();
        m_user = std::make_unique<WindowScript>();
        addPatient(1, 200);
    }
    void cleanup()
    {
        m_user.reset();
        m_bed.reset();
    }
    void rangeOfYears_data();
    void rangeOfYears();
    void chartAfterARangedChartUsesNoRange();
    void lastTwelveStartAtTheNinthOldestOfTwenty();
    void kindsFromTheChartOptions_data();
    void kindsFromTheChartOptions();
    void outOfScaleClippedAndUnenteredLeftOut();
    void keptWindowShowsOnlyTheLatestChart();
    void printedPage();
    void printCapturesTheChart();

private:
    // Charts the patient's total cholesterol as the setup window does; the chart window, if
    // one opens, is read.
    void chart(int ptid);

    std::unique_ptr<ListWindowTestbed> m_bed;
    std::unique_ptr<WindowScript> m_user;
    Shown m_shown;
};

void tst_HistoryChart::chart(int ptid)
{
    m_shown = {};
    m_user->On(QStringLiteral("frmChart"), [this](QDialog& window) { m_shown = read(window); });
    ShowHistoryChart(nullptr, QString::number(ptid), QStringLiteral("Total Cholesterol Levels"));
}

void tst_HistoryChart::rangeOfYears_data()
{
    QTest::addColumn<int>("inRange");
    QTest::addColumn<bool>("beginAfterEnd");
    QTest::addColumn<QStringList>("windows");
    QTest::addColumn<QStringList>("notices");
    const QStringList ranged{"frmChartSp", "frmChart"};
    QTest::newRow("11 accepted") << 11 << false << ranged << QStringList();
    QTest::newRow("12 refused") << 12 << false << QStringList{"frmChartSp"} << QStringList{TooBroad};
    QTest::newRow("1: too few") << 1 << false << QStringList{"frmChartSp"} << QStringList{NotEnough};
    QTest::newRow("begin after end") << 2 << true << QStringList{"frmChartSp"} << QStringList();
}

// 12 visits nine years back and those of the range: 13 or more open the scope window.
void tst_HistoryChart::rangeOfYears()
{
    QFETCH(int, inRange);
    QFETCH(bool, beginAfterEnd);
    QFETCH(QStringList, windows);
    QFETCH(QStringList, notices);
    addVisits(1, QDate(ThisYear - 9, 1, 5), 12);
    addVisits(1, QDate(ThisYear - 2, 1, 5), inRange);
    bool stayedOpen = false;
    m_user->On("frmChartSp", [&](QDialog& window) {
        QTest::mouseClick(Child<QRadioButton>(window, "optDateRange"), Qt::LeftButton, {}, QPoint(6, 6));
        QVERIFY(Child<QComboBox>(window, "cmbBegin")->isEnabled());
        QCOMPARE(Child<QComboBox>(window, "cmbBegin")->currentText(), QString::number(ThisYear - 3));
        if (beginAfterEnd) {
            Child<QComboBox>(window, "cmbBegin")->setCurrentIndex(9);
            Child<QComboBox>(window, "cmbEnd")->setCurrentIndex(0);
        }
        click(window, "cmdOK");
        stayedOpen = window.isVisible();
    });
    chart(1);
    QCOMPARE(m_user->windows, windows);
    QCOMPARE(m_bed->notices, notices);
    QCOMPARE(stayedOpen, windows.size() == 1 && notices != QStringList{NotEnough});
    QCOMPARE(m_shown.values.size(), windows.size() == 2 ? inRange : 0);
}

void tst_HistoryChart::chartAfterARangedChartUsesNoRange()
{
    addVisits(1, QDate(ThisYear - 9, 1, 5), 13);
    addVisits(1, QDate(ThisYear - 1, 1, 5), 3);
    m_user->On("frmChartSp", [](QDialog& window) {
        QTest::mouseClick(Child<QRadioButton>(window, "optDateRange"), Qt::LeftButton, {}, QPoint(6, 6));
        click(window, "cmdOK");
    });
    chart(1);
    QCOMPARE(m_shown.values.size(), 3);
    addPatient(2);
    addVisits(2, QDate(ThisYear - 8, 1, 5), 5);
    chart(2);
    QCOMPARE(m_user->windows, QStringList({"frmChartSp", "frmChart", "frmChart"}));
    QCOMPARE(m_shown.values.size(), 5);
    QVERIFY(ChartScopeClause.isEmpty());
}

void tst_HistoryChart::lastTwelveStartAtTheNinthOldestOfTwenty()
{
    addVisits(1, QDate(2003, 3, 1), 20);
    m_user->On("frmChartSp", [](QDialog& window) { click(window, "cmdOK"); });
    chart(1);
    QCOMPARE(m_shown.labels, QStringList({"11 '03", "12 '03", "1 '04", "2 '04", "3 '04", "4 '04", "5 '04",
                                          "6 '04", "7 '04", "8 '04", "9 '04", "10 '04"}));
    QCOMPARE(m_shown.values.first(), 208.0);
    QCOMPARE(m_shown.values.last(), 219.0);
}

void tst_HistoryChart::kindsFromTheChartOptions_data()
{
    QTest::addColumn<QString>("option");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QList<qreal>>("scale");
    QTest::addColumn<qreal>("first");
    QTest::addColumn<qreal>("goal");
    QTest::newRow("total cholesterol, goal") << "optTCChart" << "Total Cholesterol Levels"
                                             << QList<qreal>{100, 800, 8, 0} << 200.0 << 200.0;
    QTest::newRow("HDL, none kept") << "optHDL" << "HDL Levels" << QList<qreal>{0, 100, 11, 0} << 40.0
                                    << 0.0;
    QTest::newRow("LDL, none set") << "optLDL" << "LDL Levels" << QList<qreal>{50, 300, 6, 0} << 100.0
                                   << 0.0;
}

// The setup window hands its kind on; 12 visits are charted without the scope window, with the
// kind's scale, values and goal.
void tst_HistoryChart::kindsFromTheChartOptions()
{
    QFETCH(QString, option);
    QFETCH(QString, kind);
    QFETCH(QList<qreal>, scale);
    QFETCH(qreal, first);
    QFETCH(qreal, goal);
    addVisits(1, QDate(2021, 4, 2), 12);
    frmChartSetup setup;
    setup.Init(1);
    setup.show();
    QVERIFY(Child<QPushButton>(setup, "cmdChart")->isEnabled());
    QCOMPARE(Child<QLabel>(setup, "lblLName")->text(), QString("Okafor"));
    QTest::mouseClick(Child<QRadioButton>(setup, option.toLatin1()), Qt::LeftButton, {}, QPoint(6, 6));
    m_user->On("frmChart", [&](QDialog& window) { m_shown = read(window); });
    click(setup, "cmdChart");
    QVERIFY(setup.isVisible());
    QCOMPARE(m_user->windows, QStringList{"frmChart"});
    QCOMPARE(m_shown.heading, "Okafor, Ada Q - " + kind);
    QCOMPARE(m_shown.title, kind);
    QCOMPARE(m_shown.scale, scale);
    QCOMPARE(m_shown.values.first(), first);
    QCOMPARE(m_shown.goal, goal > 0 ? QList<QPointF>({{0, goal}, {11, goal}}) : QList<QPointF>());
}

// A result above the scale is drawn at its top and marked; a result never entered is no point.
void tst_HistoryChart::outOfScaleClippedAndUnenteredLeftOut()
{
    addVisits(1, QDate(2022, 1, 3), 3);
    Sql("UPDATE LabVisits SET overallcl = 912 WHERE labdate = #1/3/2022#");
    Sql("UPDATE LabVisits SET overallcl = 0 WHERE labdate = #2/3/2022#");
    chart(1);
    QCOMPARE(m_shown.labels, QStringList({"1 '22", "3 '22"}));
    QCOMPARE(m_shown.values, QList<qreal>({800, 202}));
    QCOMPARE(m_shown.offScale, QList<QPointF>({{0, 800}}));
    Sql("UPDATE LabVisits SET overallcl = 0 WHERE labdate = #3/3/2022#");
    chart(1);
    QCOMPARE(m_bed->notices, QStringList{NotEnough});
}

// The chart window is kept by the window it opened from and drawn again: nothing of the
// previous patient's chart (labels, goal, off-scale marks) stays in it.
void tst_HistoryChart::keptWindowShowsOnlyTheLatestChart()
{
    addVisits(1, QDate(2022, 1, 3), 3);
    Sql("UPDATE LabVisits SET overallcl = 912 WHERE labdate = #1/3/2022#");
    addPatient(2);
    addVisits(2, QDate(2019, 6, 1), 2);
    QDialog opener;
    m_user->On("frmChart", [&](QDialog& window) { m_shown = read(window); });
    ShowHistoryChart(&opener, "1", "Total Cholesterol Levels");
    QCOMPARE(m_shown.goal.size(), 2);
    QCOMPARE(m_shown.offScale.size(), 1);
    ShowHistoryChart(&opener, "2", "Total Cholesterol Levels");
    QCOMPARE(m_user->windows, QStringList({"frmChart", "frmChart"}));
    QCOMPARE(m_shown.labels, QStringList({"6 '19", "7 '19"}));
    QCOMPARE(m_shown.values, QList<qreal>({200, 201}));
    QVERIFY(m_shown.goal.isEmpty());
    QVERIFY(m_shown.offScale.isEmpty());
}

// The header with the patient's name, the kind, the picture centred by its size and the table
// of dates and values oldest first from y 9360, in a date and a value column.
void tst_HistoryChart::printedPage()
{
    addVisits(1, QDate(2022, 11, 20), 3);
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
void tst_HistoryChart::printCapturesTheChart()
{
    addVisits(1, QDate(2022, 1, 3), 2);
    ChartScopeClause.clear();
    frmChart window;
    window.Init(ChartPoints(ReadChartVisits("1", *ChartKind::Find("LDL Levels"))), "1", "LDL Levels");
    window.show();
    click(window, "cmdPrint");
    QCOMPARE(m_user->windows, QStringList({"frmPrint"}));
    const QImage picture(QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation) +
                         "/chartpic.bmp");
    QCOMPARE(picture.size(), Child<QChartView>(window, "ChartPatLV")->size());
}

QTEST_MAIN(tst_HistoryChart)
#include "tst_HistoryChart.moc"
