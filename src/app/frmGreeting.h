#pragma once

#include <QDialog>
#include <memory>

namespace Ui { class frmGreeting; }

// The welcome window, shown once after start-up has created a new database.
class frmGreeting : public QDialog {
    Q_OBJECT
public:
    explicit frmGreeting(QWidget* parent = nullptr);
    ~frmGreeting() override;

private:
    std::unique_ptr<Ui::frmGreeting> ui;
};
