#pragma once

#include "FromClause.h"
#include "JetToken.h"
#include "JetTranslation.h"

#include <QHash>
#include <QList>
#include <QSet>

class Catalog;
class SqlDialect;
struct FieldDef;
struct TableDef;

// Turns one statement of the Jet dialect into the SQL text of a back end, token by token; what
// the back ends write differently comes from its dialect.
// Values stored by INSERT and UPDATE that do not already suit their field pass through the
// dialect's store, which checks and fits them; the literals of an INSERT's VALUES list are bound
// to parameters; TOP n becomes LIMIT n; unnamed computed columns get Expr1000...
class JetTranslator {
public:
    // Bound: a query's compared whole numbers (see QueryShape) become parameters too.
    enum class Numbers { Written, Bound };

    static JetTranslation Translate(const QString& sql, const Catalog& catalog);
    static JetTranslation Translate(const QString& sql, const Catalog& catalog,
                                    const SqlDialect& dialect, Numbers numbers = Numbers::Written);
    // The same for a text already split into tokens.
    static JetTranslation Translate(const QString& sql, QList<JetToken> tokens,
                                    const Catalog& catalog, const SqlDialect& dialect,
                                    Numbers numbers);

    // Whether a single literal is stored in the field as written (and so bound), and the
    // value bound in its place.
    static bool FitsAsWritten(const JetToken& value, const FieldDef& field);
    static QVariant BoundValue(const JetToken& value);

private:
    JetTranslator(const QString& sql, QList<JetToken> tokens, const Catalog& catalog,
                  const SqlDialect& dialect);

    JetTranslation run();
    void checkSingleStatement();
    void bindComparedNumbers();
    void computeDepths();
    void translateSelects();
    void translateSelect(qsizetype at);
    qsizetype scopeEnd(qsizetype at) const;
    qsizetype selectListStart(qsizetype at) const;
    qsizetype selectListEnd(qsizetype from, qsizetype end, int depth) const;
    void applySelectModifiers(qsizetype at, qsizetype end);
    void nameSelectItems(qsizetype from, qsizetype to, qsizetype scopeEnd, int depth,
                         bool distinct);
    void collateDistinctText(qsizetype from, qsizetype to, const QList<TableReference>& tables);
    std::optional<std::pair<int, int>> fieldType(qsizetype from, qsizetype to,
                                                 const QList<TableReference>& tables) const;
    std::optional<std::pair<int, int>> itemType(qsizetype from, qsizetype to,
                                                const QList<TableReference>& tables) const;
    void translateInsert();
    void storeSelectedValues(qsizetype select, const TableDef& target, const QStringList& columns);
    void translateUpdate();
    void translateDelete();
    QSet<qsizetype> rewriteLikes();
    void spellTablesAndAliases();
    void bind(qsizetype token, const std::optional<FieldDef>& field);
    enum class Literal { Written, Bound };
    void storeValue(qsizetype from, qsizetype to, const TableDef& table, QStringView column,
                    Literal literal = Literal::Written);
    const TableDef& table(qsizetype at) const;
    QList<std::pair<qsizetype, qsizetype>> splitList(qsizetype from, qsizetype to, int depth) const;
    QString output() const;
    QString tokenText(qsizetype i, int& bound) const;
    const JetToken& tok(qsizetype i) const;
    int depthAt(qsizetype i) const;
    [[noreturn]] void fail(const QString& message) const;

    const QString& m_sql;
    const Catalog& m_catalog;
    const SqlDialect& m_dialect;
    QList<JetToken> m_tokens;
    QList<int> m_depth;
    QHash<qsizetype, QString> m_before;
    QHash<qsizetype, QString> m_after;
    QSet<qsizetype> m_skip;
    QSet<qsizetype> m_bound;
    // Names written as stored, for a back end whose quoted names are case-bound.
    QHash<qsizetype, QString> m_spelled;
    JetTranslation m_result;
    int m_nextExpr = 1000;
};
