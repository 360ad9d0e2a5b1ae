#include "JetLexer.h"

#include "DbError.h"
#include "JetDate.h"

QList<JetToken> JetLexer::Tokenize(const QString& sql)
{
    JetLexer lexer(sql);
    QList<JetToken> tokens;
    for (;;) {
        JetToken token = lexer.next();
        const bool end = token.kind == JetToken::End;
        tokens.append(std::move(token));
        if (end)
            return tokens;
    }
}

void JetLexer::fail(const QString& message) const
{
    throw DbError(message, m_sql);
}

JetToken JetLexer::next()
{
    while (m_pos < m_sql.size() && m_sql[m_pos].isSpace())
        ++m_pos;
    if (m_pos >= m_sql.size())
        return {JetToken::End, {}};
    const QChar c = m_sql[m_pos];
    if (c == u'\'' || c == u'"')
        return quoted(c);
    if (c == u'[')
        return bracketName();
    if (c == u'#')
        return dateLiteral();
    if (c.isDigit() || (c == u'.' && m_pos + 1 < m_sql.size() && m_sql[m_pos + 1].isDigit()))
        return number();
    if (c.isLetter() || c == u'_')
        return word();
    return symbol();
}

JetToken JetLexer::quoted(QChar quote)
{
    QString value;
    ++m_pos;
    while (m_pos < m_sql.size()) {
        const QChar c = m_sql[m_pos++];
        if (c != quote) {
            value.append(c);
        } else if (m_pos < m_sql.size() && m_sql[m_pos] == quote) {
            value.append(c);
            ++m_pos;
        } else {
            return {JetToken::Text, value};
        }
    }
    fail(QStringLiteral("Syntax error: a text value has no closing quote (%1).").arg(quote));
}

JetToken JetLexer::bracketName()
{
    const qsizetype close = m_sql.indexOf(u']', m_pos + 1);
    if (close < 0)
        fail(QStringLiteral("Syntax error: a name in brackets has no closing ']'."));
    QString name = m_sql.mid(m_pos + 1, close - m_pos - 1);
    m_pos = close + 1;
    if (name.trimmed().isEmpty())
        fail(QStringLiteral("Syntax error: empty name in brackets."));
    return {JetToken::Name, name};
}

JetToken JetLexer::dateLiteral()
{
    const qsizetype close = m_sql.indexOf(u'#', m_pos + 1);
    if (close < 0)
        fail(QStringLiteral("Syntax error: a date has no closing '#'."));
    const QStringView text = QStringView(m_sql).mid(m_pos + 1, close - m_pos - 1);
    const auto date = JetDate::Parse(text);
    if (!date)
        fail(QStringLiteral("Syntax error in date: #%1# is not a valid date.").arg(text));
    m_pos = close + 1;
    return {JetToken::Date, JetDate::ToStorage(*date)};
}

JetToken JetLexer::number()
{
    const qsizetype start = m_pos;
    auto digits = [this] {
        while (m_pos < m_sql.size() && m_sql[m_pos].isDigit() && m_sql[m_pos].unicode() < 128)
            ++m_pos;
    };
    digits();
    if (m_pos < m_sql.size() && m_sql[m_pos] == u'.') {
        ++m_pos;
        digits();
    }
    if (m_pos < m_sql.size() && (m_sql[m_pos] == u'e' || m_sql[m_pos] == u'E')) {
        qsizetype p = m_pos + 1;
        if (p < m_sql.size() && (m_sql[p] == u'+' || m_sql[p] == u'-'))
            ++p;
        if (p < m_sql.size() && m_sql[p].isDigit()) {
            m_pos = p;
            digits();
        }
    }
    if (m_pos < m_sql.size() && (m_sql[m_pos].isLetterOrNumber() || m_sql[m_pos] == u'_'))
        fail(QStringLiteral("Syntax error in number: %1").arg(m_sql.mid(start, m_pos - start + 1)));
    const QString text = m_sql.mid(start, m_pos - start);
    return {JetToken::Number, text};
}

JetToken JetLexer::word()
{
    const qsizetype start = m_pos;
    while (m_pos < m_sql.size() && (m_sql[m_pos].isLetterOrNumber() || m_sql[m_pos] == u'_'))
        ++m_pos;
    return {JetToken::Word, m_sql.mid(start, m_pos - start)};
}

JetToken JetLexer::symbol()
{
    // The commonest first, each pair before its first character alone. Literal strings: a
    // symbol's token is built without allocating.
    static const QString symbols[] = {
        QStringLiteral(","),  QStringLiteral("("), QStringLiteral(")"), QStringLiteral("<>"),
        QStringLiteral("<="), QStringLiteral(">="), QStringLiteral("="), QStringLiteral("<"),
        QStringLiteral(">"),  QStringLiteral("."), QStringLiteral("+"), QStringLiteral("-"),
        QStringLiteral("*"),  QStringLiteral("/"), QStringLiteral("\\"), QStringLiteral("&"),
        QStringLiteral(";"),  QStringLiteral("!")};
    const QStringView rest = QStringView(m_sql).mid(m_pos);
    for (const QString& symbol : symbols) {
        if (symbol.front() == rest.front() && rest.startsWith(symbol)) {
            m_pos += symbol.size();
            return {JetToken::Symbol, symbol};
        }
    }
    fail(QStringLiteral("Syntax error: unexpected character '%1'.").arg(rest.front()));
}
