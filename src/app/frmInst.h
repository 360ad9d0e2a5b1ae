#pragma once

#include <QDialog>
#include <memory>

namespace Ui { class frmInst; }

// First run: asks whether the database goes on this computer or on the network.
class frmInst : public QDialog {
    Q_OBJECT
public:
    explicit frmInst(QWidget* parent = nullptr);
    ~frmInst() override;

    // "LOCAL" or "NETWORK" once OK was pressed; empty when the window was closed otherwise.
    QString InstallType() const { return m_installType; }

private:
    std::unique_ptr<Ui::frmInst> ui;
    QString m_installType;
};
