#pragma once

#include "JetToken.h"

#include <QList>
#include <QString>

// A statement's text without the literal values the translator binds to parameters, so that
// statements differing only in them share one translation and one prepared statement: the
// whole numbers a query compares with (WHERE ptid = 5) and the values of an INSERT. A number
// in a sum, a TOP, an ORDER BY or an IN list keeps its place in a query's text.
struct QueryShape {
    // Empty for a statement whose translation is not kept (UPDATE, DELETE).
    QString key;
    // The tokens taken out of the key, in order.
    QList<qsizetype> literals;

    static QueryShape Of(const QList<JetToken>& tokens);
    static bool IsComparedNumber(const QList<JetToken>& tokens, qsizetype i);
};
