#include "FieldList.h"

#include "DbError.h"
#include "SameName.h"

#include <cstring>

const Field& FieldList::operator[](int index) const
{
    if (index < 0 || index >= Count())
        throw DbError(QStringLiteral("Item not found in this collection (field %1).").arg(index));
    return m_fields[size_t(index)];
}

const Field* FieldList::Find(QStringView name) const
{
    // Readers mostly ask for the fields in order, spelt as the query spelt them: try the one
    // after the last found letter for letter, then search from there without regard to case.
    const size_t count = m_fields.size();
    if (m_next < count) {
        const QString& candidate = m_fields[m_next].Name();
        if (candidate.size() == name.size() &&
            std::memcmp(candidate.constData(), name.data(), size_t(name.size()) * 2) == 0)
            return &m_fields[m_next++];
    }
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
    if (const Field* f = Find(name))
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
