#include "frmSearch.h"

#include "AppDatabase.h"
#include "DaoType.h"
#include "GridColumnWidth.h"
#include "MagnifierIcon.h"
#include "Messages.h"
#include "SearchKindDefinition.h"
#include "SearchResultModel.h"
#include "SearchStatement.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>

namespace
{

// Rows the grid shows when the window opens.
constexpr int kRowsShown = 20;

const QStringList kOperators = {QStringLiteral("Contains"), QStringLiteral("Starts with"),
                                QStringLiteral("=")};

template <class Widget> Widget* named(Widget* widget, const char* name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

} // namespace

frmSearch::frmSearch(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmSearch"));
    buildControls();
}

frmSearch::~frmSearch() = default;

void frmSearch::buildControls()
{
    m_searchItems = named(new QComboBox(this), "cmbSearchItems");
    m_operator = named(new QComboBox(this), "cmbOperator");
    m_searchFor = named(new QLineEdit(this), "txtSearchFor");
    m_search = named(new QPushButton(QStringLiteral("&Search"), this), "cmdSearch");
    m_grid = named(new QTableView(this), "GridResults");
    m_results = new SearchResultModel(this);
    m_search->setIcon(MagnifierIcon(palette()));
    // Enter in the text box runs the search.
    m_search->setDefault(true);
    connect(m_search, &QPushButton::clicked, this, &frmSearch::cmdSearch_Click);

    auto* criteria = new QHBoxLayout;
    criteria->addWidget(m_searchItems);
    criteria->addWidget(m_operator);
    criteria->addWidget(m_searchFor, 1);
    criteria->addWidget(m_search);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(criteria);
    layout->addWidget(m_grid, 1);
    setTabOrder(m_searchItems, m_operator);
    setTabOrder(m_operator, m_searchFor);
    setTabOrder(m_searchFor, m_search);
    setTabOrder(m_search, m_grid);
    m_searchFor->setFocus();
    setUpGridView();
}

void frmSearch::setUpGridView()
{
    m_grid->setModel(m_results);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setWordWrap(false);
    m_grid->verticalHeader()->hide();
    // One fixed height for every row: 50,000 rows cost no measuring.
    m_grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_grid->verticalHeader()->setDefaultSectionSize(m_grid->fontMetrics().height() + 6);
    m_grid->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_grid->horizontalHeader()->setHighlightSections(false);
    m_grid->horizontalHeader()->setStretchLastSection(true);
    connect(m_grid, &QTableView::doubleClicked, this,
            [this](const QModelIndex& index) { handOver(index.row()); });
    m_grid->installEventFilter(this);
}

void frmSearch::Init(const QString& pSearchFor, SearchReceiver* pCallingForm,
                     const QString& pSearchDefault)
{
    m_kind = SearchKindDefinition::Find(pSearchFor);
    m_callingForm = pCallingForm;
    setWindowTitle(QStringLiteral("Search - ") + pSearchFor);
    m_operator->clear();
    m_operator->addItems(kOperators);
    m_operator->setCurrentIndex(1);
    m_searchItems->clear();
    if (!m_kind)
        return;
    for (const clsSearchSpecs& field : m_kind->searchFields)
        m_searchItems->addItem(field.cmbSearchName());
    // An empty or unknown preset leaves the list without a selection.
    m_searchItems->setCurrentIndex(m_searchItems->findText(pSearchDefault));
    setUpColumns();
    listResults(m_kind->listingSql);
}

void frmSearch::setUpColumns()
{
    QStringList headings;
    for (const clsViewSpecs& column : m_kind->columns)
        headings.append(column.GridHeading());
    m_results->SetHeadings(headings);
    QHeaderView* header = m_grid->horizontalHeader();
    int width = 0;
    for (int column = 0; column < headings.size(); ++column) {
        const int pixels =
            GridColumnPixels(m_grid->fontMetrics(), m_kind->columns.at(column).GridWidth());
        header->resizeSection(column, pixels);
        width += pixels;
    }
    const int frame = 2 * m_grid->frameWidth() + m_grid->verticalScrollBar()->sizeHint().width();
    const QMargins margins = layout()->contentsMargins();
    resize(qMax(sizeHint().width(), width + frame + margins.left() + margins.right()),
           qMax(sizeHint().height(), kRowsShown * m_grid->verticalHeader()->defaultSectionSize()));
}

void frmSearch::cmdSearch_Click()
{
    if (!m_kind)
        return;
    // Without a field chosen the search goes by the kind's first field, and shows it.
    if (m_searchItems->currentIndex() < 0)
        m_searchItems->setCurrentIndex(0);
    const QString& field = m_kind->searchFields.at(m_searchItems->currentIndex()).sqlname();
    const QString sql =
        SearchStatement(m_kind->searchBase, field, m_operator->currentText(), m_searchFor->text());
    if (listResults(sql) == 0)
        ShowAttention(QStringLiteral("No records meeting that criteria"));
}

std::optional<int> frmSearch::listResults(const QString& sql)
{
    std::unique_ptr<SearchRecords> records = m_kind->makeRecords();
    const bool read = RunReportingErrors([&] {
        const auto rs = AppDatabase().OpenRecordset(sql, dbOpenForwardOnly);
        records->Fill(*rs);
        rs->Close();
    });
    if (!read)
        return std::nullopt;
    const int rows = records->Count();
    if (rows > 0) {
        m_results->SetRecords(std::move(records));
        m_grid->scrollToTop();
    }
    return rows;
}

void frmSearch::handOver(int row)
{
    const SearchRecords* records = m_results->Records();
    if (!records || row < 0 || row >= records->Count())
        return;
    if (m_callingForm)
        records->HandOver(row, *m_callingForm);
    accept();
}

bool frmSearch::eventFilter(QObject* watched, QEvent* event)
{
    // Enter on a row picks it as a double-click does, and never runs the search.
    if (watched == m_grid && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            handOver(m_grid->currentIndex().row());
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void OpenSearch(QWidget* parent, SearchReceiver& receiver, const QString& kind,
                const QString& preset)
{
    frmSearch window(parent);
    window.Init(kind, &receiver, preset);
    window.exec();
}
