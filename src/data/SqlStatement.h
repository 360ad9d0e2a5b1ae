#pragma once

#include "FieldDef.h"

#include <QString>
#include <QVariantList>
#include <optional>

// One prepared statement of a back end: values bound to its parameters, rows stepped through,
// the columns of the current row read. Failures raise DbError.
class SqlStatement
{
public:
    enum class Storage { Null, Integer, Float, Text };

    virtual ~SqlStatement() = default;

    // Values for the parameters in order: an invalid variant is Null, a LongLong a whole number,
    // anything else its text.
    virtual void Bind(const QVariantList& values) = 0;
    // True when a row is current; false when the statement is done.
    virtual bool Step() = 0;
    // Back to before the first step, the bound values let go.
    virtual void Reset() = 0;

    virtual int ColumnCount() const = 0;
    virtual QString ColumnName(int column) const = 0;
    // The table the column comes from; empty for a computed one.
    virtual QString ColumnTable(int column) const = 0;
    // Type and width of a column read straight from a table field; nullopt for a computed one.
    virtual std::optional<FieldDef> ColumnField(int column) const = 0;
    virtual Storage ColumnStorage(int column) const = 0;
    virtual qint64 Int(int column) const = 0;
    virtual double Double(int column) const = 0;
    // UTF-8 text of the column and its length in bytes; nullptr for Null.
    virtual const char* Text(int column, int& bytes) const = 0;
};
