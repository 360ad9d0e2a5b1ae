#include "ResultBox.h"

#include "SelectAllOnFocus.h"
#include "TextRoutines.h"

#include <QRegularExpression>
#include <QValidator>

#include <limits>

namespace
{

const QRegularExpression kNumberShape(QStringLiteral(R"(^(-?)(\d*)(?:\.(\d*))?$)"));

// Accepts what ResultBox::WholeNumber can read, and the beginnings of such texts.
class ResultValidator : public QValidator
{
public:
    using QValidator::QValidator;

    State validate(QString& input, int& /*pos*/) const override
    {
        if (!kNumberShape.match(input).hasMatch())
            return Invalid;
        if (ResultBox::WholeNumber(input))
            return Acceptable;
        // Only "-", "." and "-." are shaped like a number without being one; anything
        // else that fails is out of range.
        return input.size() <= 2 ? Intermediate : Invalid;
    }
};

} // namespace

ResultBox::ResultBox(QWidget* parent) : QLineEdit(parent)
{
    setValidator(new ResultValidator(this));
    SelectAllOnFocus::Install(this);
}

qint32 ResultBox::Value() const
{
    return WholeNumber(text()).value_or(0);
}

std::optional<qint32> ResultBox::WholeNumber(const QString& text)
{
    const QString trimmed = TrimText(text);
    if (trimmed.isEmpty())
        return 0;
    const QRegularExpressionMatch parts = kNumberShape.match(trimmed);
    const QString whole = parts.captured(2);
    const QString fraction = parts.captured(3);
    if (!parts.hasMatch() || (whole.isEmpty() && fraction.isEmpty()) || whole.size() > 10)
        return std::nullopt;
    qint64 value = whole.toLongLong();
    // Exact decimal rounding, a half going to the even number.
    static const QRegularExpression nonZero(QStringLiteral("[1-9]"));
    const bool pastHalf = fraction.mid(1).contains(nonZero);
    const QChar first = fraction.isEmpty() ? QChar(u'0') : fraction[0];
    if (first > u'5' || (first == u'5' && (pastHalf || value % 2 == 1)))
        ++value;
    if (!parts.captured(1).isEmpty())
        value = -value;
    if (value > std::numeric_limits<qint32>::max() || value < std::numeric_limits<qint32>::min())
        return std::nullopt;
    return qint32(value);
}

void ResultBox::focusOutEvent(QFocusEvent* event)
{
    const QString trimmed = TrimText(text());
    if (trimmed.contains(u'.') || !WholeNumber(trimmed))
        setText(WholeNumber(trimmed) ? QString::number(Value()) : QString());
    QLineEdit::focusOutEvent(event);
}
