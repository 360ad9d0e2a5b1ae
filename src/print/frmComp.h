#pragma once

#include <QDialog>
#include <memory>

namespace Ui { class frmComp; }

// Edits the practice's name, address and numbers in the one Company row.
class frmComp : public QDialog {
    Q_OBJECT
public:
    explicit frmComp(QWidget* parent = nullptr);
    ~frmComp() override;

private:
    void loadCompany();
    void save();

    std::unique_ptr<Ui::frmComp> ui;
};
