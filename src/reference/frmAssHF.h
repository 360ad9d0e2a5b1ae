#pragma once

#include "LinkAssignDialog.h"

class clsHealthFactor;

// Assigns a health factor to a patient, with a comment.
class frmAssHF : public LinkAssignDialog
{
    Q_OBJECT
public:
    explicit frmAssHF(QWidget* parent = nullptr);

    void LoadHF(qint32 inHFID);
    using SearchReceiver::LoadObjectData;
    void LoadObjectData(const clsHealthFactor& inObjHealthFactor) override;

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
