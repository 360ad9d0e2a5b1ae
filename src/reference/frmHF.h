#pragma once

#include "MaintenanceWindow.h"

class clsHealthFactor;

// The health factors (risk conditions such as smoking) that may apply to a patient.
class frmHF : public MaintenanceWindow {
    Q_OBJECT
public:
    explicit frmHF(QWidget* parent = nullptr);

    // Shows the health factor (as picked in the search) as the one being edited.
    void LoadObjectData(const clsHealthFactor& inObjHF) override;

private:
    void ShowStored(const Recordset& rs) override;
    QString InsertSql(const QString& id) const override;
    QString UpdateSql(const QString& id) const override;
    QString LinkedQuestion() const override;
    QString UnlinkedQuestion() const override;
    QString TrimmedDesc() const;
};
