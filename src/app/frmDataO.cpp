#include "frmDataO.h"

#include "DatabaseFile.h"
#include "Messages.h"
#include "ServerDialog.h"
#include "ShowModal.h"
#include "TextRoutines.h"
#include "frmFindD.h"
#include "ui_frmDataO.h"

#include <QDir>

frmDataO::frmDataO(QWidget* parent) : QDialog(parent), ui(std::make_unique<Ui::frmDataO>())
{
    ui->setupUi(this);
    connect(ui->optNew, &QRadioButton::toggled, this, [this](bool on) {
        if (!on)
            return;
        ui->cmdBrowseEX->setEnabled(false);
        ui->cmdBrowseNew->setEnabled(true);
        m_createNew = true;
        m_server.clear();
    });
    connect(ui->optExist, &QRadioButton::toggled, this, [this](bool on) {
        if (!on)
            return;
        ui->cmdBrowseEX->setEnabled(true);
        ui->cmdBrowseNew->setEnabled(false);
        m_createNew = false;
        m_server.clear();
    });
    connect(ui->optServer, &QRadioButton::toggled, this, [this](bool on) {
        ui->cmdServer->setEnabled(on);
        if (!on)
            return;
        ui->cmdBrowseEX->setEnabled(false);
        ui->cmdBrowseNew->setEnabled(false);
        m_createNew = false;
    });
    connect(ui->cmdServer, &QPushButton::clicked, this, &frmDataO::chooseServer);
    connect(ui->cmdBrowseEX, &QPushButton::clicked, this, &frmDataO::browseExisting);
    connect(ui->cmdBrowseNew, &QPushButton::clicked, this, &frmDataO::browseNew);
    connect(ui->cmdOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(ui->cmdCancel, &QPushButton::clicked, this, [this] {
        m_createNew = false;
        m_server.clear();
        reject();
    });
}

frmDataO::~frmDataO() = default;

void frmDataO::Init(const QString& path)
{
    m_dataFilePath = path;
    showPath(path);
    if (!TrimText(path).isEmpty())
        ui->cmdOK->setEnabled(true);
}

void frmDataO::showPath(const QString& path)
{
    ui->lblDataPath->setText(QDir::toNativeSeparators(path));
}

void frmDataO::browseExisting()
{
    ui->cmdOK->setEnabled(false);
    frmFindD find(this);
    find.Init(QStringLiteral("Exist"));
    if (ShowModal(find) == QDialog::Accepted)
        m_dataFilePath = find.DataFilePath();
    if (HasDatabaseFileName(m_dataFilePath)) {
        ui->cmdOK->setEnabled(true);
        showPath(m_dataFilePath);
        return;
    }
    m_dataFilePath.clear();
    showPath(m_dataFilePath);
    ShowAttention(QStringLiteral("Not a valid Database File"));
}

void frmDataO::browseNew()
{
    frmFindD find(this);
    find.Init(QStringLiteral("New"));
    // A cancelled search keeps the path as it was; only a picked folder gets the file name.
    if (ShowModal(find) != QDialog::Accepted || find.DataFilePath().isEmpty())
        return;
    m_dataFilePath = QDir(find.DataFilePath()).filePath(DatabaseFileName());
    showPath(m_dataFilePath);
    ui->cmdOK->setEnabled(true);
}

void frmDataO::chooseServer()
{
    ServerDialog server(this, QStringLiteral("Database Server"));
    if (ShowModal(server) != QDialog::Accepted)
        return;
    m_server = server.Connection();
    m_dataFilePath.clear();
    ui->lblDataPath->setText(m_server);
    ui->cmdOK->setEnabled(true);
}
