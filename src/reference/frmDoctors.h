#pragma once

#include "MaintenanceWindow.h"

class clsDoctor;

// The practice's list of doctors: first and last name and classification.
class frmDoctors : public MaintenanceWindow {
    Q_OBJECT
public:
    explicit frmDoctors(QWidget* parent = nullptr);

    // Shows the doctor (as picked in the search) as the one being edited.
    void LoadObjectData(const clsDoctor& inObjDoctor) override;
    // Puts the two names into their boxes and changes nothing else.
    void SetName(const QString& inFName, const QString& inLName);

private:
    void ShowStored(const Recordset& rs) override;
    QString InsertSql(const QString& id) const override;
    QString UpdateSql(const QString& id) const override;
    QString LinkedQuestion() const override;
    QString UnlinkedQuestion() const override;
    // The names as they stand in the boxes, untrimmed: "Doe, Jane".
    QString ShownName() const;
};
