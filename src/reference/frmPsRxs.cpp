#include "frmPsRxs.h"

#include "FieldText.h"
#include "Recordset.h"
#include "frmAssRx.h"

frmPsRxs::frmPsRxs(QWidget* parent) : PatientItemList(parent)
{
    BuildWindow(tr("Drugs used by Patient"), QStringLiteral("cmdAssignRX"), tr("&Add"));
}

QList<PatientItemList::Column> frmPsRxs::Columns() const
{
    return {{tr("ID"), 600}, {tr("Desc"), 1200}, {tr("Comment"), 3320}};
}

QString frmPsRxs::ListSql() const
{
    return QStringLiteral("SELECT Drugs.*,Schedule.comment FROM Drugs INNER JOIN Schedule ON "
                          "Schedule.DrugID = Drugs.DrugID WHERE ptid = ") +
           QString::number(PatientId());
}

QStringList frmPsRxs::RowTexts(Recordset& rs) const
{
    return {QString::number(FieldText(rs.Fields()["drugid"]).toInt()),
            FieldText(rs.Fields()["drugdesc"]).toString(),
            FieldText(rs.Fields()["comment"]).toString()};
}

QString frmPsRxs::DeleteQuestion(const QString& rowLabel) const
{
    return QStringLiteral("Remove Drug '") + rowLabel + QStringLiteral("' for this Patient");
}

QString frmPsRxs::DeleteSql(int itemId) const
{
    return QStringLiteral("DELETE FROM Schedule WHERE drugid = ") + QString::number(itemId) +
           QStringLiteral(" and ptid = ") + QString::number(PatientId());
}

void frmPsRxs::OpenEditor(int itemId)
{
    frmAssRx(this).OpenFor(PatientId(), FullName(), itemId);
}
