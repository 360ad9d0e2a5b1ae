#include "FieldList.h"

#include "DbError.h"
#include "SameName.h"

const Field& FieldList::operator[](int index) const
{
    if (index < 0 || index >= Count())
        throw DbError(QStringLiteral("Item not found in this collection (field %1).").arg(index));
    return m_fields[size_t(index)];
}

const Field* FieldList::Find(QStringView name) const
{
    if (const Field* next = nextIfSpeltAs(name))
        return next;
    return inAnyCase(name);
}

const Field* FieldList::inAnyCase(QStringView name) const
{
    // From the field after the last one found on, so that reading in order stays short.
    const size_t count = m_fields.size();
    for (size_t n = 0, i = m_next; n < count; ++n, ++i) {
        if (i >= count)
            i = 0;
        if (SameName(m_fields[i].Name(), name)) {
            m_next = i + 1;
            return &m_fields[i];
        }
    }
    return nullptr;
}

const Field& FieldList::Named(QStringView name) const
{
    if (const Field* f = inAnyCase(name))
        return *f;
    throw DbError(QStringLiteral("Item not found in this collection (field '%1').").arg(name));
}

const Field& FieldList::operator[](const char* name) const
{
    char16_t buffer[64];
    size_t length = 0;
    while (name[length] && length < std::size(buffer) &&
           static_cast<unsigned char>(name[length]) < 128) {
        buffer[length] = char16_t(name[length]);
        ++length;
    }
    if (name[length] == '\0')
        return (*this)[QStringView(buffer, qsizetype(length))];
    return (*this)[QStringView(QString::fromUtf8(name))];
}
