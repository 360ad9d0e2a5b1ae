#include "frmAssHF.h"

#include "FieldText.h"
#include "Recordset.h"
#include "clsHealthFactor.h"

frmAssHF::frmAssHF(QWidget* parent) : LinkAssignDialog(parent)
{
    BuildWindow(tr("Assign Health Factor for Patient"));
}

void frmAssHF::LoadHF(qint32 inHFID)
{
    LoadLink(inHFID);
}

void frmAssHF::LoadObjectData(const clsHealthFactor& inObjHealthFactor)
{
    ShowItem(inObjHealthFactor.ID(), inObjHealthFactor.Desc(), inObjHealthFactor.Comment());
}

QString frmAssHF::SearchKind() const
{
    return QStringLiteral("HealthFactor");
}

QString frmAssHF::SearchField() const
{
    return QStringLiteral("Description");
}

QString frmAssHF::LoadSql(qint32 itemId) const
{
    return QStringLiteral("SELECT PatientFactors.Comment,HealthFactors.*  from PatientFactors "
                          "inner join HealthFactors on PatientFactors.CondID = "
                          "HealthFactors.CondID where PatientFactors.PtID = ") +
           QString::number(PatientId()) + QStringLiteral(" and PatientFactors.CondID = ") +
           QString::number(itemId);
}

void frmAssHF::ShowRow(const Recordset& rs)
{
    clsHealthFactor factor;
    factor.SetComment(FieldText(rs.Fields()["Comment"]).toString());
    factor.SetDesc(FieldText(rs.Fields()["CondDesc"]).toString());
    factor.SetID(FieldText(rs.Fields()["CondID"]).toInt());
    LoadObjectData(factor);
}

QString frmAssHF::NothingChosenMessage() const
{
    return QStringLiteral("A Health factor has not been selected yet");
}

QString frmAssHF::AlreadyAssignedMessage(const QString& desc) const
{
    return QStringLiteral("Health Factor '") + desc +
           QStringLiteral("' is already assigned to this patient");
}

QString frmAssHF::CountSql(qint32 itemId) const
{
    return QStringLiteral("SELECT COUNT(*) FROM PatientFactors where ptID = ") +
           QString::number(PatientId()) + QStringLiteral(" and condid = ") +
           QString::number(itemId);
}

QString frmAssHF::InsertSql(qint32 itemId, const QString& comment) const
{
    return QStringLiteral("INSERT INTO PatientFactors (condid, ptid, comment) ") +
           QStringLiteral("VALUES (") + QString::number(itemId) + QStringLiteral(", ") +
           QString::number(PatientId()) + QStringLiteral(", '") + comment + QStringLiteral("')");
}

QString frmAssHF::UpdateSql(qint32 itemId, const QString& comment) const
{
    return QStringLiteral("UPDATE PatientFactors SET comment = '") + comment +
           QStringLiteral("' where ptID = ") + QString::number(PatientId()) +
           QStringLiteral(" and condid = ") + QString::number(itemId);
}
