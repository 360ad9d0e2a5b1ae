#include "Catalog.h"

#include "DaoType.h"
#include "DbError.h"

#include <sqlite3.h>

namespace {

// Earlier files carried the zero-length rule in the declared type; it is read, never written.
const char kNotEmpty[] = "NONEMPTY ";

struct TypeName {
    int type;
    const char* name;
};

// Each name also gives SQLite the storage affinity the type wants.
constexpr TypeName kTypeNames[] = {
    {dbBoolean, "BIT"},      {dbInteger, "SMALLINT"}, {dbLong, "INTEGER"},
    {dbDouble, "DOUBLE"},    {dbDate, "DATETIME"},    {dbText, "VARCHAR"},
    {dbMemo, "LONGTEXT"},
};

QString foldName(QStringView name)
{
    return name.toString().toCaseFolded();
}

} // namespace

QString Catalog::DeclaredType(const FieldDef& column)
{
    QString name;
    for (const TypeName& t : kTypeNames) {
        if (t.type == column.type)
            name = QString::fromLatin1(t.name);
    }
    if (name.isEmpty())
        throw DbError(QStringLiteral("Field '%1' has an unknown type %2.")
                          .arg(column.name)
                          .arg(column.type));
    if (column.type == dbText)
        name += QStringLiteral("(%1)").arg(column.size);
    return name;
}

QString Catalog::QuoteName(const QString& name)
{
    return u'"' + QString(name).replace(u'"', QStringLiteral("\"\"")) + u'"';
}

QString Catalog::NotEmptyCheck(const QString& field)
{
    return QStringLiteral(" CHECK (%1 <> '')").arg(QuoteName(field));
}

std::optional<FieldDef> Catalog::FromDeclaredType(const char* declared)
{
    if (!declared)
        return std::nullopt;
    QByteArray text(declared);
    FieldDef info;
    if (text.startsWith(kNotEmpty)) {
        info.allowZeroLength = false;
        text = text.mid(int(sizeof(kNotEmpty)) - 1);
    }
    const qsizetype paren = text.indexOf('(');
    const QByteArray base = (paren < 0 ? text : text.left(paren)).trimmed().toUpper();
    for (const TypeName& t : kTypeNames) {
        if (base == t.name)
            info.type = t.type;
    }
    if (info.type == 0)
        return std::nullopt;
    if (info.type == dbText)
        info.size = paren < 0 ? 255 : text.mid(paren + 1).chopped(1).toInt();
    else
        info.size = DaoFixedSize(info.type);
    // Only text can be empty: other fields read back as NewField made them.
    info.allowZeroLength = info.allowZeroLength && (info.type == dbText || info.type == dbMemo);
    return info;
}

void Catalog::Load(sqlite3* db)
{
    m_tables.clear();
    m_index.clear();
    sqlite3_stmt* list = nullptr;
    sqlite3_prepare_v2(db,
                       "SELECT name, sql FROM sqlite_schema WHERE type = 'table' AND name NOT "
                       "LIKE 'sqlite\\_%' ESCAPE '\\' ORDER BY rowid",
                       -1, &list, nullptr);
    while (list && sqlite3_step(list) == SQLITE_ROW) {
        TableDef table;
        table.name = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(list, 0)));
        const QString definition =
            QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(list, 1)));
        sqlite3_stmt* info = nullptr;
        sqlite3_prepare_v2(db, "SELECT name, type, \"notnull\" FROM pragma_table_info(?)", -1,
                           &info, nullptr);
        sqlite3_bind_text(info, 1, reinterpret_cast<const char*>(sqlite3_column_text(list, 0)), -1,
                          SQLITE_TRANSIENT);
        while (info && sqlite3_step(info) == SQLITE_ROW) {
            auto column = FromDeclaredType(reinterpret_cast<const char*>(sqlite3_column_text(info, 1)))
                              .value_or(FieldDef{{}, dbText, 255});
            column.name =
                QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(info, 0)));
            column.required = sqlite3_column_int(info, 2) != 0;
            if (definition.contains(NotEmptyCheck(column.name)))
                column.allowZeroLength = false;
            table.fields.append(column);
        }
        sqlite3_finalize(info);
        m_index.insert(foldName(table.name), m_tables.size());
        m_tables.append(std::move(table));
    }
    sqlite3_finalize(list);
}

const TableDef* Catalog::Find(QStringView table) const
{
    const auto it = m_index.constFind(foldName(table));
    return it == m_index.constEnd() ? nullptr : &m_tables[*it];
}

QStringList Catalog::TableNames() const
{
    QStringList names;
    for (const TableDef& t : m_tables)
        names.append(t.name);
    return names;
}
