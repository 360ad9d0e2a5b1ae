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
        // Readers mostly ask for the fields in order, spelt as the query spelt them.
        if (m_next < m_fields.size()) {
            const QString& next = m_fields[m_next].Name();
            if (next.size() == name.size() &&
                std::memcmp(next.constData(), name.data(), size_t(name.size()) * sizeof(QChar)) == 0)
                return m_fields[m_next++];
        }
        return Named(name);
    }
    const Field& operator[](const char* name) const;
    const Field* Find(QStringView name) const;

    void Append(Field field) { m_fields.push_back(std::move(field)); }

private:
    // The field of that name in any letter case; DbError when there is none.
    const Field& Named(QStringView name) const;

    std::vector<Field> m_fields;
    mutable size_t m_next = 0;
};
