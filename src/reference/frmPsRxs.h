#pragma once

#include "PatientItemList.h"

// A patient's drugs, with the dosage or other comment of each.
class frmPsRxs : public PatientItemList
{
    Q_OBJECT
public:
    explicit frmPsRxs(QWidget* parent = nullptr);

protected:
    QList<Column> Columns() const override;
    QString ListSql() const override;
    QStringList RowTexts(Recordset& rs) const override;
    QString DeleteQuestion(const QString& rowLabel) const override;
    QString DeleteSql(int itemId) const override;
    void OpenEditor(int itemId) override;
    bool OneRowPerItem() const override { return true; }
};
