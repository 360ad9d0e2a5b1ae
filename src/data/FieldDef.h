#pragma once

#include <QList>
#include <QString>

// One field of a table: its name as created, type number, width and properties.
struct FieldDef {
    QString name;
    int type = 0;
    int size = 0;
    bool required = false;
    bool allowZeroLength = true;
};

// A table and its fields in order.
struct TableDef {
    QString name;
    QList<FieldDef> fields;

    const FieldDef* Find(QStringView field) const;
};
