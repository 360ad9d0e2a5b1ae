#include "TextColumnReferences.h"

#include "FieldDef.h"
#include "DaoType.h"
#include "FromClause.h"

namespace {

// Words that may also be field names in a foreign table, but are never one here.
bool isKeyword(const JetToken& t)
{
    static const char16_t* const words[] = {u"AND", u"OR",  u"NOT", u"NULL",   u"IS",
                                            u"LIKE", u"IN", u"ASC", u"DESC", u"BETWEEN"};
    for (const char16_t* w : words) {
        if (t.isWord(QStringView(w)))
            return true;
    }
    return false;
}

} // namespace

QSet<qsizetype> TextColumnReferences::Find(const QList<JetToken>& tokens,
                                           const QList<int>& depths, const Catalog& catalog,
                                           QHash<qsizetype, QString>* spellings)
{
    return TextColumnReferences(tokens, depths, catalog).find(spellings);
}

TextColumnReferences::TextColumnReferences(const QList<JetToken>& tokens,
                                           const QList<int>& depths, const Catalog& catalog)
    : m_tokens(tokens), m_depths(depths), m_catalog(catalog)
{
    addActionScope();
    for (qsizetype i = 0; i < m_tokens.size(); ++i) {
        if (tok(i).isWord(u"SELECT"))
            addSelectScope(i);
    }
}

const JetToken& TextColumnReferences::tok(qsizetype i) const
{
    return i >= 0 && i < m_tokens.size() ? m_tokens[i] : m_tokens.last();
}

int TextColumnReferences::depthAt(qsizetype i) const
{
    return i >= 0 && i < m_depths.size() ? m_depths[i] : 0;
}

qsizetype TextColumnReferences::nextAtDepth(qsizetype from, qsizetype end, int depth,
                                            std::initializer_list<const char16_t*> words) const
{
    for (qsizetype i = from; i < end; ++i) {
        if (depthAt(i) != depth)
            continue;
        for (const char16_t* w : words) {
            if (tok(i).isWord(QStringView(w)))
                return i;
        }
    }
    return end;
}

void TextColumnReferences::addSelectScope(qsizetype at)
{
    Scope scope;
    scope.select = at;
    scope.depth = depthAt(at);
    scope.end = m_tokens.size();
    for (qsizetype i = at + 1; i < m_tokens.size(); ++i) {
        if (tok(i).kind == JetToken::End || (tok(i).isSymbol(u")") && depthAt(i) < scope.depth)) {
            scope.end = i;
            break;
        }
    }
    qsizetype list = at + 1;
    if (tok(list).isWord(u"DISTINCT") || tok(list).isWord(u"ALL") ||
        tok(list).isWord(u"DISTINCTROW"))
        ++list;
    if (tok(list).isWord(u"TOP"))
        list += 2;
    scope.listStart = list;
    scope.listEnd = nextAtDepth(list, scope.end, scope.depth, {u"FROM", u"INTO"});
    scope.fromEnd = nextAtDepth(scope.listEnd, scope.end, scope.depth,
                                {u"WHERE", u"GROUP", u"HAVING", u"ORDER", u"UNION"});
    readTables(scope);
    m_scopes.append(scope);
}

// UPDATE t ... WHERE and DELETE FROM t WHERE: only the condition compares text.
void TextColumnReferences::addActionScope()
{
    qsizetype table = -1;
    if (tok(0).isWord(u"UPDATE"))
        table = 1;
    else if (tok(0).isWord(u"DELETE"))
        table = nextAtDepth(0, m_tokens.size(), 0, {u"FROM"}) + 1;
    if (table < 0 || !tok(table).isName())
        return;
    Scope scope;
    scope.select = -1;
    scope.end = m_tokens.size();
    scope.listStart = scope.listEnd = scope.fromEnd =
        nextAtDepth(table, scope.end, 0, {u"WHERE"});
    scope.tables.append({tok(table).value, QString(), table});
    m_scopes.append(scope);
}

void TextColumnReferences::readTables(Scope& scope) const
{
    for (const TableReference& t :
         ReadFromClause(m_tokens, m_depths, scope.listEnd, scope.fromEnd, scope.depth)) {
        scope.tables.append(t);
        scope.tablePositions.insert(t.at);
        if (t.aliasAt >= 0)
            scope.tablePositions.insert(t.aliasAt);
    }
}

QSet<qsizetype> TextColumnReferences::find(QHash<qsizetype, QString>* spellings) const
{
    QSet<qsizetype> found;
    for (qsizetype i = 0; i < m_tokens.size(); ++i) {
        const Scope* scope = innermost(i);
        if (!scope)
            continue;
        if (spellings && !scope->tablePositions.contains(i)) {
            if (const FieldDef* field = fieldAt(*scope, i))
                spellings->insert(i, field->name);
        }
        if (comparedHere(*scope, i)) {
            const FieldDef* field = fieldAt(*scope, i);
            if (field && (field->type == dbText || field->type == dbMemo))
                found.insert(i);
        }
    }
    return found;
}

const TextColumnReferences::Scope* TextColumnReferences::innermost(qsizetype i) const
{
    // Scopes are listed by where they start, so the last that holds i is the innermost.
    for (qsizetype s = m_scopes.size() - 1; s >= 0; --s) {
        if (m_scopes[s].select < i && i < m_scopes[s].end)
            return &m_scopes[s];
    }
    return nullptr;
}

bool TextColumnReferences::comparedHere(const Scope& scope, qsizetype i) const
{
    if (i >= scope.listStart && i < scope.listEnd)
        return depthAt(i) > scope.depth; // inside a function such as MAX(lname)
    return i > scope.listEnd && !scope.tablePositions.contains(i);
}

const FieldDef* TextColumnReferences::fieldAt(const Scope& scope, qsizetype i) const
{
    const JetToken& t = tok(i);
    const JetToken& next = tok(i + 1);
    if (!t.isName() || isKeyword(t) || next.isSymbol(u"(") || next.isSymbol(u".") ||
        next.isSymbol(u"!") || tok(i - 1).isWord(u"AS"))
        return nullptr;
    const bool qualified = i >= 2 && (tok(i - 1).isSymbol(u".") || tok(i - 1).isSymbol(u"!"));
    const QStringView qualifier = qualified ? QStringView(tok(i - 2).value) : QStringView();
    // The innermost scope first, then the ones around it (a correlated sub-query).
    for (qsizetype s = m_scopes.size() - 1; s >= 0; --s) {
        const Scope& around = m_scopes[s];
        if (&around != &scope && !(around.select < scope.select && scope.end <= around.end))
            continue;
        if (const FieldDef* field = FindField(m_catalog, around.tables, qualifier, t.value))
            return field;
    }
    return nullptr;
}
