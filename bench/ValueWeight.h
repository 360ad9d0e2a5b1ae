#pragma once

#include <QDateTime>
#include <QVariant>

// A number that depends on a value's content, so that reading it cannot be optimised away.
// Kept as cheap as the raw loop's own touch: the engine is measured, not QVariant conversion.
inline qint64 ValueWeight(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::QString:
        return static_cast<const QString*>(value.constData())->size();
    case QMetaType::Int:
        return *static_cast<const int*>(value.constData());
    case QMetaType::QDateTime:
        return static_cast<const QDateTime*>(value.constData())->date().day();
    default:
        return value.isNull() ? 0 : 1;
    }
}
