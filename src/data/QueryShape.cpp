#include "QueryShape.h"

#include <algorithm>

namespace {

bool isComparison(const JetToken& t)
{
    static const QString comparisons[] = {QStringLiteral("="),  QStringLiteral("<>"),
                                          QStringLiteral("<"),  QStringLiteral(">"),
                                          QStringLiteral("<="), QStringLiteral(">=")};
    return t.kind == JetToken::Symbol &&
           std::any_of(std::begin(comparisons), std::end(comparisons),
                       [&](const QString& c) { return t.isSymbol(c); });
}

// What may follow the number for it to be the comparison's whole right-hand side.
bool endsOperand(const JetToken& t)
{
    return t.kind == JetToken::End || t.isSymbol(u")") || t.isSymbol(u";") || t.isWord(u"AND") ||
           t.isWord(u"OR") || t.isWord(u"ORDER") || t.isWord(u"GROUP") || t.isWord(u"HAVING") ||
           t.isWord(u"UNION");
}

bool isInsertedLiteral(const JetToken& t)
{
    return t.kind == JetToken::Text || t.kind == JetToken::Number || t.kind == JetToken::Date ||
           t.isWord(u"NULL") || t.isWord(u"TRUE") || t.isWord(u"FALSE");
}

} // namespace

bool QueryShape::IsComparedNumber(const QList<JetToken>& tokens, qsizetype i)
{
    if (i < 1 || i + 1 >= tokens.size() || tokens[i].kind != JetToken::Number)
        return false;
    const QString& digits = tokens[i].value;
    const bool whole = std::all_of(digits.cbegin(), digits.cend(),
                                   [](QChar c) { return c >= u'0' && c <= u'9'; });
    bool fits = false;
    digits.toLongLong(&fits);
    return whole && fits && isComparison(tokens[i - 1]) && endsOperand(tokens[i + 1]);
}

QueryShape QueryShape::Of(const QList<JetToken>& tokens)
{
    QueryShape shape;
    const bool query = tokens.first().isWord(u"SELECT");
    if (!query && !tokens.first().isWord(u"INSERT"))
        return shape;
    shape.key.reserve(tokens.size() * 8);
    for (qsizetype i = 0; i < tokens.size(); ++i) {
        const JetToken& t = tokens[i];
        if (query ? IsComparedNumber(tokens, i) : isInsertedLiteral(t)) {
            // Whether a value fits its field as written is asked again of each text.
            shape.literals.append(i);
            shape.key += u'?';
        } else {
            // The kind first: a text 'a' and a name [a] are different statements.
            shape.key += QChar(u'a' + t.kind);
            shape.key += t.value;
        }
        shape.key += u'\x1f';
    }
    return shape;
}
