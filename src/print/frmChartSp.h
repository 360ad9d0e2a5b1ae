#pragma once

#include <QDialog>

class QComboBox;
class QRadioButton;

// "Chart Setup": narrows the chart of a patient with many lab visits to the last 12 or to a
// range of years holding at most 11. Sets ChartProceed and ChartScopeClause as it closes.
class frmChartSp : public QDialog {
    Q_OBJECT
public:
    explicit frmChartSp(QWidget* parent = nullptr);

    // Offers the ten years up to this one; the last 12 entries are preselected.
    void Init(const QString& ptid);

    void reject() override;

private:
    void cmdOK_Click();

    QString m_ptid;
    QRadioButton* m_lastX;
    QRadioButton* m_dateRange;
    QComboBox* m_begin;
    QComboBox* m_end;
};
