#pragma once

#include <QDialog>
#include <memory>

namespace Ui { class frmExport; }

// Writes one data set of the database to a tab-delimited text file for a spreadsheet.
class frmExport : public QDialog {
    Q_OBJECT
public:
    explicit frmExport(QWidget* parent = nullptr);
    ~frmExport() override;

private:
    void browse();
    void exportData();

    std::unique_ptr<Ui::frmExport> ui;
};
