#pragma once

#include "PatientItemList.h"

// A patient's lab visits, newest first.
class frmPsBW : public PatientItemList
{
    Q_OBJECT
public:
    explicit frmPsBW(QWidget* parent = nullptr);

protected:
    QList<Column> Columns() const override;
    QString ListSql() const override;
    QStringList RowTexts(Recordset& rs) const override;
    QString DeleteQuestion(const QString& rowLabel) const override;
    QString DeleteSql(int itemId) const override;
    void OpenEditor(int itemId) override;
};
