#include "FieldText.h"

#include "DaoType.h"
#include "Field.h"
#include "JetDate.h"
#include "TextRoutines.h"

namespace {

// What a Null reads as: an empty text, the no-date day or 0.
QVariant nullReading(int type)
{
    if (type == dbText || type == dbMemo)
        return QVariant(QString());
    if (type == dbDate)
        return QVariant(JetDate::NoDate());
    return QVariant(0);
}

// Most stored texts have no blanks to remove; those are handed back as they are.
bool needsTrimming(const QVariant& text)
{
    if (text.userType() != QMetaType::QString)
        return true;
    const QString& stored = *static_cast<const QString*>(text.constData());
    return stored.startsWith(u' ') || stored.endsWith(u' ');
}

} // namespace

// One variable returned on every path, so that the value is built in place and never copied.
QVariant FieldText(const Field& field)
{
    QVariant value = field.Value();
    const int type = field.Type();
    // The engine gives an invalid variant for Null, and only for Null.
    if (!value.isValid())
        value = nullReading(type);
    else if ((type == dbText || type == dbMemo) && needsTrimming(value))
        value = QVariant(TrimText(value.toString()));
    return value;
}
