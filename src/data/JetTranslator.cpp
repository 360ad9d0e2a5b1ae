#include "JetTranslator.h"

#include "Catalog.h"
#include "DaoType.h"
#include "DbError.h"
#include "FromClause.h"
#include "JetLexer.h"
#include "QueryShape.h"
#include "SqliteDialect.h"
#include "TextColumnReferences.h"

JetTranslation JetTranslator::Translate(const QString& sql, const Catalog& catalog)
{
    return Translate(sql, catalog, SqliteDialect::Instance());
}

JetTranslation JetTranslator::Translate(const QString& sql, const Catalog& catalog,
                                        const SqlDialect& dialect, Numbers numbers)
{
    return Translate(sql, JetLexer::Tokenize(sql), catalog, dialect, numbers);
}

JetTranslation JetTranslator::Translate(const QString& sql, QList<JetToken> tokens,
                                        const Catalog& catalog, const SqlDialect& dialect,
                                        Numbers numbers)
{
    JetTranslator translator(sql, std::move(tokens), catalog, dialect);
    if (numbers == Numbers::Bound)
        translator.bindComparedNumbers();
    return translator.run();
}

JetTranslator::JetTranslator(const QString& sql, QList<JetToken> tokens, const Catalog& catalog,
                             const SqlDialect& dialect)
    : m_sql(sql), m_catalog(catalog), m_dialect(dialect), m_tokens(std::move(tokens))
{
}

const JetToken& JetTranslator::tok(qsizetype i) const
{
    return i < m_tokens.size() ? m_tokens[i] : m_tokens.last();
}

int JetTranslator::depthAt(qsizetype i) const
{
    return i < m_depth.size() ? m_depth[i] : 0;
}

void JetTranslator::fail(const QString& message) const
{
    throw DbError(message, m_sql);
}

JetTranslation JetTranslator::run()
{
    checkSingleStatement();
    computeDepths();
    const JetToken& first = m_tokens.first();
    if (first.isWord(u"SELECT")) {
        m_result.kind = JetTranslation::Select;
    } else if (first.isWord(u"INSERT")) {
        m_result.kind = JetTranslation::Action;
        translateInsert();
    } else if (first.isWord(u"UPDATE")) {
        m_result.kind = JetTranslation::Action;
        translateUpdate();
    } else if (first.isWord(u"DELETE")) {
        m_result.kind = JetTranslation::Action;
        translateDelete();
    } else {
        fail(QStringLiteral(
            "Invalid SQL statement; expected 'DELETE', 'INSERT', 'SELECT', or 'UPDATE'."));
    }
    translateSelects();
    const QSet<qsizetype> likeOperands = rewriteLikes();
    const bool spell = m_dialect.SpellsStoredNames();
    for (const qsizetype i :
         TextColumnReferences::Find(m_tokens, m_depth, m_catalog, spell ? &m_spelled : nullptr)) {
        if (!likeOperands.contains(i))
            m_after[i].prepend(m_dialect.CaseBlind());
    }
    if (spell)
        spellTablesAndAliases();
    m_result.sql = output();
    return m_result;
}

// For a back end without Jet's LIKE: "[NOT] LIKE 'pattern'" becomes the dialect's match, and
// the operand before it (returned) keeps its own collation, which the match overrides.
QSet<qsizetype> JetTranslator::rewriteLikes()
{
    QSet<qsizetype> operands;
    if (!m_dialect.RewritesLike())
        return operands;
    for (qsizetype i = 1; i + 1 < m_tokens.size(); ++i) {
        if (!tok(i).isWord(u"LIKE"))
            continue;
        if (tok(i + 1).kind != JetToken::Text)
            fail(QStringLiteral("LIKE must be followed by a text pattern."));
        const bool negated = tok(i - 1).isWord(u"NOT");
        const auto match = m_dialect.Like(tok(i + 1).value, negated);
        if (!match)
            fail(QStringLiteral("Invalid pattern string: a '[' is not closed."));
        m_skip.insert(i);
        m_skip.insert(i + 1);
        if (negated)
            m_skip.insert(i - 1);
        m_after[i + 1] += u' ' + *match;
        operands.insert(negated ? i - 2 : i - 1);
    }
    return operands;
}

// Table names as stored; a name defined after AS as written there, wherever it is used.
void JetTranslator::spellTablesAndAliases()
{
    QHash<QString, QString> aliases;
    for (qsizetype i = 1; i < m_tokens.size(); ++i) {
        if (tok(i).isName() && tok(i - 1).isWord(u"AS")) {
            aliases.insert(tok(i).value.toCaseFolded(), tok(i).value);
            m_spelled.insert(i, tok(i).value);
        }
    }
    for (qsizetype i = 0; i < m_tokens.size(); ++i) {
        if (!tok(i).isName() || m_spelled.contains(i))
            continue;
        if (const TableDef* table = m_catalog.Find(tok(i).value))
            m_spelled.insert(i, table->name);
        else if (const auto alias = aliases.constFind(tok(i).value.toCaseFolded());
                 alias != aliases.constEnd() && !tok(i + 1).isSymbol(u"("))
            m_spelled.insert(i, *alias);
    }
}

void JetTranslator::bindComparedNumbers()
{
    if (!m_tokens.first().isWord(u"SELECT"))
        return;
    for (qsizetype i = 0; i < m_tokens.size(); ++i) {
        if (QueryShape::IsComparedNumber(m_tokens, i))
            bind(i, std::nullopt);
    }
}

void JetTranslator::bind(qsizetype token, const std::optional<FieldDef>& field)
{
    m_bound.insert(token);
    m_result.parameters.append(BoundValue(tok(token)));
    m_result.boundTokens.append(token);
    m_result.boundFields.append(field);
}

void JetTranslator::checkSingleStatement()
{
    for (qsizetype i = 0; i < m_tokens.size(); ++i) {
        // A recursive query could run without end; the dialect has none.
        if (tok(i).isWord(u"RECURSIVE"))
            fail(QStringLiteral("Recursive queries are not supported."));
        if (!tok(i).isSymbol(u";"))
            continue;
        if (tok(i + 1).kind != JetToken::End)
            fail(QStringLiteral("Characters found after end of SQL statement."));
        m_tokens.remove(i);
        break;
    }
}

void JetTranslator::computeDepths()
{
    int depth = 0;
    m_depth.resize(m_tokens.size());
    for (qsizetype i = 0; i < m_tokens.size(); ++i) {
        if (tok(i).isSymbol(u")"))
            --depth;
        if (depth < 0)
            fail(QStringLiteral("Syntax error: a ')' has no matching '('."));
        m_depth[i] = depth;
        if (tok(i).isSymbol(u"("))
            ++depth;
    }
    if (depth != 0)
        fail(QStringLiteral("Syntax error: a '(' has no matching ')'."));
}

qsizetype JetTranslator::scopeEnd(qsizetype at) const
{
    const int depth = depthAt(at);
    for (qsizetype i = at + 1; i < m_tokens.size(); ++i) {
        if (tok(i).kind == JetToken::End ||
            (tok(i).isSymbol(u")") && depthAt(i) < depth))
            return i;
    }
    return m_tokens.size() - 1;
}

void JetTranslator::translateSelects()
{
    for (qsizetype i = 0; i < m_tokens.size(); ++i) {
        if (tok(i).isWord(u"SELECT") && !m_skip.contains(i))
            translateSelect(i);
    }
}

void JetTranslator::translateSelect(qsizetype at)
{
    const int depth = depthAt(at);
    const qsizetype end = scopeEnd(at);
    applySelectModifiers(at + 1, end);
    const qsizetype listStart = selectListStart(at + 1);
    const qsizetype listEnd = selectListEnd(listStart, end, depth);
    if (listEnd < end && tok(listEnd).isWord(u"INTO") && at == 0)
        fail(QStringLiteral("SELECT ... INTO (a make-table query) is not supported."));
    if (listStart == listEnd)
        fail(QStringLiteral("Syntax error: the SELECT statement names no fields."));
    bool distinct = tok(at + 1).isWord(u"DISTINCT") || tok(at + 1).isWord(u"DISTINCTROW");
    // Where a grouped field must be the same expression in the list as in GROUP BY, the
    // list's field takes the case-blind collation too.
    for (qsizetype i = listEnd; m_dialect.CollatesGroupedFields() && i < end; ++i)
        distinct = distinct || (depthAt(i) == depth && tok(i).isWord(u"GROUP"));
    nameSelectItems(listStart, listEnd, end, depth, distinct);
}

qsizetype JetTranslator::selectListStart(qsizetype at) const
{
    if (tok(at).isWord(u"DISTINCT") || tok(at).isWord(u"ALL") || tok(at).isWord(u"DISTINCTROW"))
        ++at;
    return tok(at).isWord(u"TOP") ? at + 2 : at;
}

qsizetype JetTranslator::selectListEnd(qsizetype from, qsizetype end, int depth) const
{
    while (from < end && !(depthAt(from) == depth &&
                           (tok(from).isWord(u"FROM") || tok(from).isWord(u"INTO"))))
        ++from;
    return from;
}

void JetTranslator::applySelectModifiers(qsizetype at, qsizetype end)
{
    if (tok(at).isWord(u"DISTINCTROW")) {
        m_before[at] = QStringLiteral(" DISTINCT");
        m_skip.insert(at);
    }
    const qsizetype top = selectListStart(at) - 2;
    if (top < at || !tok(top).isWord(u"TOP"))
        return;
    const JetToken& count = tok(top + 1);
    bool whole = false;
    const qlonglong n = count.value.toLongLong(&whole);
    if (count.kind != JetToken::Number || !whole || n < 0)
        fail(QStringLiteral("Syntax error: TOP must be followed by a whole number."));
    if (tok(top + 2).isWord(u"PERCENT"))
        fail(QStringLiteral("TOP n PERCENT is not supported."));
    m_skip.insert(top);
    m_skip.insert(top + 1);
    m_before[end] += QStringLiteral(" LIMIT %1 ").arg(n);
}

void JetTranslator::nameSelectItems(qsizetype from, qsizetype to, qsizetype scopeEnd, int depth,
                                    bool distinct)
{
    const auto tables = ReadFromClause(m_tokens, m_depth, to, scopeEnd, depth);
    for (const auto& [start, stop] : splitList(from, to, depth)) {
        const qsizetype length = stop - start;
        const JetToken& last = tok(stop - 1);
        const bool aliased = length >= 3 && tok(stop - 2).isWord(u"AS") && last.isName();
        const JetToken& first = tok(start);
        const bool literal = first.isWord(u"TRUE") || first.isWord(u"FALSE");
        const bool plain = (length == 1 && !literal && (last.isName() || last.isSymbol(u"*"))) ||
                           (length == 3 && tok(start).isName() &&
                            tok(start + 1).isSymbol(u".") &&
                            (last.isName() || last.isSymbol(u"*")));
        if (plain && distinct && last.isName())
            collateDistinctText(start, stop, tables);
        if (plain) {
            // A result field keeps the name as the query writes it, not as the table stores it.
            if (depth == 0 && last.isName()) {
                const QString written = QString(last.value).replace(u'"', QStringLiteral("\"\""));
                m_after[stop - 1] += QStringLiteral(" AS \"%1\"").arg(written);
            }
            continue;
        }
        QString name = last.value;
        const qsizetype exprEnd = aliased ? stop - 2 : stop;
        if (!aliased) {
            name = QStringLiteral("Expr%1").arg(m_nextExpr++);
            m_after[stop - 1] += QStringLiteral(" AS ") + m_dialect.Alias(name);
        }
        if (literal && exprEnd - start == 1)
            m_result.columnTypes.insert(name.toCaseFolded(), {int(dbBoolean), 1});
        else if (const auto type = itemType(start, exprEnd, tables))
            m_result.columnTypes.insert(name.toCaseFolded(), *type);
    }
}

std::optional<std::pair<int, int>>
JetTranslator::itemType(qsizetype from, qsizetype to,
                        const QList<TableReference>& tables) const
{
    const JetToken& fn = tok(from);
    if (to - from < 3 || fn.kind != JetToken::Word || !tok(from + 1).isSymbol(u"(") ||
        !tok(to - 1).isSymbol(u")"))
        return std::nullopt;
    if (fn.isWord(u"COUNT"))
        return std::pair{int(dbLong), 4};
    if (fn.isWord(u"UCASE") || fn.isWord(u"LCASE") || fn.isWord(u"MID") || fn.isWord(u"TRIM"))
        return std::pair{int(dbText), 255};
    if (!(fn.isWord(u"MAX") || fn.isWord(u"MIN") || fn.isWord(u"FIRST") || fn.isWord(u"LAST")))
        return std::nullopt;
    // MAX(field) or MAX(table.field): the type of that field.
    const qsizetype inner = to - from - 3;
    if (inner != 1 && inner != 3)
        return std::nullopt;
    return fieldType(from + 2, to - 1, tables);
}

std::optional<std::pair<int, int>>
JetTranslator::fieldType(qsizetype from, qsizetype to, const QList<TableReference>& tables) const
{
    const FieldDef* field = nullptr;
    if (to - from == 1 && tok(from).isName())
        field = FindField(m_catalog, tables, {}, tok(from).value);
    else if (to - from == 3 && tok(from).isName() && tok(from + 1).isSymbol(u".") &&
             tok(from + 2).isName())
        field = FindField(m_catalog, tables, tok(from).value, tok(from + 2).value);
    if (!field)
        return std::nullopt;
    return std::pair{field->type, field->size};
}

// DISTINCT tells rows apart by the result's own collation: a text field is made case-blind
// there, and keeps its type and width through the hint, since it is no bare field any more.
void JetTranslator::collateDistinctText(qsizetype from, qsizetype to,
                                        const QList<TableReference>& tables)
{
    const auto type = fieldType(from, to, tables);
    if (!type || (type->first != dbText && type->first != dbMemo))
        return;
    m_after[to - 1].prepend(m_dialect.CaseBlind());
    m_result.columnTypes.insert(tok(to - 1).value.toCaseFolded(), *type);
}

const TableDef& JetTranslator::table(qsizetype at) const
{
    const JetToken& t = tok(at);
    if (!t.isName())
        fail(QStringLiteral("Syntax error: a table name is expected."));
    const TableDef* info = m_catalog.Find(t.value);
    if (!info)
        fail(QStringLiteral("The database engine cannot find the input table or query '%1'. "
                            "Make sure it exists and that its name is spelled correctly.")
                 .arg(t.value));
    return *info;
}

void JetTranslator::translateInsert()
{
    if (!tok(1).isWord(u"INTO"))
        fail(QStringLiteral("Syntax error in INSERT INTO statement."));
    const TableDef& target = table(2);
    QStringList columns;
    qsizetype i = 3;
    if (tok(i).isSymbol(u"(")) {
        if (tok(i + 1).isSymbol(u")"))
            fail(QStringLiteral("Syntax error in INSERT INTO statement."));
        const qsizetype close = scopeEnd(i + 1);
        for (const auto& [start, stop] : splitList(i + 1, close, 1)) {
            if (stop - start != 1 || !tok(start).isName())
                fail(QStringLiteral("Syntax error in INSERT INTO statement."));
            const QString& name = tok(start).value;
            const FieldDef* field = target.Find(name);
            if (!field)
                fail(QStringLiteral("The INSERT INTO statement contains the following unknown "
                                    "field name: '%1'. Make sure you have typed the name "
                                    "correctly, and try the operation again.")
                         .arg(name));
            if (m_dialect.SpellsStoredNames())
                m_spelled.insert(start, field->name);
            columns.append(name);
        }
        i = close + 1;
    } else {
        for (const FieldDef& c : target.fields)
            columns.append(c.name);
    }
    if (tok(i).isWord(u"SELECT"))
        return storeSelectedValues(i, target, columns);
    if (!tok(i).isWord(u"VALUES") || !tok(i + 1).isSymbol(u"(") || tok(i + 2).isSymbol(u")"))
        fail(QStringLiteral("Syntax error in INSERT INTO statement."));
    const qsizetype close = scopeEnd(i + 2);
    if (tok(close + 1).kind != JetToken::End)
        fail(QStringLiteral("Characters found after end of SQL statement."));
    const auto values = splitList(i + 2, close, 1);
    if (values.size() != columns.size())
        fail(QStringLiteral("Number of query values and destination fields are not the same."));
    for (qsizetype v = 0; v < values.size(); ++v)
        storeValue(values[v].first, values[v].second, target, columns[v], Literal::Bound);
}

void JetTranslator::storeSelectedValues(qsizetype select, const TableDef& target,
                                        const QStringList& columns)
{
    const qsizetype from = selectListStart(select + 1);
    const auto items = splitList(from, selectListEnd(from, scopeEnd(select), 0), 0);
    if (items.size() != columns.size())
        fail(QStringLiteral("Number of query values and destination fields are not the same."));
    for (qsizetype v = 0; v < items.size(); ++v) {
        auto [start, stop] = items[v];
        if (tok(stop - 1).isSymbol(u"*"))
            fail(QStringLiteral("INSERT INTO ... SELECT must name each field it stores."));
        if (stop - start >= 3 && tok(stop - 2).isWord(u"AS"))
            stop -= 2;
        storeValue(start, stop, target, columns[v]);
    }
}

void JetTranslator::translateUpdate()
{
    // Only UPDATE table SET ...: every stored value must pass through its field's checks.
    if (!tok(2).isWord(u"SET"))
        fail(QStringLiteral("Syntax error in UPDATE statement."));
    const TableDef& target = table(1);
    qsizetype end = 3;
    while (tok(end).kind != JetToken::End && !(depthAt(end) == 0 && tok(end).isWord(u"WHERE")))
        ++end;
    for (const auto& [start, stop] : splitList(3, end, 0)) {
        qsizetype eq = start;
        while (eq < stop && !tok(eq).isSymbol(u"="))
            ++eq;
        if (eq == start || eq + 1 >= stop)
            fail(QStringLiteral("Syntax error in UPDATE statement."));
        const JetToken& column = tok(eq - 1);
        if (!column.isName() || !target.Find(column.value))
            fail(QStringLiteral("Unknown field name '%1' in table '%2'.")
                     .arg(column.value, target.name));
        storeValue(eq + 1, stop, target, column.value);
    }
}

void JetTranslator::translateDelete()
{
    // DELETE * FROM t and DELETE t.* FROM t both mean DELETE FROM t.
    for (qsizetype i = 1; i < m_tokens.size() && !tok(i).isWord(u"FROM"); ++i) {
        if (tok(i).kind == JetToken::End)
            fail(QStringLiteral("Syntax error in DELETE statement: FROM is missing."));
        m_skip.insert(i);
    }
}

void JetTranslator::storeValue(qsizetype from, qsizetype to, const TableDef& table,
                               QStringView column, Literal literal)
{
    const FieldDef* info = table.Find(column);
    if (to - from == 1 && FitsAsWritten(tok(from), *info)) {
        if (literal == Literal::Bound)
            bind(from, *info);
        return;
    }
    const auto [before, after] = m_dialect.Store(*info);
    m_before[from] += before;
    m_after[to - 1] += after;
}

// A literal that fits as written, as the value bound in its place: Null, True and False as
// their stored values, so that rows with Nulls in other places still share one text.
QVariant JetTranslator::BoundValue(const JetToken& value)
{
    if (value.isWord(u"NULL"))
        return QVariant();
    if (value.kind == JetToken::Word)
        return QVariant(value.isWord(u"TRUE") ? 1LL : 0LL);
    if (value.kind == JetToken::Number)
        return QVariant(value.value.toLongLong());
    return QVariant(value.value);
}

bool JetTranslator::FitsAsWritten(const JetToken& value, const FieldDef& field)
{
    // A single literal that already suits its field is stored as written; anything else
    // goes through jet_store(), which checks, converts or refuses it.
    if (value.isWord(u"NULL"))
        return true;
    switch (field.type) {
    case dbText:
    case dbMemo:
        return value.kind == JetToken::Text &&
               (field.type == dbMemo || value.value.size() <= field.size);
    case dbInteger:
    case dbLong: {
        bool whole = false;
        const qlonglong n = value.value.toLongLong(&whole);
        const qlonglong limit = field.type == dbInteger ? 32767 : 2147483647;
        return value.kind == JetToken::Number && whole && n <= limit;
    }
    case dbDate:
        return value.kind == JetToken::Date;
    case dbBoolean:
        return value.isWord(u"TRUE") || value.isWord(u"FALSE");
    default:
        return false;
    }
}

QList<std::pair<qsizetype, qsizetype>> JetTranslator::splitList(qsizetype from, qsizetype to,
                                                                 int depth) const
{
    QList<std::pair<qsizetype, qsizetype>> items;
    qsizetype start = from;
    for (qsizetype i = from; i <= to; ++i) {
        if (i == to || (depthAt(i) == depth && tok(i).isSymbol(u","))) {
            if (i == start)
                fail(QStringLiteral("Syntax error: an empty item in a list."));
            items.append({start, i});
            start = i + 1;
        }
    }
    return items;
}

QString JetTranslator::tokenText(qsizetype i, int& bound) const
{
    if (m_bound.contains(i))
        return m_dialect.Parameter(++bound);
    const JetToken& t = tok(i);
    const JetToken& next = tok(i + 1 < m_tokens.size() ? i + 1 : i);
    const bool qualified = i > 0 && tok(i - 1).isSymbol(u".");
    switch (t.kind) {
    case JetToken::Word:
        if (const auto spelled = m_spelled.constFind(i); spelled != m_spelled.constEnd())
            return SqlDialect::QuoteName(*spelled);
        if (next.isSymbol(u"("))
            return m_dialect.FunctionName(t.value);
        if (!qualified && t.isWord(u"TRUE"))
            return m_dialect.Boolean(true);
        if (!qualified && t.isWord(u"FALSE"))
            return m_dialect.Boolean(false);
        if (t.isWord(u"MOD"))
            return QStringLiteral("%");
        return t.value;
    case JetToken::Name:
        return SqlDialect::QuoteName(m_spelled.value(i, t.value));
    case JetToken::Text:
        // Text compares without regard to case also where neither side is a text field,
        // such as UCASE(lname) = 'Smith'.
        return SqlDialect::QuoteText(t.value) + m_dialect.CaseBlind();
    case JetToken::Date:
        return m_dialect.DateLiteral(t.value);
    case JetToken::Symbol:
        if (t.value == u"&")
            return QStringLiteral("||");
        if (t.value == u"!")
            return QStringLiteral(".");
        if (t.value == u"\\")
            return QStringLiteral("/");
        return t.value;
    default:
        return t.value;
    }
}

QString JetTranslator::output() const
{
    QString out;
    int bound = 0;
    for (qsizetype i = 0; i < m_tokens.size(); ++i) {
        out += m_before.value(i);
        if (tok(i).kind == JetToken::End)
            break;
        if (!m_skip.contains(i)) {
            const bool joined = tok(i).isSymbol(u".") || (i > 0 && tok(i - 1).isSymbol(u"."));
            if (!out.isEmpty() && !joined && !out.endsWith(u' '))
                out += u' ';
            out += tokenText(i, bound);
        }
        out += m_after.value(i);
    }
    return out.trimmed();
}
