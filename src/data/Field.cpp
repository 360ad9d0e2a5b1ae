#include "Field.h"

#include "Recordset.h"

QVariant Field::Value() const
{
    return m_recordset->Value(m_index);
}

QVariant Field::Reading() const
{
    return m_recordset->Reading(m_index);
}
