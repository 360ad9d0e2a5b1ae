#include "frmInst.h"

#include "ui_frmInst.h"

frmInst::frmInst(QWidget* parent) : QDialog(parent), ui(std::make_unique<Ui::frmInst>())
{
    ui->setupUi(this);
    connect(ui->cmdOK, &QPushButton::clicked, this, [this] {
        m_installType = ui->optStandard->isChecked() ? QStringLiteral("LOCAL")
                                                     : QStringLiteral("NETWORK");
        accept();
    });
}

frmInst::~frmInst() = default;
