#include "frmImportLog.h"

#include "ui_frmImportLog.h"

frmImportLog::frmImportLog(const QStringList& messages, QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::frmImportLog>())
{
    ui->setupUi(this);
    ui->listErrors->addItems(messages);
    connect(ui->cmdClose, &QPushButton::clicked, this, &QDialog::accept);
}

frmImportLog::~frmImportLog() = default;
