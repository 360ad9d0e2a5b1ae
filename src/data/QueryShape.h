#pragma once

#include "JetToken.h"

#include <QList>
#include <QString>
#include <QVariantList>

// A query's text without the whole numbers it compares with (WHERE ptid = 5), which are taken
// out as values, so that queries differing only in them share one translation and one
// prepared statement. Only a number that is the whole right-hand side of a comparison is
// taken: one in a sum, a TOP, an ORDER BY or an IN list keeps its place in the text.
struct QueryShape {
    // Empty for anything but a SELECT.
    QString key;
    QVariantList values;

    static QueryShape Of(const QList<JetToken>& tokens);
    static bool IsComparedNumber(const QList<JetToken>& tokens, qsizetype i);
};
