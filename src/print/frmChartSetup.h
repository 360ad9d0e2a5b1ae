#pragma once

#include "SearchReceiver.h"

#include <QDialog>
#include <optional>

class QButtonGroup;
class QLabel;
class QPushButton;

// "Chart Options": the patient (looked up by name) and the kind of chart to draw. Stays open
// across charts.
class frmChartSetup : public QDialog, public SearchReceiver {
    Q_OBJECT
public:
    explicit frmChartSetup(QWidget* parent = nullptr);

    // Shows the patient with this id, if there is one; Total Cholesterol is selected.
    void Init(std::optional<qint32> inPtID = std::nullopt);
    void LoadObjectData(const clsPatient& inObjPatient) override;

protected:
    bool event(QEvent* event) override;

private:
    void updateChartButton();
    void cmdChart_Click();

    QLabel* m_lastName;
    QLabel* m_firstName;
    QLabel* m_id;
    QButtonGroup* m_kinds;
    QPushButton* m_chart;
};
