#pragma once

#include "FieldDef.h"

#include <QString>
#include <optional>

// What the SQL text of one back end says differently, for the shared translation of the Jet
// dialect and for the tables the engine creates.
class SqlDialect
{
public:
    virtual ~SqlDialect() = default;

    // Appended to a text operand so that it compares without regard to case.
    virtual QString CaseBlind() const = 0;
    // A date literal from the stored form "yyyy-MM-dd HH:mm:ss".
    virtual QString DateLiteral(const QString& stored) const = 0;
    // The marker of the n-th bound value, counted from 1.
    virtual QString Parameter(int number) const = 0;
    virtual QString Boolean(bool value) const = 0;
    // The function that stands for a Jet function (UCASE, LCASE, LEN, MID).
    virtual QString FunctionName(const QString& word) const = 0;
    // A computed column's name as written into the text.
    virtual QString Alias(const QString& name) const = 0;
    // Text before and after a value stored into the field: checks it, converts it or fits it
    // to the field's width, and fails the statement when it cannot.
    virtual std::pair<QString, QString> Store(const FieldDef& field) const = 0;
    // For a back end without Jet's LIKE: the operator and pattern that replace
    // "[NOT] LIKE 'pattern'"; nullopt when the pattern is no valid Jet pattern.
    // The base keeps LIKE as written (the back end takes Jet patterns itself).
    virtual bool RewritesLike() const { return false; }
    virtual std::optional<QString> Like(const QString& pattern, bool negated) const;
    // Whether a grouped text field must carry the same collation in the select list as in
    // GROUP BY.
    virtual bool CollatesGroupedFields() const { return false; }
    // Whether names must be written as stored (a back end whose quoted names are case-bound).
    virtual bool SpellsStoredNames() const { return false; }

    virtual QString DeclaredType(const FieldDef& column) const = 0;
    // The constraint that refuses the empty string in a Text or Memo field.
    virtual QString NotEmptyCheck(const QString& field) const = 0;

    static QString QuoteName(const QString& name);
    static QString QuoteText(const QString& value);
};
