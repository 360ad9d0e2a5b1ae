#include "SqlDialect.h"

std::optional<QString> SqlDialect::Like(const QString& pattern, bool negated) const
{
    return (negated ? QStringLiteral("NOT LIKE ") : QStringLiteral("LIKE ")) + QuoteText(pattern);
}

QString SqlDialect::QuoteName(const QString& name)
{
    return u'"' + QString(name).replace(u'"', QStringLiteral("\"\"")) + u'"';
}

QString SqlDialect::QuoteText(const QString& value)
{
    return u'\'' + QString(value).replace(u'\'', QStringLiteral("''")) + u'\'';
}
