#include "frmAssRx.h"

#include "FieldText.h"
#include "Recordset.h"
#include "clsDrug.h"

frmAssRx::frmAssRx(QWidget* parent) : LinkAssignDialog(parent)
{
    BuildWindow(tr("Assign Drug for Patient"));
}

void frmAssRx::LoadDrug(qint32 inDrugID)
{
    LoadLink(inDrugID);
}

void frmAssRx::LoadObjectData(const clsDrug& inObjDrug)
{
    ShowItem(inObjDrug.DrugID(), inObjDrug.DrugDesc(), inObjDrug.Comment());
}

QString frmAssRx::SearchKind() const
{
    return QStringLiteral("Drug");
}

QString frmAssRx::SearchField() const
{
    return QStringLiteral("Name");
}

QString frmAssRx::LoadSql(qint32 itemId) const
{
    return QStringLiteral("SELECT Schedule.*,Drugs.DrugDesc from Schedule inner join Drugs on "
                          "Schedule.DrugID = Drugs.DrugID where Schedule.DrugID = ") +
           QString::number(itemId) + QStringLiteral(" And Schedule.ptID = ") +
           QString::number(PatientId());
}

void frmAssRx::ShowRow(const Recordset& rs)
{
    clsDrug drug;
    drug.SetComment(FieldText(rs.Fields()["comment"]).toString());
    drug.SetDrugDesc(FieldText(rs.Fields()["drugdesc"]).toString());
    drug.SetDrugID(FieldText(rs.Fields()["drugid"]).toInt());
    LoadObjectData(drug);
}

QString frmAssRx::NothingChosenMessage() const
{
    return QStringLiteral("A Drug has not been selected yet");
}

QString frmAssRx::AlreadyAssignedMessage(const QString& desc) const
{
    return QStringLiteral("Drug '") + desc + QStringLiteral("' is already assigned to this patient");
}

QString frmAssRx::CountSql(qint32 itemId) const
{
    return QStringLiteral("SELECT count(*) from Schedule where ptID = ") +
           QString::number(PatientId()) + QStringLiteral(" and DrugID = ") +
           QString::number(itemId);
}

QString frmAssRx::InsertSql(qint32 itemId, const QString& comment) const
{
    return QStringLiteral("INSERT INTO Schedule (drugid, ptid, comment) ") +
           QStringLiteral("VALUES (") + QString::number(itemId) + QStringLiteral(", ") +
           QString::number(PatientId()) + QStringLiteral(", '") + comment + QStringLiteral("')");
}

QString frmAssRx::UpdateSql(qint32 itemId, const QString& comment) const
{
    return QStringLiteral("UPDATE Schedule SET comment = '") + comment +
           QStringLiteral("' where ptID = ") + QString::number(PatientId()) +
           QStringLiteral(" and DrugID = ") + QString::number(itemId);
}
