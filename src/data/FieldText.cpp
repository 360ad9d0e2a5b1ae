#include "FieldText.h"

#include "DaoType.h"
#include "Field.h"
#include "JetDate.h"
#include "TextRoutines.h"

QVariant FieldText(const Field& field)
{
    QVariant value = field.Value();
    const int type = field.Type();
    const bool text = type == dbText || type == dbMemo;
    // The engine gives an invalid variant for Null, and only for Null.
    if (!value.isValid()) {
        if (text)
            return QVariant(QString());
        if (type == dbDate)
            return QVariant(JetDate::NoDate());
        return QVariant(0);
    }
    if (!text)
        return value;
    // Most stored texts have no blanks to remove: hand the value back as it is.
    if (value.userType() != QMetaType::QString)
        return QVariant(TrimText(value.toString()));
    const QString& stored = *static_cast<const QString*>(value.constData());
    if (!stored.startsWith(u' ') && !stored.endsWith(u' '))
        return value;
    return QVariant(TrimText(stored));
}
