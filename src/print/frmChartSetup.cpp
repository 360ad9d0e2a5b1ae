#include "frmChartSetup.h"

#include "AppDatabase.h"
#include "ChartKind.h"
#include "DaoType.h"
#include "FieldText.h"
#include "MagnifierIcon.h"
#include "Messages.h"
#include "ShowHistoryChart.h"
#include "TextRoutines.h"
#include "clsPatient.h"
#include "frmSearch.h"

#include <QButtonGroup>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

constexpr int NameWidth = 200;

QLabel* valueLabel(const char* name)
{
    auto* label = new QLabel;
    label->setObjectName(QString::fromLatin1(name));
    label->setFrameShape(QFrame::Panel);
    label->setFrameShadow(QFrame::Sunken);
    label->setMinimumWidth(NameWidth);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

} // namespace

frmChartSetup::frmChartSetup(QWidget* parent)
    : QDialog(parent), m_lastName(valueLabel("lblLName")), m_firstName(valueLabel("lblFName")),
      m_id(valueLabel("lblID")), m_kinds(new QButtonGroup(this)),
      m_chart(new QPushButton(QStringLiteral("&Chart")))
{
    setObjectName(QStringLiteral("frmChartSetup"));
    setWindowTitle(QStringLiteral("Chart Options"));
    auto* patient = new QGridLayout;
    const struct {
        QString caption;
        QLabel* value;
        const char* search;
        QString field;
    } rows[] = {{QStringLiteral("Last Name"), m_lastName, "cmdSearchLN", QStringLiteral("Last Name")},
                {QStringLiteral("First Name"), m_firstName, "cmdSearchFN", QStringLiteral("First Name")},
                {QStringLiteral("ID"), m_id, nullptr, QString()}};
    for (int row = 0; row < int(std::size(rows)); ++row) {
        patient->addWidget(new QLabel(rows[row].caption), row, 0);
        patient->addWidget(rows[row].value, row, 1);
        if (!rows[row].search)
            continue;
        auto* search = new QPushButton(MagnifierIcon(palette()), QString());
        search->setObjectName(QString::fromLatin1(rows[row].search));
        search->setToolTip(QStringLiteral("Search by ") + rows[row].field);
        search->setAccessibleName(search->toolTip());
        patient->addWidget(search, row, 2);
        connect(search, &QPushButton::clicked, this, [this, field = rows[row].field] {
            OpenSearch(this, *this, QStringLiteral("Patient"), field);
        });
    }
    patient->setColumnStretch(1, 1);
    auto* kindBox = new QGroupBox(QStringLiteral("Chart"));
    auto* kindLayout = new QVBoxLayout(kindBox);
    for (int index = 0; index < ChartKind::Count(); ++index) {
        auto* option = new QRadioButton(ChartKind::At(index).caption);
        option->setObjectName(QString::fromLatin1(ChartKind::At(index).option));
        m_kinds->addButton(option, index);
        kindLayout->addWidget(option);
    }
    m_chart->setObjectName(QStringLiteral("cmdChart"));
    m_chart->setDefault(true);
    auto* exit = new QPushButton(QStringLiteral("E&xit"));
    exit->setObjectName(QStringLiteral("cmdExit"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_chart);
    buttons->addWidget(exit);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(patient);
    layout->addWidget(kindBox);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    connect(m_chart, &QPushButton::clicked, this, &frmChartSetup::cmdChart_Click);
    connect(exit, &QPushButton::clicked, this, &frmChartSetup::reject);
}

void frmChartSetup::Init(std::optional<qint32> inPtID)
{
    if (inPtID) {
        RunReportingErrors([&] {
            auto rs = AppDatabase().OpenRecordset(QStringLiteral("SELECt * from Patients where PtID = ") +
                                                      QString::number(*inPtID),
                                                  dbOpenForwardOnly);
            if (!rs->Eof()) {
                m_firstName->setText(FieldText(rs->Fields()["fname"]).toString());
                m_lastName->setText(FieldText(rs->Fields()["lname"]).toString());
                m_id->setText(QString::number(*inPtID));
            }
            rs->Close();
        });
    }
    m_chart->setEnabled(false);
    m_kinds->button(0)->setChecked(true);
}

void frmChartSetup::LoadObjectData(const clsPatient& inObjPatient)
{
    m_firstName->setText(inObjPatient.FirstName());
    m_lastName->setText(inObjPatient.LastName());
    m_id->setText(QString::number(inObjPatient.ID()));
    updateChartButton();
}

bool frmChartSetup::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate || event->type() == QEvent::Show)
        updateChartButton();
    return QDialog::event(event);
}

void frmChartSetup::updateChartButton()
{
    m_chart->setEnabled(!TrimText(m_lastName->text()).isEmpty() ||
                        !TrimText(m_firstName->text()).isEmpty());
}

void frmChartSetup::cmdChart_Click()
{
    ShowHistoryChart(this, m_id->text(), ChartKind::At(m_kinds->checkedId()).handedOn);
}
