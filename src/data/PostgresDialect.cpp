#include "PostgresDialect.h"

#include "DaoType.h"
#include "DbError.h"
#include "JetPattern.h"

#include <QHash>

namespace
{

struct ServerType {
    int type;
    const char* name;
    unsigned oid;
};

constexpr ServerType kTypes[] = {
    {dbBoolean, "boolean", 16},
    {dbInteger, "smallint", 21},
    {dbLong, "integer", 23},
    {dbDouble, "double precision", 701},
    {dbDate, "timestamp without time zone", 1114},
    {dbText, "character varying", 1043},
    {dbMemo, "text", 25},
};

FieldDef fieldOf(int type, int width)
{
    FieldDef f;
    f.type = type;
    f.size = type == dbText ? width : DaoFixedSize(type);
    return f;
}

} // namespace

const PostgresDialect& PostgresDialect::Instance()
{
    static const PostgresDialect dialect;
    return dialect;
}

// jet_date() refuses what the server would read as a date but Jet does not ('yesterday',
// 'epoch'): a date written as text begins with its digits.
const char* PostgresDialect::Definitions()
{
    return "DO $$ BEGIN "
           "CREATE COLLATION IF NOT EXISTS jet_text "
           "(provider = icu, locale = 'und-u-ks-level2', deterministic = false); "
           "IF to_regprocedure('jet_date(text)') IS NULL THEN "
           "CREATE FUNCTION jet_date(value text) RETURNS timestamp LANGUAGE plpgsql STABLE AS "
           "$f$ BEGIN IF value !~ '^\\s*[0-9]' THEN RAISE EXCEPTION "
           "'Data type mismatch: ''%'' cannot be stored in a Date/Time field.', value "
           "USING ERRCODE = '22007'; END IF; RETURN value::timestamp; END $f$; "
           "END IF; END $$";
}

QString PostgresDialect::CaseBlind() const
{
    static const QString clause = QStringLiteral(" COLLATE jet_text");
    return clause;
}

QString PostgresDialect::DateLiteral(const QString& stored) const
{
    return QStringLiteral("TIMESTAMP ") + QuoteText(stored);
}

QString PostgresDialect::Parameter(int number) const
{
    return u'$' + QString::number(number);
}

QString PostgresDialect::Boolean(bool value) const
{
    return value ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
}

QString PostgresDialect::FunctionName(const QString& word) const
{
    static const QHash<QString, QString> names = {
        {QStringLiteral("UCASE"), QStringLiteral("upper")},
        {QStringLiteral("LCASE"), QStringLiteral("lower")},
        {QStringLiteral("LEN"), QStringLiteral("length")},
        {QStringLiteral("MID"), QStringLiteral("substr")},
    };
    return names.value(word.toUpper(), word);
}

QString PostgresDialect::Alias(const QString& name) const
{
    return QuoteName(name);
}

std::pair<QString, QString> PostgresDialect::Store(const FieldDef& field) const
{
    switch (field.type) {
    case dbText:
        return {QStringLiteral("CAST(("), QStringLiteral(") AS varchar(%1))").arg(field.size)};
    case dbDate:
        return {QStringLiteral("jet_date(CAST(("), QStringLiteral(") AS text))")};
    case dbInteger:
    case dbLong:
        // Through numeric, so that "12.5" rounds instead of failing.
        return {QStringLiteral("CAST(CAST(("),
                QStringLiteral(") AS numeric) AS %1)")
                    .arg(field.type == dbInteger ? "smallint" : "integer")};
    default:
        for (const ServerType& t : kTypes) {
            if (t.type == field.type)
                return {QStringLiteral("CAST(("), QStringLiteral(") AS %1)").arg(t.name)};
        }
        return {QStringLiteral("CAST(("), QStringLiteral(") AS double precision)")};
    }
}

std::optional<QString> PostgresDialect::Like(const QString& pattern, bool negated) const
{
    const auto compiled = JetPattern::Compile(pattern);
    if (!compiled)
        return std::nullopt;
    // A deterministic ICU collation gives the case-blind match every letter.
    return (negated ? QStringLiteral("!~* ") : QStringLiteral("~* ")) +
           QuoteText(compiled->ToRegex()) + QStringLiteral(" COLLATE \"und-x-icu\"");
}

QString PostgresDialect::DeclaredType(const FieldDef& column) const
{
    for (const ServerType& t : kTypes) {
        if (t.type == column.type) {
            return column.type == dbText ? QStringLiteral("varchar(%1)").arg(column.size)
                                         : QString::fromLatin1(t.name);
        }
    }
    throw DbError(
        QStringLiteral("Field '%1' has an unknown type %2.").arg(column.name).arg(column.type));
}

QString PostgresDialect::NotEmptyConstraintName(const QString& field)
{
    return QStringLiteral("nonempty ") + field;
}

QString PostgresDialect::NotEmptyCheck(const QString& field) const
{
    return QStringLiteral(" CONSTRAINT %1 CHECK (%2 <> '')")
        .arg(QuoteName(NotEmptyConstraintName(field)), QuoteName(field));
}

std::optional<FieldDef> PostgresDialect::FromTypeName(const QString& typeName)
{
    const qsizetype paren = typeName.indexOf(u'(');
    const QString base = paren < 0 ? typeName : typeName.left(paren);
    for (const ServerType& t : kTypes) {
        if (base == QLatin1String(t.name))
            return fieldOf(t.type, paren < 0 ? 255 : typeName.mid(paren + 1).chopped(1).toInt());
    }
    return std::nullopt;
}

std::optional<FieldDef> PostgresDialect::FromTypeOid(unsigned oid, int modifier)
{
    for (const ServerType& t : kTypes) {
        if (t.oid == oid)
            return fieldOf(t.type, modifier > 4 ? modifier - 4 : 255);
    }
    return std::nullopt;
}
