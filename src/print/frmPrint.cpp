#include "frmPrint.h"

#include "PrintDestination.h"
#include "PrintPreview.h"
#include "PrinterSurface.h"
#include "ui_frmPrint.h"

#include <QPrintPreviewWidget>
#include <QPrinter>

const QString PrintCancelled = QStringLiteral("~CANCEL~");

namespace {

QString& selectedPrinter()
{
    static QString answer;
    return answer;
}

} // namespace

const QString& SelectedPrinter()
{
    return selectedPrinter();
}

frmPrint::frmPrint(QWidget* parent) : QDialog(parent), ui(std::make_unique<Ui::frmPrint>())
{
    ui->setupUi(this);
    connect(ui->cmdOK, &QPushButton::clicked, this, &frmPrint::accept);
    connect(ui->cmdCancel, &QPushButton::clicked, this, &frmPrint::reject);
    connect(ui->cmdPreview, &QPushButton::clicked, this, &frmPrint::preview);
    connect(ui->lstPrinters, &QListWidget::itemSelectionChanged, this, &frmPrint::updateButtons);
    connect(ui->lstPrinters, &QListWidget::itemDoubleClicked, this, &frmPrint::accept);
    ui->lstPrinters->setFocus();
    updateButtons();
}

frmPrint::~frmPrint() = default;

void frmPrint::Init(const QStringList& colPrinters, const QString& currentPrinter)
{
    ui->lstPrinters->addItems(colPrinters);
    int current = -1;
    for (int i = 0; i < ui->lstPrinters->count(); ++i) {
        if (ui->lstPrinters->item(i)->text() == currentPrinter)
            current = i;
    }
    if (current >= 0)
        ui->lstPrinters->setCurrentRow(current);
    updateButtons();
}

void frmPrint::SetPreview(JobDrawing drawJob, const QString& documentName)
{
    m_drawJob = std::move(drawJob);
    m_documentName = documentName;
    updateButtons();
}

void frmPrint::updateButtons()
{
    const bool chosen = !ui->lstPrinters->selectedItems().isEmpty();
    ui->cmdOK->setEnabled(chosen);
    ui->cmdPreview->setEnabled(chosen && m_drawJob);
}

void frmPrint::accept()
{
    const QList<QListWidgetItem*> chosen = ui->lstPrinters->selectedItems();
    if (chosen.isEmpty())
        return;
    selectedPrinter() = chosen.constFirst()->text();
    QDialog::accept();
}

void frmPrint::reject()
{
    selectedPrinter() = PrintCancelled;
    QDialog::reject();
}

void frmPrint::preview()
{
    const QList<QListWidgetItem*> chosen = ui->lstPrinters->selectedItems();
    if (chosen.isEmpty() || !m_drawJob)
        return;
    const auto printer = PrintDestination::MakePrinter(chosen.constFirst()->text(), m_documentName);
    PrintPreview window(*printer, this);
    connect(window.View(), &QPrintPreviewWidget::paintRequested, &window, [this](QPrinter* pages) {
        PrinterSurface surface(*pages);
        m_drawJob(surface);
    });
    if (window.exec() == QDialog::Accepted)
        accept();
}
