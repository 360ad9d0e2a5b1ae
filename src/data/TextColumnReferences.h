#pragma once

#include "FromClause.h"
#include "JetToken.h"

#include <QHash>
#include <QList>
#include <QSet>

class Catalog;
struct FieldDef;

// Finds the references to Text and Memo fields where a statement compares, orders or groups
// text, so that the translator can give them the case-blind collation there. The file declares
// no collation of its own, so the statement must ask for it; plain result fields are left bare
// so that they keep their declared type.
class TextColumnReferences {
public:
    // Token positions, given the tokens and their parenthesis depths. With `spellings`, also
    // every field reference's position with the field's name as stored.
    static QSet<qsizetype> Find(const QList<JetToken>& tokens, const QList<int>& depths,
                                const Catalog& catalog,
                                QHash<qsizetype, QString>* spellings = nullptr);

private:
    struct Scope {
        qsizetype select = 0; // the SELECT token, or -1 for the statement of UPDATE or DELETE
        qsizetype listStart = 0;
        qsizetype listEnd = 0; // the FROM token: tables are named from here ...
        qsizetype fromEnd = 0; // ... to here
        qsizetype end = 0;
        int depth = 0;
        QList<TableReference> tables;
        QSet<qsizetype> tablePositions;
    };

    TextColumnReferences(const QList<JetToken>& tokens, const QList<int>& depths,
                         const Catalog& catalog);
    QSet<qsizetype> find(QHash<qsizetype, QString>* spellings) const;
    void addSelectScope(qsizetype at);
    void addActionScope();
    void readTables(Scope& scope) const;
    qsizetype nextAtDepth(qsizetype from, qsizetype end, int depth,
                          std::initializer_list<const char16_t*> words) const;
    const Scope* innermost(qsizetype i) const;
    bool comparedHere(const Scope& scope, qsizetype i) const;
    const FieldDef* fieldAt(const Scope& scope, qsizetype i) const;
    const JetToken& tok(qsizetype i) const;
    int depthAt(qsizetype i) const;

    const QList<JetToken>& m_tokens;
    const QList<int>& m_depths;
    const Catalog& m_catalog;
    QList<Scope> m_scopes; // outer scopes before the ones they hold
};
