#include "frmPsComms.h"

#include "FieldText.h"
#include "Recordset.h"
#include "frmComm.h"

#include <QDateTime>

namespace
{

constexpr int TimeColumn = 2;
constexpr int TimeWidth = 1000;
constexpr int NarrowTimeWidth = 760;

} // namespace

frmPsComms::frmPsComms(QWidget* parent) : PatientItemList(parent)
{
    BuildWindow(tr("Contact log for Patient"), QStringLiteral("cmdAssign"), tr("&Add"));
}

QList<PatientItemList::Column> frmPsComms::Columns() const
{
    return {{tr("ID"), 600},
            {tr("Date"), 1000},
            {tr("Time"), TimeWidth},
            {tr("Outcome"), 1520, true},
            {tr("Completed"), 1000}};
}

QString frmPsComms::ListSql() const
{
    return QStringLiteral("SELECT * FROM Communications WHERE ptid = ") +
           QString::number(PatientId());
}

QStringList frmPsComms::RowTexts(Recordset& rs) const
{
    const auto field = [&rs](const char* name) { return FieldText(rs.Fields()[name]); };
    return {QString::number(field("ID").toLongLong()),
            field("calldate").toDateTime().date().toString(u"MM/dd/yyyy"),
            field("calltime").toString(), field("result").toString(),
            field("complete").toBool() ? QStringLiteral("X") : QString()};
}

QString frmPsComms::DeleteQuestion(const QString& rowLabel) const
{
    return QStringLiteral("Remove Entry '") + rowLabel + QStringLiteral("' for this Patient");
}

QString frmPsComms::DeleteSql(int itemId) const
{
    return QStringLiteral("DELETE FROM Communications WHERE id = ") + QString::number(itemId) +
           QStringLiteral(" and ptid = ") + QString::number(PatientId());
}

void frmPsComms::OpenEditor(int itemId)
{
    frmComm editor(this);
    if (itemId > 0)
        editor.Init(FullName(), PatientId(), itemId);
    else
        editor.Init(FullName(), PatientId());
    editor.exec();
}

// Past three entries the grid shows a scroll bar; the time column makes room for it.
void frmPsComms::AfterFill(int rowCount)
{
    SetColumnWidthTwips(TimeColumn, rowCount > 3 ? NarrowTimeWidth : TimeWidth);
}
