#include "PrintLog.h"

#include "AppDatabase.h"
#include "DaoType.h"
#include "JetDate.h"
#include "Messages.h"
#include "QueryDef.h"
#include "WriteTransaction.h"

bool LogPrintedEntries(const std::vector<PrintedEntry>& entries, QDate today)
{
    if (!AskQuestion(QStringLiteral("Ready to update?\n\n(only choose yes when you are sure you "
                                    "will not want these entries to show on the next 'Call List' "
                                    "report or the next 'Reminder Letters' print batch)")))
        return false;
    const QString printDate = JetDate::ToUsText(today);
    return RunReportingErrors([&] {
        Database& db = AppDatabase();
        WriteTransaction transaction(db);
        QueryDef insert = db.CreateQueryDef();
        for (const PrintedEntry& entry : entries) {
            insert.SetSQL(QStringLiteral("INSERT INTO printlog (ptid, calldate, printdate) VALUES (") +
                          QString::number(entry.ptid) + QStringLiteral(", #") +
                          JetDate::ToUsText(entry.callDate) + QStringLiteral("#, #") + printDate +
                          QStringLiteral("#)"));
            insert.Execute(dbFailOnError);
        }
        insert.Close();
        transaction.Commit();
    });
}
