#pragma once

#include "JetToken.h"

#include <QList>

class Catalog;
struct FieldDef;

// One table a FROM clause names, with where its name and alias stand among the tokens.
struct TableReference {
    QString name;
    QString alias;
    qsizetype at = -1;
    qsizetype aliasAt = -1;
};

// The tables named after FROM, JOIN and the commas of a FROM clause between two token
// positions, at the given parenthesis depth or deeper (joins may be bracketed).
QList<TableReference> ReadFromClause(const QList<JetToken>& tokens, const QList<int>& depths,
                                     qsizetype from, qsizetype end, int depth);

// The field a name stands for among the tables: the first table that has it, or the one the
// qualifier (a table name or alias) names; nullptr when none has it.
const FieldDef* FindField(const Catalog& catalog, const QList<TableReference>& tables,
                          QStringView qualifier, QStringView column);
