#pragma once

#include <QDialog>
#include <memory>

namespace Ui { class frmImportLog; }

// The problems of one import, one message a line.
class frmImportLog : public QDialog {
    Q_OBJECT
public:
    explicit frmImportLog(const QStringList& messages, QWidget* parent = nullptr);
    ~frmImportLog() override;

private:
    std::unique_ptr<Ui::frmImportLog> ui;
};
