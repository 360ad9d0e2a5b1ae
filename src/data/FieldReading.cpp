#include "FieldReading.h"

#include "DaoType.h"
#include "JetDate.h"
#include "TextRoutines.h"

namespace FieldReading {

QVariant OfNull(int type)
{
    if (type == dbText || type == dbMemo)
        return QVariant(QString());
    if (type == dbDate)
        return QVariant(JetDate::NoDate());
    return QVariant(0);
}

QVariant Of(const QVariant& value, int type)
{
    // The engine gives an invalid variant for Null, and only for Null.
    if (!value.isValid())
        return OfNull(type);
    if (type == dbText || type == dbMemo) {
        const QString text = value.toString();
        if (!text.isEmpty() && (text.front() == u' ' || text.back() == u' '))
            return QVariant(TrimText(text));
    }
    return value;
}

} // namespace FieldReading
