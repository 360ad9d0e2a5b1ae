#pragma once

#include "Field.h"

#include <cstring>
#include <vector>

// The fields of a recordset, by position or by name in any letter case.
class FieldList {
public:
    int Count() const { return int(m_fields.size()); }
    const Field& operator[](int index) const;
    const Field& operator[](QStringView name) const
    {
        if (const Field* next = nextIfSpeltAs(name))
            return *next;
        return Named(name);
    }
    const Field& operator[](const char* name) const;
    const Field* Find(QStringView name) const;

    void Append(Field field) { m_fields.push_back(std::move(field)); }

private:
    // Readers mostly ask for the fields in order, spelt as the query spelt them: the field after
    // the last one found, if its name is spelt letter for letter as asked.
    const Field* nextIfSpeltAs(QStringView name) const
    {
        if (m_next >= m_fields.size())
            return nullptr;
        const QString& next = m_fields[m_next].Name();
        if (next.size() != name.size() ||
            std::memcmp(next.constData(), name.data(), size_t(name.size()) * sizeof(QChar)) != 0)
            return nullptr;
        return &m_fields[m_next++];
    }
    const Field* inAnyCase(QStringView name) const;
    // The field of that name in any letter case, once it is not the next one; DbError when
    // there is none.
    const Field& Named(QStringView name) const;

    std::vector<Field> m_fields;
    mutable size_t m_next = 0;
};
