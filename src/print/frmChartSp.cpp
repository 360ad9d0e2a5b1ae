#include "frmChartSp.h"

#include "ChartScope.h"
#include "Messages.h"

#include <QComboBox>
#include <QDate>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

constexpr int YearsOffered = 10;
// The range preselected begins this many years before the current one.
constexpr int PreselectedYearsBack = 3;

template <class Widget, class... Args> Widget* named(const char* name, Args&&... args)
{
    auto* widget = new Widget(std::forward<Args>(args)...);
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

} // namespace

frmChartSp::frmChartSp(QWidget* parent)
    : QDialog(parent), m_lastX(named<QRadioButton>("optLastX", QStringLiteral("Show last 12 entries"))),
      m_dateRange(named<QRadioButton>("optDateRange", QStringLiteral("Specify Date Range"))),
      m_begin(named<QComboBox>("cmbBegin")), m_end(named<QComboBox>("cmbEnd"))
{
    setObjectName(QStringLiteral("frmChartSp"));
    setWindowTitle(QStringLiteral("Chart Setup"));
    setModal(true);
    auto* warning = named<QLabel>("lblWarning",
                                  QStringLiteral("Please refine the scope of charted entries to the following:"));
    auto* scope = named<QGroupBox>("fraScope", QStringLiteral("Enter Scope"));
    auto* range = new QFormLayout;
    range->addRow(QStringLiteral("&Beginning Scope"), m_begin);
    range->addRow(QStringLiteral("&Ending Scope"), m_end);
    auto* scopeLayout = new QVBoxLayout(scope);
    scopeLayout->addWidget(m_lastX);
    scopeLayout->addWidget(m_dateRange);
    scopeLayout->addLayout(range);
    auto* buttons = new QDialogButtonBox;
    auto* ok = named<QPushButton>("cmdOK", QStringLiteral("O&K"));
    auto* cancel = named<QPushButton>("cmdCancel", QStringLiteral("&Cancel"));
    ok->setDefault(true);
    buttons->addButton(ok, QDialogButtonBox::ActionRole);
    buttons->addButton(cancel, QDialogButtonBox::ActionRole);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(warning);
    layout->addWidget(scope);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    connect(m_dateRange, &QRadioButton::toggled, this, [this](bool on) {
        m_begin->setEnabled(on);
        m_end->setEnabled(on);
    });
    connect(ok, &QPushButton::clicked, this, &frmChartSp::cmdOK_Click);
    connect(cancel, &QPushButton::clicked, this, &frmChartSp::reject);
}

void frmChartSp::Init(const QString& ptid)
{
    m_ptid = ptid;
    ChartProceed = false;
    m_lastX->setChecked(true);
    m_begin->setEnabled(false);
    m_end->setEnabled(false);
    const int thisYear = QDate::currentDate().year();
    for (int year = thisYear - YearsOffered + 1; year <= thisYear; ++year) {
        m_begin->addItem(QString::number(year));
        m_end->addItem(QString::number(year));
    }
    m_begin->setCurrentIndex(YearsOffered - 1 - PreselectedYearsBack);
    m_end->setCurrentIndex(YearsOffered - 1);
}

void frmChartSp::cmdOK_Click()
{
    if (m_lastX->isChecked()) {
        ChartScopeClause.clear();
        ChartProceed = true;
        accept();
        return;
    }
    const QString begin = m_begin->currentText();
    const QString end = m_end->currentText();
    if (begin.toInt() > end.toInt())
        return;
    const QString range = QStringLiteral("LabDate between #1/1/") + begin +
                          QStringLiteral("# and #12/31/") + end + QStringLiteral("#");
    bool accepted = false;
    if (!CheckScopeCount(range, m_ptid, accepted))
        return;
    if (!accepted) {
        ShowAttention(QStringLiteral("Selected date range is too broad. Please narrow your search"));
        return;
    }
    ChartScopeClause = QStringLiteral(" and ") + range;
    ChartProceed = true;
    accept();
}

void frmChartSp::reject()
{
    ChartProceed = false;
    QDialog::reject();
}
