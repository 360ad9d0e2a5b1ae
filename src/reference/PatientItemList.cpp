#include "PatientItemList.h"

#include "PatientNameLabel.h"

#include "GridColumnWidth.h"

#include "AppDatabase.h"
#include "DaoType.h"
#include "Messages.h"
#include "QueryDef.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QSet>
#include <QStyle>
#include <QTableWidget>
#include <QVBoxLayout>

PatientItemList::PatientItemList(QWidget* parent) : QDialog(parent) {}

PatientItemList::~PatientItemList() = default;

void PatientItemList::BuildWindow(const QString& title, const QString& addName,
                                  const QString& addCaption)
{
    setObjectName(QString::fromLatin1(metaObject()->className()));
    setWindowTitle(title);

    lblFullName = NewPatientNameLabel(this);
    QGroupBox* frame = NewPatientNameFrame(lblFullName, this);

    grid = new QTableWidget(this);
    grid->setObjectName(QStringLiteral("gridResults"));
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->verticalHeader()->hide();
    grid->horizontalHeader()->setSectionsClickable(false);
    grid->setWordWrap(false);
    grid->setTabKeyNavigation(false);
    grid->viewport()->installEventFilter(this);
    grid->horizontalHeader()->viewport()->installEventFilter(this);
    grid->installEventFilter(this);
    connect(grid, &QTableWidget::activated, this, &PatientItemList::EditEntry);
    connect(grid, &QTableWidget::itemSelectionChanged, this,
            [this] { cmdEdit->setEnabled(CurrentItemId() > 0); });

    cmdAdd = new QPushButton(addCaption, this);
    cmdAdd->setObjectName(addName);
    cmdEdit = new QPushButton(tr("&Edit"), this);
    cmdEdit->setObjectName(QStringLiteral("cmdEdit"));
    cmdExit = new QPushButton(tr("E&xit"), this);
    cmdExit->setObjectName(QStringLiteral("cmdExit"));
    // Enter in the grid edits the selected row rather than pressing a button.
    for (QPushButton* button : {cmdAdd, cmdEdit, cmdExit})
        button->setAutoDefault(false);
    connect(cmdAdd, &QPushButton::clicked, this, &PatientItemList::AddEntry);
    connect(cmdEdit, &QPushButton::clicked, this, &PatientItemList::EditEntry);
    connect(cmdExit, &QPushButton::clicked, this, &QDialog::accept);

    mnuItems = new QMenu(tr("Items"), this);
    mnuItems->setObjectName(QStringLiteral("mnuItems"));
    QAction* deleteOpt = mnuItems->addAction(tr("Delete"));
    deleteOpt->setObjectName(QStringLiteral("mnuDeleteOpt"));
    QAction* editOpt = mnuItems->addAction(tr("Edit"));
    editOpt->setObjectName(QStringLiteral("mnuEditOpt"));
    connect(deleteOpt, &QAction::triggered, this, &PatientItemList::DeleteEntry);
    connect(editOpt, &QAction::triggered, this, &PatientItemList::EditEntry);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdAdd);
    buttons->addWidget(cmdEdit);
    buttons->addStretch();
    buttons->addWidget(cmdExit);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frame);
    layout->addWidget(grid, 1);
    layout->addLayout(buttons);
}

void PatientItemList::Init(int inPtID, const QString& inPtFullName)
{
    ptId = inPtID;
    cmdEdit->setEnabled(false);
    lblFullName->setText(inPtFullName);
    SetupGrid();
    LoadList();
}

QString PatientItemList::FullName() const
{
    return lblFullName->text();
}

int PatientItemList::CurrentItemId() const
{
    const QList<QTableWidgetItem*> selected = grid->selectedItems();
    if (selected.isEmpty())
        return 0;
    const QTableWidgetItem* idCell = grid->item(selected.first()->row(), 0);
    return idCell ? idCell->text().toInt() : 0;
}

int PatientItemList::TwipsToPixels(int twips) const
{
    return GridColumnPixels(grid->fontMetrics(), twips);
}

void PatientItemList::SetColumnWidthTwips(int column, int twips)
{
    grid->setColumnWidth(column, TwipsToPixels(twips));
}

void PatientItemList::SetupGrid()
{
    const QList<Column> columns = Columns();
    grid->setColumnCount(int(columns.size()));
    grid->setRowCount(0);
    int width = 0;
    bool stretched = false;
    for (int c = 0; c < columns.size(); ++c) {
        grid->setHorizontalHeaderItem(c, new QTableWidgetItem(columns[c].heading));
        SetColumnWidthTwips(c, columns[c].widthTwips);
        width += grid->columnWidth(c);
        if (columns[c].stretches) {
            grid->horizontalHeader()->setSectionResizeMode(c, QHeaderView::Stretch);
            stretched = true;
        }
    }
    grid->horizontalHeader()->setStretchLastSection(!stretched);
    // The listed widths are the least the columns get; a wider window widens the grid.
    grid->setMinimumWidth(width + 2 * grid->frameWidth() +
                          grid->style()->pixelMetric(QStyle::PM_ScrollBarExtent));
}

void PatientItemList::LoadList()
{
    const int selectedId = CurrentItemId();
    RunReportingErrors([this] {
        QueryDef query = AppDatabase().CreateQueryDef();
        query.SetSQL(ListSql());
        auto rs = query.OpenRecordset(dbOpenForwardOnly);
        FillGrid(*rs);
        rs->Close();
    });
    SelectItem(selectedId);
}

void PatientItemList::FillGrid(Recordset& rs)
{
    // Read every row before the grid changes: an engine error leaves the list as it was,
    // and the grid is sized once instead of row by row.
    QList<QStringList> rows;
    QSet<QString> listed;
    for (; !rs.Eof(); rs.MoveNext()) {
        QStringList texts = RowTexts(rs);
        if (OneRowPerItem() && listed.contains(texts.first()))
            continue;
        listed.insert(texts.first());
        rows.append(std::move(texts));
    }
    grid->clearSelection();
    grid->setRowCount(int(rows.size()));
    for (int row = 0; row < rows.size(); ++row) {
        for (int c = 0; c < rows[row].size(); ++c) {
            auto* cell = new QTableWidgetItem(rows[row][c]);
            cell->setToolTip(rows[row][c]); // the whole text where the column is too narrow
            grid->setItem(row, c, cell);
        }
    }
    AfterFill(int(rows.size()));
}

// After a reload the item that was selected stays selected if it is still listed;
// otherwise nothing is, so Edit and Delete cannot act on a row the user did not pick.
void PatientItemList::SelectItem(int itemId)
{
    for (int row = 0; itemId > 0 && row < grid->rowCount(); ++row) {
        if (grid->item(row, 0)->text().toInt() == itemId) {
            SelectRow(row);
            return;
        }
    }
    SelectRow(-1);
}

void PatientItemList::SelectRow(int row)
{
    if (row < 0) {
        grid->clearSelection();
        grid->setCurrentCell(-1, -1);
    } else {
        grid->selectRow(row);
    }
    cmdEdit->setEnabled(CurrentItemId() > 0);
}

void PatientItemList::AddEntry()
{
    OpenEditor(0);
    LoadList();
}

void PatientItemList::EditEntry()
{
    const int itemId = CurrentItemId();
    if (itemId <= 0)
        return;
    OpenEditor(itemId);
    LoadList();
}

void PatientItemList::DeleteEntry()
{
    const int itemId = CurrentItemId();
    if (itemId <= 0)
        return;
    const int row = grid->selectedItems().first()->row();
    if (AskQuestion(DeleteQuestion(grid->item(row, 1)->text()))) {
        RunReportingErrors([&] {
            QueryDef query = AppDatabase().CreateQueryDef();
            query.SetSQL(DeleteSql(itemId));
            query.Execute(dbFailOnError);
        });
    }
    LoadList();
}

bool PatientItemList::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::ContextMenu) {
        auto* request = static_cast<QContextMenuEvent*>(event);
        if (request->reason() == QContextMenuEvent::Keyboard && CurrentItemId() > 0)
            mnuItems->popup(request->globalPos());
        return true;
    }
    const bool press = event->type() == QEvent::MouseButtonPress;
    const bool doubleClick = event->type() == QEvent::MouseButtonDblClick;
    if (!press && !doubleClick)
        return QDialog::eventFilter(watched, event);
    auto* mouse = static_cast<QMouseEvent*>(event);
    const bool onHeading = watched == grid->horizontalHeader()->viewport();
    const int row = onHeading ? -1 : grid->rowAt(mouse->position().toPoint().y());
    grid->setFocus(Qt::MouseFocusReason);
    SelectRow(row);
    if (row >= 0 && doubleClick)
        EditEntry();
    else if (row >= 0 && mouse->button() == Qt::RightButton)
        mnuItems->popup(mouse->globalPosition().toPoint());
    return true;
}
