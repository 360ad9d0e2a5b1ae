#pragma once

#include <QString>
#include <QStringList>

// The words of a letter body. Two blanks after a period are kept as a word beginning with
// "~" (printed as a blank); other pairs of blanks fold into one.
QStringList SplitWords(const QString& text);
