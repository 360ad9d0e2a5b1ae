#include "frmExport.h"

#include "AppDatabase.h"
#include "ExportDataSet.h"
#include "ExportFile.h"
#include "Messages.h"
#include "TextRoutines.h"
#include "ui_frmExport.h"

#include <QDir>
#include <QFileDialog>
#include <QProgressDialog>

frmExport::frmExport(QWidget* parent) : QDialog(parent), ui(std::make_unique<Ui::frmExport>())
{
    ui->setupUi(this);
    for (const ExportDataSet& set : ExportDataSet::All())
        ui->cmbEntities->addItem(set.name);
    ui->cmbEntities->setCurrentIndex(0);
    ui->cmdOK->setEnabled(false);
    connect(ui->txtFileName, &QLineEdit::textChanged, this,
            [this](const QString& text) { ui->cmdOK->setEnabled(!TrimText(text).isEmpty()); });
    connect(ui->cmdBrowse, &QPushButton::clicked, this, &frmExport::browse);
    connect(ui->cmdOK, &QPushButton::clicked, this, &frmExport::exportData);
    connect(ui->cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
}

frmExport::~frmExport() = default;

void frmExport::browse()
{
    QFileDialog dialog(this, QStringLiteral("Select the path and filename for the export file"),
                       QDir::homePath(), QStringLiteral("*.csv *.txt"));
    dialog.setObjectName(QStringLiteral("ExportFileSaveAs"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("txt"));
    dialog.selectFile(QStringLiteral("export.txt"));
    // A cancelled dialog keeps the name already in the box.
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
        ui->txtFileName->setText(dialog.selectedFiles().first());
}

void frmExport::exportData()
{
    const QString path = TrimText(ui->txtFileName->text());
    if (!ExportFile::UsableName(path)) {
        ShowAttention(QStringLiteral("Export failed due to invalid file name"));
        return;
    }
    QProgressDialog progress(QStringLiteral("Exporting ") + ui->cmbEntities->currentText(),
                             QStringLiteral("&Cancel"), 0, 0, this);
    progress.setWindowTitle(windowTitle());
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(500);
    const QString sql = ExportDataSet::All()[ui->cmbEntities->currentIndex()].sql;
    ExportFile::Outcome outcome = ExportFile::Outcome::Failed;
    QString error;
    const bool ran = RunReportingErrors([&] {
        outcome = ExportFile::Write(AppDatabase(), sql, path, error, [&](qint64 rows) {
            progress.setLabelText(QStringLiteral("Exporting %1: %2 rows written")
                                      .arg(ui->cmbEntities->currentText())
                                      .arg(rows));
            progress.setValue(0);
            return !progress.wasCanceled();
        });
    });
    progress.close();
    if (ran && outcome == ExportFile::Outcome::Failed)
        ShowAttention(QStringLiteral("The export file could not be written: ") + error);
    if (outcome == ExportFile::Outcome::Written)
        accept();
}
