#include "AskedDeletion.h"

#include "AppDatabase.h"
#include "DaoType.h"
#include "Database.h"
#include "FieldText.h"
#include "Messages.h"
#include "Recordset.h"

namespace {

qint64 linkCount(const QString& sql)
{
    auto recordset = AppDatabase().OpenRecordset(sql, dbOpenForwardOnly);
    const qint64 count = FieldText(recordset->Fields()[0]).toLongLong();
    recordset->Close();
    return count;
}

// `record` as the question names it ("Drug 'Name'"), `kind` as it names the kind ("drug").
QString questionOfLinked(const QString& record, const QString& kind)
{
    return record +
           QStringLiteral(" is currently assigned to one or more patients.  Would you like to "
                          "un-assign this ") +
           kind + QStringLiteral(" to all patients for whom this ") + kind +
           QStringLiteral(" is assigned?");
}

} // namespace

bool AskedDeletion::Run() const
{
    if (linkCount(linkCountSql + id) > 0) {
        if (!AskQuestion(linkedQuestion)) {
            ShowAttention(cancelledNotice);
            return false;
        }
    } else if (!AskQuestion(plainQuestion)) {
        return false;
    }
    deleteRecord(id);
    return true;
}

QString AskedDeletion::DoctorLinkedQuestion(const QString& name)
{
    return questionOfLinked(QStringLiteral("Doctor ") + name, QStringLiteral("doctor"));
}

QString AskedDeletion::DrugLinkedQuestion(const QString& name)
{
    return questionOfLinked(QStringLiteral("Drug '") + name + u'\'', QStringLiteral("drug"));
}

QString AskedDeletion::HealthFactorLinkedQuestion(const QString& name)
{
    return questionOfLinked(QStringLiteral("Health Factor '") + name + u'\'',
                            QStringLiteral("health factor"));
}

QString AskedDeletion::PlainQuestion(const QString& name)
{
    return QStringLiteral("Are you Sure you want to delete ") + name + QStringLiteral(" ?");
}
