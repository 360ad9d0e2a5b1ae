#pragma once

#include "FieldDef.h"

#include <QHash>
#include <optional>

// The tables and fields of an open database, as its back end reads them from its schema.
class Catalog {
public:
    void Load(QList<TableDef> tables);
    // The tables of an SQLite file.
    void Load(struct sqlite3* db);
    const TableDef* Find(QStringView table) const;
    QStringList TableNames() const;

    // The declared column type that carries a field's type and width.
    static QString DeclaredType(const FieldDef& column);
    static QString QuoteName(const QString& name);
    // The constraint that refuses the empty string in a Text or Memo field.
    static QString NotEmptyCheck(const QString& field);
    // The reverse: type and width from a declared type; nullopt when it is not one of ours.
    static std::optional<FieldDef> FromDeclaredType(const char* declared);

private:
    QList<TableDef> m_tables;
    QHash<QString, qsizetype> m_index; // case-folded name -> position
};
