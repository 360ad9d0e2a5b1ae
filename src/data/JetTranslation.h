#pragma once

#include "FieldDef.h"

#include <QHash>
#include <QString>
#include <QVariantList>
#include <optional>

// SQL text ready for SQLite, with what the original said about its result columns.
struct JetTranslation {
    enum Kind { Select, Action };

    Kind kind = Select;
    QString sql;
    // Type and width of computed result columns, by case-folded column name.
    QHash<QString, std::pair<int, int>> columnTypes;
    // Values for the text's ? marks, in order: the literals of an INSERT's VALUES list, so
    // that rows added one by one share one statement text (and one prepared statement).
    QVariantList parameters;
    // The tokens whose values are bound, in order, and the field each is stored in (none for
    // a number a query compares with): another text of the same shape can take this
    // translation with its own values where each of them fits its field as written.
    QList<qsizetype> boundTokens;
    QList<std::optional<FieldDef>> boundFields;
};
