#include "StatementRun.h"

#include "Recordset.h"

void RunStatement(Database& db, const QString& sql)
{
    if (sql.trimmed().startsWith(u"SELECT", Qt::CaseInsensitive))
        db.OpenRecordset(sql)->MoveLast();
    else
        db.Execute(sql, dbFailOnError);
}

QString EveryRow(ScratchDatabase& scratch, const QStringList& tables)
{
    QString rows;
    for (const QString& table : tables)
        rows += table + u':' + scratch.Dump(QStringLiteral("SELECT * FROM ") + table) + u'\n';
    return rows;
}
