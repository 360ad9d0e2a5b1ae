#include "SqliteDialect.h"

#include "Catalog.h"

#include <QHash>

const SqliteDialect& SqliteDialect::Instance()
{
    static const SqliteDialect dialect;
    return dialect;
}

QString SqliteDialect::CaseBlind() const
{
    static const QString clause = QStringLiteral(" COLLATE JETTEXT");
    return clause;
}

QString SqliteDialect::DateLiteral(const QString& stored) const
{
    return QuoteText(stored);
}

QString SqliteDialect::Parameter(int) const
{
    return QStringLiteral("?");
}

QString SqliteDialect::Boolean(bool value) const
{
    return value ? QStringLiteral("1") : QStringLiteral("0");
}

QString SqliteDialect::FunctionName(const QString& word) const
{
    static const QHash<QString, QString> names = {
        {QStringLiteral("UCASE"), QStringLiteral("jet_ucase")},
        {QStringLiteral("LCASE"), QStringLiteral("jet_lcase")},
        {QStringLiteral("LEN"), QStringLiteral("length")},
        {QStringLiteral("MID"), QStringLiteral("substr")},
    };
    return names.value(word.toUpper(), word);
}

QString SqliteDialect::Alias(const QString& name) const
{
    return name;
}

std::pair<QString, QString> SqliteDialect::Store(const FieldDef& field) const
{
    return {
        QStringLiteral("jet_store("),
        QStringLiteral(", %1, %2, %3)").arg(field.type).arg(field.size).arg(QuoteText(field.name))};
}

QString SqliteDialect::DeclaredType(const FieldDef& column) const
{
    return Catalog::DeclaredType(column);
}

QString SqliteDialect::NotEmptyCheck(const QString& field) const
{
    return Catalog::NotEmptyCheck(field);
}
