#include "SearchStatement.h"

#include "TextRoutines.h"

namespace
{

// Each pattern character in brackets, where like takes it literally.
QString literalPattern(const QString& value)
{
    QString escaped;
    escaped.reserve(value.size());
    for (const QChar c : value) {
        if (c == u'*' || c == u'?' || c == u'#' || c == u'[')
            escaped += QLatin1Char('[') + c + QLatin1Char(']');
        else
            escaped += c;
    }
    return escaped;
}

QString condition(const QString& field, const QString& op, const QString& value)
{
    if (op == QLatin1String("Contains"))
        return QStringLiteral(" Where ") + field + QStringLiteral(" like '*") +
               SqlQuote(literalPattern(value)) + QStringLiteral("*'");
    if (op == QLatin1String("Starts with"))
        return QStringLiteral(" Where ") + field + QStringLiteral(" like '") +
               SqlQuote(literalPattern(value)) + QStringLiteral("*'");
    if (op == QLatin1String("="))
        return QStringLiteral(" Where ") + field + QStringLiteral(" = '") + SqlQuote(value) +
               QStringLiteral("'");
    return QString();
}

} // namespace

QString SearchStatement(const QString& base, const QString& field, const QString& op,
                        const QString& value)
{
    return base + condition(field, op, value) + QStringLiteral(" order by ") + field;
}
