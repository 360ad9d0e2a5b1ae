#pragma once

#include "SqlDialect.h"

// SQLite with the engine's own collation JETTEXT and functions (like, jet_store, jet_ucase)
// registered on every connection.
class SqliteDialect : public SqlDialect
{
public:
    static const SqliteDialect& Instance();

    QString CaseBlind() const override;
    QString DateLiteral(const QString& stored) const override;
    QString Parameter(int number) const override;
    QString Boolean(bool value) const override;
    QString FunctionName(const QString& word) const override;
    QString Alias(const QString& name) const override;
    std::pair<QString, QString> Store(const FieldDef& field) const override;
    QString DeclaredType(const FieldDef& column) const override;
    QString NotEmptyCheck(const QString& field) const override;
};
