#pragma once

#include "MaintenanceWindow.h"

class clsDrug;

// The drugs that patients may take; each stored with the registered sign after its name.
class frmDrugs : public MaintenanceWindow {
    Q_OBJECT
public:
    explicit frmDrugs(QWidget* parent = nullptr);

    // Shows the drug (as picked in the search) as the one being edited.
    void LoadObjectData(const clsDrug& inObjDrug) override;

private:
    void ShowStored(const Recordset& rs) override;
    QString InsertSql(const QString& id) const override;
    QString UpdateSql(const QString& id) const override;
    QString LinkedQuestion() const override;
    QString UnlinkedQuestion() const override;
    // The name as written to the database.
    QString StoredName() const;
};
