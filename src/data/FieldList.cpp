#include "FieldList.h"

#include "DbError.h"

const Field& FieldList::operator[](int index) const
{
    if (index < 0 || index >= Count())
        throw DbError(QStringLiteral("Item not found in this collection (field %1).").arg(index));
    return m_fields[size_t(index)];
}

const Field* FieldList::Find(QStringView name) const
{
    for (const Field& f : m_fields) {
        if (f.Name().compare(name, Qt::CaseInsensitive) == 0)
            return &f;
    }
    return nullptr;
}

const Field& FieldList::operator[](QStringView name) const
{
    if (const Field* f = Find(name))
        return *f;
    throw DbError(QStringLiteral("Item not found in this collection (field '%1').").arg(name));
}
