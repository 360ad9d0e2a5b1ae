#pragma once

#include "PatientItemList.h"

// A patient's contact log, in database order.
class frmPsComms : public PatientItemList
{
    Q_OBJECT
public:
    explicit frmPsComms(QWidget* parent = nullptr);

protected:
    QList<Column> Columns() const override;
    QString ListSql() const override;
    QStringList RowTexts(Recordset& rs) const override;
    QString DeleteQuestion(const QString& rowLabel) const override;
    QString DeleteSql(int itemId) const override;
    void OpenEditor(int itemId) override;
    void AfterFill(int rowCount) override;
};
