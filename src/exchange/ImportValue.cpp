#include "ImportValue.h"

#include "DaoType.h"
#include "FieldDef.h"
#include "JetDate.h"
#include "TextRoutines.h"

#include <QLocale>

std::optional<QString> ImportValue::Literal(const FieldDef& field, const QString& value,
                                            QStringList& messages)
{
    const QString trimmed = TrimText(value);
    switch (field.type) {
    case dbText:
    case dbMemo:
        return text(field, trimmed, messages);
    case dbDate:
        return date(trimmed);
    default:
        return number(field.type, trimmed);
    }
}

QString ImportValue::text(const FieldDef& field, const QString& value, QStringList& messages)
{
    // A memo has no width: its values are kept whole.
    if (field.type != dbText || field.size <= 0 || value.size() <= field.size)
        return u'\'' + SqlQuote(value) + u'\'';
    messages.append(QStringLiteral("Data imported into ") + field.name + QStringLiteral(" (\"") +
                    value.left(10) + QStringLiteral("\"...) had to be truncated"));
    return u'\'' + SqlQuote(value.left(field.size)) + u'\'';
}

std::optional<QString> ImportValue::date(const QString& value)
{
    const auto parsed = JetDate::Parse(value);
    if (!parsed)
        return std::nullopt;
    QString literal = JetDate::ToUsText(parsed->date());
    if (parsed->time() != QTime(0, 0))
        literal += parsed->time().toString(u" HH:mm:ss");
    return u'#' + literal + u'#';
}

std::optional<QString> ImportValue::number(int type, const QString& value)
{
    bool ok = false;
    if (type == dbDouble) {
        const double number = QLocale::c().toDouble(value, &ok);
        return ok ? std::optional(QString::number(number, 'g', 17)) : std::nullopt;
    }
    if (type == dbBoolean) {
        for (const char* word : {"True", "Yes"})
            if (value.compare(QLatin1String(word), Qt::CaseInsensitive) == 0)
                return QStringLiteral("True");
        for (const char* word : {"False", "No"})
            if (value.compare(QLatin1String(word), Qt::CaseInsensitive) == 0)
                return QStringLiteral("False");
    }
    const qlonglong number = value.toLongLong(&ok);
    if (!ok)
        return std::nullopt;
    if (type == dbBoolean)
        return number != 0 ? QStringLiteral("True") : QStringLiteral("False");
    return QString::number(number);
}
