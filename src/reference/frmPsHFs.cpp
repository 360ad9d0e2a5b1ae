#include "frmPsHFs.h"

#include "FieldText.h"
#include "Recordset.h"
#include "frmAssHF.h"

frmPsHFs::frmPsHFs(QWidget* parent) : PatientItemList(parent)
{
    BuildWindow(tr("Health Factors of Patient"), QStringLiteral("cmdAssignHF"), tr("&Add"));
}

QList<PatientItemList::Column> frmPsHFs::Columns() const
{
    return {{tr("ID"), 600}, {tr("Desc"), 1200}, {tr("Comment"), 3320}};
}

QString frmPsHFs::ListSql() const
{
    return QStringLiteral("SELECT HealthFactors.*,PatientFactors.comment FROM HealthFactors "
                          "INNER JOIN PatientFactors ON PatientFactors.CondID = "
                          "HealthFactors.CondID WHERE ptid = ") +
           QString::number(PatientId());
}

QStringList frmPsHFs::RowTexts(Recordset& rs) const
{
    return {QString::number(FieldText(rs.Fields()["condid"]).toInt()),
            FieldText(rs.Fields()["conddesc"]).toString(),
            FieldText(rs.Fields()["comment"]).toString()};
}

QString frmPsHFs::DeleteQuestion(const QString& rowLabel) const
{
    return QStringLiteral("Remove health factor '") + rowLabel +
           QStringLiteral("' for this Patient");
}

QString frmPsHFs::DeleteSql(int itemId) const
{
    return QStringLiteral("DELETE FROM PatientFactors WHERE condid = ") +
           QString::number(itemId) + QStringLiteral(" and ptid = ") +
           QString::number(PatientId());
}

void frmPsHFs::OpenEditor(int itemId)
{
    frmAssHF(this).OpenFor(PatientId(), FullName(), itemId);
}
