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
