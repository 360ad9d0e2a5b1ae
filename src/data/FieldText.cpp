#include "FieldText.h"

#include "DaoType.h"
#include "Field.h"
#include "JetDate.h"
#include "TextRoutines.h"

QVariant FieldText(const Field& field)
{
    const QVariant value = field.Value();
    const int type = field.Type();
    const bool text = type == dbText || type == dbMemo;
    if (value.isNull()) {
        if (text)
            return QVariant(QString());
        if (type == dbDate)
            return QVariant(JetDate::NoDate());
        return QVariant(0);
    }
    if (!text)
        return value;
    // Most stored texts have no blanks to remove: hand the value back as it is.
    const QString stored = value.toString();
    if (!stored.startsWith(u' ') && !stored.endsWith(u' '))
        return value;
    return QVariant(TrimText(stored));
}
