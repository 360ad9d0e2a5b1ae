#include "ShortNumber.h"

#include "TextRoutines.h"

#include <limits>

std::optional<qint16> ShortNumberOrZero(const QString& text)
{
    const QString trimmed = TrimText(text);
    if (trimmed.isEmpty())
        return qint16(0);
    bool ok = false;
    const int value = trimmed.toInt(&ok);
    if (!ok || value < std::numeric_limits<qint16>::min() ||
        value > std::numeric_limits<qint16>::max())
        return std::nullopt;
    return qint16(value);
}
