#pragma once

#include <QDialog>
#include <memory>

namespace Ui { class frmletter; }

// Edits the body and sender of the reminder letter in the Company row.
class frmletter : public QDialog {
    Q_OBJECT
public:
    explicit frmletter(QWidget* parent = nullptr);
    ~frmletter() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void loadTemplate();
    void save();

    std::unique_ptr<Ui::frmletter> ui;
};
