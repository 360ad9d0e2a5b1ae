#include "frmImportMap.h"

#include "AppDatabase.h"
#include "ColumnButton.h"
#include "DelimitedLine.h"
#include "FieldLabel.h"
#include "ImportJob.h"
#include "ImportText.h"
#include "Messages.h"
#include "frmImportLog.h"
#include "ui_frmImportMap.h"

#include <QDropEvent>
#include <QMimeData>
#include <QProgressDialog>

namespace {

constexpr int kShownColumns = 6;
constexpr int kFieldsPerColumn = 5;
// Imports longer than this show their progress and can be cancelled.
constexpr int kLinesWithProgress = 300;

} // namespace

frmImportMap::frmImportMap(QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::frmImportMap>())
{
    ui->setupUi(this);
    ui->Frame1->installEventFilter(this);
    connect(ui->cmbEntities, &QComboBox::currentIndexChanged, this, &frmImportMap::applyTarget);
    connect(ui->optComma, &QRadioButton::clicked, this, [this] { readFile(true); });
    connect(ui->optTab, &QRadioButton::clicked, this, [this] { readFile(true); });
    connect(ui->chkColHeadings, &QCheckBox::clicked, this, [this] { readFile(false); });
    connect(ui->FlatScrollBar1, &QScrollBar::valueChanged, this, &frmImportMap::page);
    connect(ui->cmdImport, &QPushButton::clicked, this, &frmImportMap::import);
    connect(ui->cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
}

frmImportMap::~frmImportMap() = default;

void frmImportMap::Init(const QString& inFileName)
{
    m_fileName = inFileName;
    m_detect = true;
    ui->Frame2->setTitle(QStringLiteral("Data retrieved from import file - ") + inFileName);
    const QSignalBlocker quiet(ui->cmbEntities);
    ui->cmbEntities->clear();
    ui->cmbEntities->addItem(ImportTarget::All().first().displayName);
    applyTarget();
}

void frmImportMap::applyTarget()
{
    const ImportTarget& target = ImportTarget::All()[qMax(0, ui->cmbEntities->currentIndex())];
    RunReportingErrors([&] { m_job = std::make_unique<ImportJob>(AppDatabase(), target); });
    readFile(true);
}

void frmImportMap::layoutFields()
{
    // Deleted later: the label being dragged is still in its drag when its drop lays them out.
    for (FieldLabel* old : ui->Frame1->findChildren<FieldLabel*>()) {
        ui->layoutFields->removeWidget(old);
        old->hide();
        old->setParent(nullptr);
        old->deleteLater();
    }
    for (int i = 0; i < m_available.size(); ++i) {
        const QString& field = m_available[i];
        auto* label = new FieldLabel(field, ImportTarget::Caption(field), ui->Frame1);
        label->setObjectName(QStringLiteral("lblField_") + QString::number(i + 1));
        ui->layoutFields->addWidget(label, i % kFieldsPerColumn, i / kFieldsPerColumn);
    }
}

std::optional<QStringList> frmImportMap::readLines() const
{
    auto lines = ImportText::Read(m_fileName);
    if (!lines)
        ShowAttention(QStringLiteral("The file ") + m_fileName + QStringLiteral(" cannot be read."));
    return lines;
}

void frmImportMap::readFile(bool reset)
{
    const auto lines = readLines();
    if (!lines)
        return;
    const int first = firstDataLine();
    const QString line = first < lines->size() ? lines->at(first) : QString();
    if (m_detect && line.size() >= 2) {
        (DelimitedLine::Detect(line) == DelimitedLine::Tab ? ui->optTab : ui->optComma)
            ->setChecked(true);
        m_detect = false;
    }
    const QStringList values =
        line.size() < 2 ? QStringList() : DelimitedLine::Split(line, delimiter());
    // The mapping stays only while the columns stay the same.
    if (reset || values.size() != m_buttons.size())
        makeColumns(int(values.size()));
    for (int i = 0; i < m_values.size(); ++i) {
        m_values[i]->setText(values[i]);
        m_values[i]->setToolTip(values[i]);
    }
}

void frmImportMap::makeColumns(int count)
{
    qDeleteAll(ui->Frame2->findChildren<QWidget*>(QStringLiteral("column"),
                                                  Qt::FindDirectChildrenOnly));
    m_buttons.clear();
    m_values.clear();
    for (int number = 1; number <= count; ++number) {
        auto* column = new QWidget(ui->Frame2);
        column->setObjectName(QStringLiteral("column"));
        auto* layout = new QVBoxLayout(column);
        layout->setContentsMargins(0, 0, 0, 0);
        auto* button = new ColumnButton(number, column);
        connect(button, &ColumnButton::fieldDropped, this, &frmImportMap::mapField);
        auto* value = new QLabel(column);
        value->setObjectName(QStringLiteral("lblFieldVal_") + QString::number(number));
        value->setFrameShape(QFrame::Panel);
        value->setFrameShadow(QFrame::Sunken);
        // A long value must not widen the window; its tooltip shows it whole.
        value->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
        layout->addWidget(button);
        layout->addWidget(value);
        ui->layoutColumns->addWidget(column, 1);
        m_buttons.append(button);
        m_values.append(value);
    }
    ui->FlatScrollBar1->setRange(1, qMax(1, count));
    ui->FlatScrollBar1->setEnabled(count > kShownColumns);
    ui->FlatScrollBar1->setValue(1);
    m_available = m_job ? m_job->FieldNames() : QStringList();
    layoutFields();
    page(1);
}

void frmImportMap::page(int value)
{
    const int count = int(m_buttons.size());
    const int first = count < kShownColumns ? 1 : qMin(value, count - kShownColumns + 1);
    for (int i = 0; i < count; ++i)
        m_buttons[i]->parentWidget()->setVisible(i + 1 >= first && i + 1 < first + kShownColumns);
}

void frmImportMap::mapField(ColumnButton* button, const QString& field)
{
    // Only an available field maps (a drop may come from another window). A field dropped on
    // a mapped column takes its place; the one it replaces is available again.
    if (!m_available.contains(field))
        return;
    if (!button->Field().isEmpty())
        unmapColumn(button->Number());
    button->Map(field, ImportTarget::Caption(field));
    m_available.removeAll(field);
    layoutFields();
}

void frmImportMap::unmapColumn(int number)
{
    ColumnButton* button = m_buttons.value(number - 1);
    if (!button || button->Field().isEmpty())
        return;
    // Back in its place among the table's fields.
    const QStringList order = m_job->FieldNames();
    QStringList available;
    for (const QString& field : order)
        if (m_available.contains(field) || field == button->Field())
            available.append(field);
    m_available = available;
    button->Unmap();
    layoutFields();
}

bool frmImportMap::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != ui->Frame1)
        return QDialog::eventFilter(watched, event);
    // Only a column dragged back is taken; it unmaps the column.
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* drag = static_cast<QDragMoveEvent*>(event);
        if (drag->mimeData()->hasFormat(MappingDrag::ColumnType))
            drag->acceptProposedAction();
        return true;
    }
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        unmapColumn(MappingDrag::Carried(drop, MappingDrag::ColumnType).toInt());
        drop->acceptProposedAction();
        return true;
    }
    default:
        return false;
    }
}

ImportJob::Mapping frmImportMap::mapping() const
{
    ImportJob::Mapping fields;
    for (const ColumnButton* button : m_buttons)
        fields.append(button->Field());
    return fields;
}

void frmImportMap::import()
{
    const ImportJob::Mapping fields = mapping();
    if (!m_job || std::all_of(fields.cbegin(), fields.cend(),
                              [](const QString& field) { return field.isEmpty(); })) {
        ShowAttention(QStringLiteral("No Fields have been mapped to your import data"));
        return;
    }
    const auto lines = readLines();
    if (!lines)
        return;
    const QStringList messages = importMessages(*lines, fields);
    ShowAttention(QString::number(m_job->Imported()) +
                  QStringLiteral(" records successfully imported.\r\n") +
                  QString::number(m_job->Failed()) +
                  QStringLiteral(" records failed to be imported."));
    if (!messages.isEmpty() &&
        AskQuestion(QStringLiteral("There were errors during import.  Show Error log?"))) {
        frmImportLog log(messages, this);
        log.exec();
    }
    if (m_job->Failed() < 1)
        accept();
}

QStringList frmImportMap::importMessages(const QStringList& lines,
                                         const ImportJob::Mapping& fields)
{
    if (lines.size() <= kLinesWithProgress)
        return m_job->Run(lines, firstDataLine(), delimiter(), fields);
    QProgressDialog progress(QStringLiteral("Importing ") + m_fileName, QStringLiteral("&Cancel"),
                             0, int(lines.size()), this);
    progress.setWindowTitle(windowTitle());
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(500);
    return m_job->Run(lines, firstDataLine(), delimiter(), fields, [&](int done, int total) {
        // Drawing every line would cost more than the lines themselves.
        if (done % 64 == 0) {
            progress.setMaximum(total);
            progress.setValue(done);
        }
        return !progress.wasCanceled();
    });
}

QChar frmImportMap::delimiter() const
{
    return ui->optComma->isChecked() ? DelimitedLine::Comma : DelimitedLine::Tab;
}

int frmImportMap::firstDataLine() const
{
    return ui->chkColHeadings->isChecked() ? 1 : 0;
}
