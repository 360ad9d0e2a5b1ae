#include "SchemaConversion.h"

#include "Catalog.h"
#include "Database.h"
#include "DbError.h"
#include "Schema.h"
#include "WriteTransaction.h"

#include <sqlite3.h>

namespace SchemaConversion {

namespace {

const QString kBuilding = QStringLiteral("velmora_converting");

void exec(Database& db, const QString& sql)
{
    char* error = nullptr;
    if (sqlite3_exec(db.Handle(), sql.toUtf8().constData(), nullptr, nullptr, &error) !=
        SQLITE_OK) {
        const QString message = QString::fromUtf8(error);
        sqlite3_free(error);
        throw DbError(message, sql);
    }
}

void rebuild(Database& db, TableDef table)
{
    QStringList columns;
    for (const FieldDef& field : table.fields)
        columns.append(Catalog::QuoteName(field.name));
    const QString name = table.name;
    table.name = kBuilding;
    db.AppendTable(table);
    exec(db, QStringLiteral("INSERT INTO %1 (%2) SELECT %2 FROM %3")
                 .arg(Catalog::QuoteName(kBuilding), columns.join(u','),
                      Catalog::QuoteName(name)));
    exec(db, QStringLiteral("DROP TABLE %1").arg(Catalog::QuoteName(name)));
    exec(db, QStringLiteral("ALTER TABLE %1 RENAME TO %2")
                 .arg(Catalog::QuoteName(kBuilding), Catalog::QuoteName(name)));
}

} // namespace

bool Needed(Database& db)
{
    sqlite3_stmt* stmt = nullptr;
    sqlite3_prepare_v2(db.Handle(),
                       "SELECT count(*) FROM sqlite_schema WHERE instr(sql, 'JETTEXT') > 0 OR "
                       "instr(sql, 'NONEMPTY ') > 0",
                       -1, &stmt, nullptr);
    const bool needed = stmt && sqlite3_step(stmt) == SQLITE_ROW && sqlite3_column_int(stmt, 0) > 0;
    sqlite3_finalize(stmt);
    return needed;
}

void Run(Database& db)
{
    WriteTransaction transaction(db);
    for (const QString& name : db.TableNames())
        rebuild(db, db.GetTableDef(name));
    EnsureIndexes(db);
    transaction.Commit();
    db.TableNames(); // the tables were renamed under the cached names
}

} // namespace SchemaConversion
