#include "SplitWords.h"

QStringList SplitWords(const QString& text)
{
    QString folded = text;
    folded.replace(QStringLiteral(".  "), QStringLiteral(". ~"));
    folded.replace(QStringLiteral("  "), QStringLiteral(" "));
    QStringList words = folded.split(u' ');
    if (words.constLast().isEmpty())
        words.removeLast();
    return words;
}
