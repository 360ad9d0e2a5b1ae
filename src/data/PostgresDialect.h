#pragma once

#include "SqlDialect.h"

// PostgreSQL 15: text compares under the nondeterministic ICU collation jet_text (case-blind,
// accents kept); LIKE becomes a case-blind regular expression under a deterministic ICU
// collation, since PostgreSQL refuses LIKE under a nondeterministic one; stored values are
// fitted by casts, which cut text to its width and fail on a value of the wrong kind.
class PostgresDialect : public SqlDialect
{
public:
    static const PostgresDialect& Instance();
    // The statement that makes the collation and the date check where they are missing.
    static const char* Definitions();

    QString CaseBlind() const override;
    QString DateLiteral(const QString& stored) const override;
    QString Parameter(int number) const override;
    QString Boolean(bool value) const override;
    QString FunctionName(const QString& word) const override;
    QString Alias(const QString& name) const override;
    std::pair<QString, QString> Store(const FieldDef& field) const override;
    bool RewritesLike() const override { return true; }
    std::optional<QString> Like(const QString& pattern, bool negated) const override;
    bool SpellsStoredNames() const override { return true; }
    bool CollatesGroupedFields() const override { return true; }
    QString DeclaredType(const FieldDef& column) const override;
    QString NotEmptyCheck(const QString& field) const override;

    // Type and width of a stored column from its type as format_type() writes it.
    static std::optional<FieldDef> FromTypeName(const QString& typeName);
    // Type and width of a result column from its type and modifier.
    static std::optional<FieldDef> FromTypeOid(unsigned oid, int modifier);
    static QString NotEmptyConstraintName(const QString& field);
};
