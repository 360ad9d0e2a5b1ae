#pragma once

#include <QString>
#include <QVariant>

class Recordset;

// One column of a recordset's current row. Value() is a null QVariant for a Null value;
// otherwise bool, int, double, QDateTime (UTC) or QString by the field's type.
class Field {
public:
    Field(const Recordset* recordset, int index, QString name, int type, int size)
        : m_recordset(recordset), m_index(index), m_name(std::move(name)), m_type(type), m_size(size)
    {
    }

    QVariant Value() const;
    // The value as FieldText reads it.
    QVariant Reading() const;
    const QString& Name() const { return m_name; }
    int Type() const { return m_type; }
    int Size() const { return m_size; }

private:
    const Recordset* m_recordset;
    int m_index;
    QString m_name;
    int m_type;
    int m_size;
};
