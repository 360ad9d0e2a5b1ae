#pragma once

#include <QList>
#include <QString>

// A table the import can write into, with the field that takes each new record's identifier.
struct ImportTarget {
    QString displayName;
    QString table;
    QString idField;

    // Every target, in the order they are known; only the first is offered.
    static const QList<ImportTarget>& All();
    // The captions users see for the fields, and back, in any letter case. A field without a
    // caption is shown by its name.
    static QString Caption(const QString& field);
    static QString FieldOf(const QString& caption);
};
