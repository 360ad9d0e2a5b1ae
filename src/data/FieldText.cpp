#include "FieldText.h"

#include "Field.h"

QVariant FieldText(const Field& field)
{
    return field.Reading();
}
