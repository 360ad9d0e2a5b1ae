#include "frmPsBW.h"

#include "FieldText.h"
#include "Recordset.h"
#include "frmLabWork.h"

#include <QDateTime>

frmPsBW::frmPsBW(QWidget* parent) : PatientItemList(parent)
{
    BuildWindow(tr("Blood Work results for Patient"), QStringLiteral("cmdAddLV"), tr("&Add"));
}

QList<PatientItemList::Column> frmPsBW::Columns() const
{
    return {{tr("ID"), 600},
            {tr("Lab Date"), 1200},
            {tr("Total Chol"), 1100},
            {tr("HDL"), 1110},
            {tr("LDL"), 1110}};
}

QString frmPsBW::ListSql() const
{
    return QStringLiteral("SELECT LabVisits.* FROM LabVisits WHERE ptid = ") +
           QString::number(PatientId()) + QStringLiteral(" ORDER BY LabDate Desc");
}

QStringList frmPsBW::RowTexts(Recordset& rs) const
{
    const auto number = [&rs](const char* field) {
        return QString::number(FieldText(rs.Fields()[field]).toLongLong());
    };
    return {number("id"),
            FieldText(rs.Fields()["labdate"]).toDateTime().date().toString(u"M/d/yyyy"),
            number("overallcl"), number("hdl"), number("ldl")};
}

QString frmPsBW::DeleteQuestion(const QString& rowLabel) const
{
    return QStringLiteral("Remove Lab Visit '") + rowLabel + QStringLiteral("' for this Patient?");
}

QString frmPsBW::DeleteSql(int itemId) const
{
    return QStringLiteral("DELETE FROM Labvisits WHERE id = ") + QString::number(itemId) +
           QStringLiteral(" and ptid = ") + QString::number(PatientId());
}

void frmPsBW::OpenEditor(int itemId)
{
    frmLabWork editor(this);
    if (itemId > 0)
        editor.Init(FullName(), PatientId(), itemId);
    else
        editor.Init(FullName(), PatientId());
    editor.exec();
}
