#pragma once

#include <QString>

// The SQL of one search: base, the condition of the operator ("Contains", "Starts with",
// "=", any other text none) on field, then " order by " field. The value is searched for
// as typed: an apostrophe is quoted, and for the like operators the pattern characters
// * ? # [ match themselves.
QString SearchStatement(const QString& base, const QString& field, const QString& op,
                        const QString& value);
