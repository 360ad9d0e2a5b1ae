#include "FromClause.h"

#include "Catalog.h"

namespace {

// Words after which a name in a FROM clause is not a table alias.
bool isClauseWord(const JetToken& t)
{
    static const char16_t* const words[] = {u"ON",    u"INNER", u"LEFT",  u"RIGHT",
                                            u"OUTER", u"JOIN",  u"WHERE", u"GROUP",
                                            u"ORDER", u"HAVING", u"UNION", u"AS"};
    for (const char16_t* w : words) {
        if (t.isWord(QStringView(w)))
            return true;
    }
    return false;
}

bool isTableName(const JetToken& t)
{
    return t.isName() && !isClauseWord(t);
}

} // namespace

QList<TableReference> ReadFromClause(const QList<JetToken>& tokens, const QList<int>& depths,
                                     qsizetype from, qsizetype end, int depth)
{
    end = qMin(end, tokens.size());
    QList<TableReference> tables;
    for (qsizetype i = from; i + 1 < end; ++i) {
        const JetToken& t = tokens[i];
        if (depths[i] < depth || !(t.isWord(u"FROM") || t.isWord(u"JOIN") || t.isSymbol(u",")))
            continue;
        qsizetype n = i + 1;
        while (n < end && tokens[n].isSymbol(u"("))
            ++n;
        if (n >= end || !isTableName(tokens[n]))
            continue;
        TableReference table{tokens[n].value, QString(), n};
        qsizetype a = n + 1;
        if (a < end && tokens[a].isWord(u"AS"))
            ++a;
        if (a < end && isTableName(tokens[a])) {
            table.alias = tokens[a].value;
            table.aliasAt = a;
        }
        tables.append(table);
    }
    return tables;
}

const FieldDef* FindField(const Catalog& catalog, const QList<TableReference>& tables,
                          QStringView qualifier, QStringView column)
{
    for (const TableReference& t : tables) {
        if (!qualifier.isEmpty() && qualifier.compare(t.name, Qt::CaseInsensitive) != 0 &&
            qualifier.compare(t.alias, Qt::CaseInsensitive) != 0)
            continue;
        const TableDef* info = catalog.Find(t.name);
        if (const FieldDef* field = info ? info->Find(column) : nullptr)
            return field;
    }
    return nullptr;
}
