#include "frmMain.h"
#include "ui_frmMain.h"

#include "CopyToServer.h"
#include "DatabaseBackupDialog.h"
#include "HelpWindow.h"
#include "ImportFromFile.h"
#include "MainToolBar.h"
#include "PictureMenu.h"
#include "PrintReport.h"
#include "RecordDeletion.h"
#include "StartUp.h"
#include "StoredWindowSize.h"
#include "Twips.h"
#include "ViewDefinition.h"
#include "ViewModel.h"
#include "common.h"
#include "frmAbout.h"
#include "frmChartSetup.h"
#include "frmComp.h"
#include "frmExport.h"
#include "frmletter.h"

#include <QCloseEvent>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QTime>
#include <QTimer>

namespace {

// Layout in twips.
constexpr int MinWidth = 6540;
constexpr int MinHeight = 5880;
constexpr int DefaultWidth = 10800;
constexpr int DefaultHeight = 8100;
constexpr int GridLeft = 1140;
constexpr int GridWidthMargin = 1275;
constexpr int GridHeightMargin = 1845;
constexpr int TitleWidthMargin = 1335;
constexpr int TitleTop = 60;
constexpr int TitleHeight = 330;
constexpr int MenuLeft = 60;
constexpr int MenuWidth = 960;
constexpr int NameColumn = 1;
constexpr int FittedAllowance = 105;
constexpr int ScrollingAllowance = 360;

const QString GridStatus = QStringLiteral("Right-Click for Menu of Options");

} // namespace

frmMain::frmMain(QWidget* parent)
    : QMainWindow(parent), ui(std::make_unique<Ui::frmMain>()),
      m_model(new ViewModel(this))
{
    ui->setupUi(this);
    setWindowIcon(QIcon(QStringLiteral(":/icons/velmora.svg")));
    setupToolBar();
    m_pictureMenu = new PictureMenu(ui->centralWidget);
    connect(m_pictureMenu, &PictureMenu::viewChosen, this, &frmMain::ShowView);
    connect(m_pictureMenu, &PictureMenu::newRecordRequested, this,
            [this](const QString& kind) { openEditor(kind, std::nullopt); });
    connect(m_pictureMenu, &PictureMenu::statusText, this, &frmMain::SetStatusText);
    QFont titleFont = ui->lblData->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.2);
    ui->lblData->setFont(titleFont);
    setupGrid();
    setupPopup();
    setupStatusBar();
    connectMenus();
    for (QWidget* background : {static_cast<QWidget*>(ui->centralWidget),
                                static_cast<QWidget*>(m_pictureMenu)}) {
        background->setMouseTracking(true);
        background->installEventFilter(this);
    }
    setMinimumSize(Twips::ToPixelsX(this, MinWidth), Twips::ToPixelsY(this, MinHeight));
    resize(Twips::ToPixelsX(this, DefaultWidth), Twips::ToPixelsY(this, DefaultHeight));
    updateActions();
}

frmMain::~frmMain() = default;

bool frmMain::Load()
{
    if (!RunStartUp(this))
        return false;
    setTitle();
    ShowView(QStringLiteral("Patient"));
    applyStoredSize();
    return true;
}

void frmMain::setupToolBar()
{
    m_toolBar = new MainToolBar(this);
    addToolBar(Qt::TopToolBarArea, m_toolBar);
    connect(m_toolBar, &MainToolBar::statusText, this, &frmMain::SetStatusText);
    connect(m_toolBar->NewRecordAction(), &QAction::triggered, this,
            [this] { openEditor(m_currentView, std::nullopt); });
}

void frmMain::setupGrid()
{
    QTableView* grid = ui->gridEntries;
    // A compact face, so that a full date fits the date columns' fixed widths.
    QFont gridFont(QStringLiteral("Arial"));
    gridFont.setPointSizeF(8.25);
    grid->setFont(gridFont);
    grid->verticalHeader()->setDefaultSectionSize(QFontMetrics(gridFont).height() + 6);
    grid->setModel(m_model);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setContextMenuPolicy(Qt::PreventContextMenu);
    grid->setWordWrap(false);
    grid->verticalHeader()->hide();
    grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid->horizontalHeader()->setHighlightSections(false);
    grid->horizontalHeader()->setSectionsClickable(true);
    grid->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    connect(grid->horizontalHeader(), &QHeaderView::sectionPressed, m_model,
            &ViewModel::SortByColumn);
    connect(grid, &QTableView::doubleClicked, this, &frmMain::openSelected);
    grid->viewport()->setMouseTracking(true);
    grid->viewport()->installEventFilter(this);
}

void frmMain::setupPopup()
{
    m_popup = new QMenu(QStringLiteral("floatMenu"), this);
    m_popup->setObjectName(QStringLiteral("fmnuItems"));
    const auto add = [this](const char* name, const QString& caption) {
        QAction* action = m_popup->addAction(caption);
        action->setObjectName(QString::fromLatin1(name));
        return action;
    };
    connect(add("fmnuAddOpt", QStringLiteral("Add")), &QAction::triggered, this,
            [this] { openEditor(m_currentView, std::nullopt); });
    connect(add("fmnuEditOpt", QStringLiteral("Edit")), &QAction::triggered, this,
            &frmMain::openSelected);
    connect(add("fmnuDeleteOpt", QStringLiteral("Delete")), &QAction::triggered, this,
            &frmMain::deleteSelected);
    connect(add("fmnuPrintDetail", QStringLiteral("Print Detail")), &QAction::triggered, this,
            [this] { PrintReport(QStringLiteral("PatientDetail"), TrimText(selectedCell(0))); });
    connect(add("fmnuChart", QStringLiteral("View Chart(s)")), &QAction::triggered, this,
            [this] { openChartSetup(TrimText(selectedCell(0)).toInt()); });
}

void frmMain::setupStatusBar()
{
    m_message = new QLabel(this);
    m_message->setObjectName(QStringLiteral("sbMessage"));
    m_clock = new QLabel(this);
    m_clock->setObjectName(QStringLiteral("sbClock"));
    ui->sbMain->addWidget(m_message, 1);
    ui->sbMain->addPermanentWidget(m_clock);
    auto* timer = new QTimer(this);
    const auto tick = [this] {
        m_clock->setText(QTime::currentTime().toString(QStringLiteral("HH:mm:ss")));
    };
    connect(timer, &QTimer::timeout, this, tick);
    tick();
    timer->start(1000);
}

void frmMain::connectMenus()
{
    connect(ui->mnuNewPatient, &QAction::triggered, this, [this] { OpenPatientEditor(); });
    connect(ui->mnuNewDoctor, &QAction::triggered, this, [this] { OpenDoctorEditor(); });
    connect(ui->mnuNewDrug, &QAction::triggered, this, [this] { OpenDrugEditor(); });
    connect(ui->mnuNewHF, &QAction::triggered, this, [this] { OpenHealthFactorEditor(); });
    connect(ui->mnuPatients, &QAction::triggered, this, [this] { OpenPatientEditor(0); });
    connect(ui->mnuDoctors, &QAction::triggered, this, [this] { OpenDoctorEditor(0); });
    connect(ui->mnuDrugs, &QAction::triggered, this, [this] { OpenDrugEditor(0); });
    connect(ui->mnuHealthFactors, &QAction::triggered, this,
            [this] { OpenHealthFactorEditor(0); });
    const std::pair<QAction*, const char*> printItems[] = {
        {ui->mnuToCall, "CallList"},
        {m_toolBar->CallListAction(), "CallList"},
        {ui->mnuReminderLetter, "Letter"},
        {m_toolBar->LetterAction(), "Letter"}};
    for (const auto& [item, kind] : printItems)
        connect(item, &QAction::triggered, this,
                [kind] { PrintReport(QString::fromLatin1(kind), QString()); });
    connect(ui->mnuChartPatientHistory, &QAction::triggered, this, [this] { openChartSetup(0); });
    connect(ui->mnuImport, &QAction::triggered, this, [this] {
        if (ImportFromFile(this, ShowModal))
            LoadView(m_currentView);
    });
    connect(ui->mnuExport, &QAction::triggered, this, [this] {
        frmExport window(this);
        ShowModal(window);
    });
    connect(ui->mnuCompany, &QAction::triggered, this, [this] {
        frmComp window(this);
        ShowModal(window);
    });
    connect(ui->mnuletter, &QAction::triggered, this, [this] {
        frmletter window(this);
        ShowModal(window);
    });
    connect(ui->mnuAbout, &QAction::triggered, this, [this] {
        frmAbout window(this);
        ShowModal(window);
    });
    connect(ui->mnuContents, &QAction::triggered, this, [this] { HelpWindow::ShowContents(this); });
    connect(ui->mnuDatabaseLocation, &QAction::triggered, this, &frmMain::changeDatabaseLocation);
    connect(ui->mnuBackUp, &QAction::triggered, this, [this] { BackUpDatabase(this); });
    connect(ui->mnuCopyToServer, &QAction::triggered, this, [this] { CopyDatabaseToServer(this); });
    connect(ui->mnuExit, &QAction::triggered, this, &QWidget::close);
}

void frmMain::setTitle()
{
    setWindowTitle(QStringLiteral("Velmora 1.0 - ") + CurrentDbPath().toLower());
}

void frmMain::changeDatabaseLocation()
{
    if (!ChangeDatabaseLocation(this))
        return;
    setTitle();
    ShowView(QStringLiteral("Patient"));
}

void frmMain::ShowView(const QString& kind)
{
    m_currentView = ViewDefinition::ForKind(kind).kind;
    m_toolBar->SetNewRecordStatus(ViewDefinition::ForKind(kind).newRecordStatus);
    updateActions();
    LoadView(m_currentView);
}

void frmMain::LoadView(const QString& kind)
{
    // The rows are read before the grid changes, so that an engine error leaves it as it was.
    const ViewDefinition& view = ViewDefinition::ForKind(kind);
    std::vector<QStringList> rows;
    if (!RunReportingErrors([&] { rows = view.ReadRows(); }))
        return;
    SetupGrid(view);
    SetViewTitle(view);
    FillGrid(std::move(rows));
}

void frmMain::SetupGrid(const ViewDefinition& view)
{
    QStringList headings;
    for (const ViewColumn& column : view.columns)
        headings.append(column.heading);
    m_model->SetHeadings(headings);
    for (int i = 0; i < int(view.columns.size()); ++i) {
        ui->gridEntries->setColumnWidth(i, Twips::ToPixelsX(this, view.columns[size_t(i)].widthTwips));
    }
    FitNameColumn();
}

void frmMain::SetViewTitle(const ViewDefinition& view)
{
    ui->lblData->setText(view.title);
}

void frmMain::FillGrid(std::vector<QStringList> rows)
{
    m_model->SetRows(std::move(rows));
    FitNameColumn();
    if (m_model->rowCount() > 0)
        ui->gridEntries->selectRow(0);
}

void frmMain::FitNameColumn()
{
    QTableView* grid = ui->gridEntries;
    if (m_model->columnCount() <= NameColumn)
        return;
    const int rowsHeight = m_model->rowCount() * grid->verticalHeader()->defaultSectionSize();
    const int room = grid->height() - grid->horizontalHeader()->height() - 2 * grid->frameWidth();
    const int allowance = rowsHeight > room ? ScrollingAllowance : FittedAllowance;
    int others = 0;
    for (int i = 0; i < m_model->columnCount(); ++i) {
        if (i != NameColumn)
            others += grid->columnWidth(i);
    }
    grid->setColumnWidth(NameColumn,
                         std::max(0, grid->width() - others - Twips::ToPixelsX(this, allowance)));
}

void frmMain::SetStatusText(const QString& text)
{
    m_message->setText(text);
}

QString frmMain::StatusText() const
{
    return m_message->text();
}

void frmMain::SetEditor(const QString& kind, EditorWindow editor)
{
    m_editors.insert(kind, std::move(editor));
    updateActions();
}

bool frmMain::hasEditor(const QString& kind) const
{
    return m_editors.contains(kind);
}

void frmMain::updateActions()
{
    const bool patient = hasEditor(QStringLiteral("Patient"));
    const bool doctor = hasEditor(QStringLiteral("Doctor"));
    const bool drug = hasEditor(QStringLiteral("Drug"));
    const bool factor = hasEditor(QStringLiteral("HealthFactor"));
    ui->mnuNewPatient->setEnabled(patient);
    ui->mnuPatients->setEnabled(patient);
    ui->mnuNewDoctor->setEnabled(doctor);
    ui->mnuDoctors->setEnabled(doctor);
    ui->mnuNewDrug->setEnabled(drug);
    ui->mnuDrugs->setEnabled(drug);
    ui->mnuNewHF->setEnabled(factor);
    ui->mnuHealthFactors->setEnabled(factor);
    const bool current = hasEditor(m_currentView);
    m_toolBar->NewRecordAction()->setEnabled(current);
    m_popup->findChild<QAction*>(QStringLiteral("fmnuAddOpt"))->setEnabled(current);
    m_popup->findChild<QAction*>(QStringLiteral("fmnuEditOpt"))->setEnabled(current);
}

void frmMain::OpenPatientEditor(std::optional<qint32> id)
{
    openEditor(QStringLiteral("Patient"), id);
}

void frmMain::OpenDoctorEditor(std::optional<qint32> id)
{
    openEditor(QStringLiteral("Doctor"), id);
}

void frmMain::OpenDrugEditor(std::optional<qint32> id)
{
    openEditor(QStringLiteral("Drug"), id);
}

void frmMain::OpenHealthFactorEditor(std::optional<qint32> id)
{
    openEditor(QStringLiteral("HealthFactor"), id);
}

void frmMain::openEditor(const QString& kind, std::optional<qint32> id)
{
    const auto editor = m_editors.constFind(kind);
    if (editor == m_editors.cend())
        return;
    (*editor)(this, id);
    ShowView(kind);
}

int frmMain::selectedRow() const
{
    const QModelIndex current = ui->gridEntries->currentIndex();
    return current.isValid() ? current.row() : -1;
}

void frmMain::openChartSetup(qint32 ptid)
{
    frmChartSetup window(this);
    window.Init(ptid);
    ShowModal(window);
}

QString frmMain::selectedCell(int column) const
{
    return m_model->Cell(selectedRow(), column);
}

void frmMain::openSelected()
{
    if (selectedRow() < 0)
        return;
    openEditor(m_currentView, TrimText(selectedCell(0)).toInt());
}

void frmMain::deleteSelected()
{
    if (selectedRow() < 0)
        return;
    const RecordDeletion deletion(m_currentView, TrimText(selectedCell(0)), selectedCell(2),
                                  selectedCell(1));
    bool deleted = false;
    if (RunReportingErrors([&] { deleted = deletion.Run(); }) && deleted)
        LoadView(m_currentView);
}

bool frmMain::configurePopup()
{
    const ViewDefinition& view = ViewDefinition::ForKind(m_currentView);
    const bool patient = view.kind == QLatin1String("Patient");
    for (const char* name : {"fmnuPrintDetail", "fmnuChart"})
        m_popup->findChild<QAction*>(QString::fromLatin1(name))->setVisible(patient);
    return view.IsEntity();
}

void frmMain::gridPressed(QMouseEvent* event)
{
    const QModelIndex index = ui->gridEntries->indexAt(event->position().toPoint());
    if (!index.isValid())
        return;
    ui->gridEntries->selectRow(index.row());
    if (event->button() == Qt::RightButton && configurePopup())
        m_popup->popup(event->globalPosition().toPoint());
}

bool frmMain::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (watched == ui->gridEntries->viewport()) {
        if (type == QEvent::MouseButtonPress)
            gridPressed(static_cast<QMouseEvent*>(event));
        else if (type == QEvent::MouseMove || type == QEvent::Enter)
            SetStatusText(ViewDefinition::ForKind(m_currentView).IsEntity() ? GridStatus : QString());
    } else if (type == QEvent::MouseMove) {
        SetStatusText(QString());
    }
    return QMainWindow::eventFilter(watched, event);
}

void frmMain::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    if (isMinimized())
        return;
    layoutChildren();
    // Stored at once, so that the size survives a program that is killed; not before the
    // stored size was read, which a first layout would overwrite.
    if (m_sizeApplied)
        storeSize();
}

void frmMain::layoutChildren()
{
    const int width = this->width();
    const int height = this->height();
    const auto x = [this](int twips) { return Twips::ToPixelsX(this, twips); };
    const auto y = [this](int twips) { return Twips::ToPixelsY(this, twips); };
    const int gridTop = y(TitleTop + TitleHeight + TitleTop);
    // The grid keeps its margins to the window; a style with tall bars must not push it
    // under the status bar.
    const int gridHeight = std::min(height - y(GridHeightMargin),
                                    ui->centralWidget->height() - gridTop - y(TitleTop));
    ui->lblData->setGeometry(x(GridLeft), y(TitleTop), width - x(TitleWidthMargin), y(TitleHeight));
    ui->gridEntries->setGeometry(x(GridLeft), gridTop, width - x(GridWidthMargin), gridHeight);
    m_pictureMenu->setGeometry(x(MenuLeft), y(TitleTop), x(MenuWidth), gridTop + gridHeight - y(TitleTop));
    FitNameColumn();
}

void frmMain::applyStoredSize()
{
    const auto height = StoredWindowSize::Read(QStringLiteral("Height"));
    const auto width = StoredWindowSize::Read(QStringLiteral("Width"));
    resize(width ? Twips::ToPixelsX(this, *width) : this->width(),
           height ? Twips::ToPixelsY(this, *height) : this->height());
    m_sizeApplied = true;
}

void frmMain::storeSize() const
{
    QSize size = this->size();
    if ((isMinimized() || isMaximized()) && normalGeometry().isValid())
        size = normalGeometry().size();
    StoredWindowSize::Write(Twips::FromPixelsY(this, size.height()),
                            Twips::FromPixelsX(this, size.width()));
}

void frmMain::closeEvent(QCloseEvent* event)
{
    storeSize();
    AppDatabase().Close();
    event->accept();
}
