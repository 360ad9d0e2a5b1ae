#include "TextRoutines.h"

#include "DbError.h"

QString TrimText(const QString& text)
{
    qsizetype start = 0;
    qsizetype end = text.size();
    while (start < end && text[start] == u' ')
        ++start;
    while (end > start && text[end - 1] == u' ')
        --end;
    return text.mid(start, end - start);
}

QString SqlQuote(const QString& text)
{
    return QString(text).replace(u'\'', QStringLiteral("''"));
}

QVariant NumberOrZero(const QString& text)
{
    const QString trimmed = TrimText(text);
    if (trimmed.isEmpty())
        return QVariant(0);
    bool ok = false;
    const int value = trimmed.toInt(&ok);
    if (!ok)
        throw DbError(QStringLiteral("Type mismatch: '%1' is not a whole number.").arg(trimmed));
    return QVariant(value);
}

QString BlankIfZero(const QString& text)
{
    return TrimText(text) == u"0" ? QString() : text;
}
