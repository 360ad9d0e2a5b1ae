#pragma once

#include <QVariant>

// How a value reads when read safely: a Null as its type's blank (an empty text, the no-date
// day, 0) and a text without its leading and trailing blanks.
namespace FieldReading {

QVariant OfNull(int type);
// The reading of a value already read (invalid for Null) of a field of that DAO type.
QVariant Of(const QVariant& value, int type);

// Whether a stored text (as UTF-8) has blanks to remove.
inline bool NeedsTrimming(const char* utf8, int bytes)
{
    return bytes > 0 && (utf8[0] == ' ' || utf8[bytes - 1] == ' ');
}

} // namespace FieldReading
