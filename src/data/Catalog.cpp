#include "Catalog.h"

#include "DaoType.h"
#include "DbError.h"
#include "SqliteConnection.h"


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

void Catalog::Load(QList<TableDef> tables)
{
    m_tables = std::move(tables);
    m_index.clear();
    for (qsizetype i = 0; i < m_tables.size(); ++i)
        m_index.insert(foldName(m_tables[i].name), i);
}

void Catalog::Load(sqlite3* db)
{
    Load(SqliteConnection::ReadTables(db));
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
