#include "ServerCopy.h"

#include "DaoType.h"
#include "Database.h"
#include "DbError.h"
#include "TextRoutines.h"
#include "WriteTransaction.h"

namespace
{

// A stored value as a literal of the dialect the engine reads.
QString literal(const QVariant& value, int type)
{
    if (value.isNull())
        return QStringLiteral("Null");
    switch (type) {
    case dbBoolean:
        return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case dbDate:
        return u'#' + value.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")) + u'#';
    case dbText:
    case dbMemo:
        return u'\'' + SqlQuote(value.toString()) + u'\'';
    default:
        return value.toString();
    }
}

int rowCount(Database& db, const QString& table)
{
    return db
        .OpenRecordset(QStringLiteral("SELECT COUNT(*) AS n FROM [%1]").arg(table),
                       dbOpenForwardOnly)
        ->Value(0)
        .toInt();
}

int copyRows(Database& source, Database& target, const TableDef& table)
{
    QStringList names;
    for (const FieldDef& field : table.fields)
        names.append(u'[' + field.name + u']');
    const QString insert = QStringLiteral("INSERT INTO [%1] (%2) VALUES (")
                               .arg(table.name, names.join(QStringLiteral(", ")));
    int rows = 0;
    for (auto rs = source.OpenRecordset(table.name, dbOpenForwardOnly); !rs->Eof();
         rs->MoveNext(), ++rows) {
        QStringList values;
        for (int i = 0; i < table.fields.size(); ++i)
            values.append(literal(rs->Value(i), table.fields[i].type));
        target.Execute(insert + values.join(QStringLiteral(", ")) + u')', dbFailOnError);
    }
    return rows;
}

} // namespace

QList<ServerCopy::TableCount> ServerCopy::Run(Database& source, const QString& connection)
{
    Database target = Database::Connect(connection);
    if (!target.TableNames().isEmpty())
        throw DbError(QStringLiteral("The database %1 is not empty, so nothing was copied into "
                                     "it.  Choose an empty database.")
                          .arg(target.Name()));
    QList<TableCount> counts;
    WriteTransaction::Run(target, [&] {
        counts.clear();
        for (const QString& name : source.TableNames()) {
            const TableDef table = source.GetTableDef(name);
            target.AppendTable(table);
            const int copied = copyRows(source, target, table);
            if (copied != rowCount(source, name) || copied != rowCount(target, name))
                throw DbError(QStringLiteral("The copy of table %1 does not hold every row; "
                                             "nothing was copied.")
                                  .arg(name));
            counts.append({name, copied});
        }
    });
    return counts;
}

QString ServerCopy::Report(const QList<TableCount>& counts)
{
    QStringList lines;
    for (const TableCount& count : counts)
        lines.append(QStringLiteral("%1: %2 rows").arg(count.table).arg(count.rows));
    return lines.join(u'\n');
}
