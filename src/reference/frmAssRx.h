#pragma once

#include "LinkAssignDialog.h"

class clsDrug;

// Assigns a drug to a patient, with the dosage or another comment.
class frmAssRx : public LinkAssignDialog
{
    Q_OBJECT
public:
    explicit frmAssRx(QWidget* parent = nullptr);

    void LoadDrug(qint32 inDrugID);
    using SearchReceiver::LoadObjectData;
    void LoadObjectData(const clsDrug& inObjDrug) override;

protected:
    QString SearchKind() const override;
    QString SearchField() const override;
    QString LoadSql(qint32 itemId) const override;
    void ShowRow(const Recordset& rs) override;
    QString NothingChosenMessage() const override;
    QString AlreadyAssignedMessage(const QString& desc) const override;
    QString CountSql(qint32 itemId) const override;
    QString InsertSql(qint32 itemId, const QString& comment) const override;
    QString UpdateSql(qint32 itemId, const QString& comment) const override;
};
