#include "LetterBody.h"

#include "PageSurface.h"
#include "SplitWords.h"

#include <cmath>

using LetterGeometry::Margin;

namespace {

void printBodyLine(PageSurface& page, const QString& text)
{
    if (page.CurrentY() + page.LineHeight() > page.PageHeight() - Margin) {
        page.NewPage();
        page.SetCurrentY(Margin);
    }
    page.SetCurrentX(Margin);
    page.PrintLine(text);
}

} // namespace

void PrintLetterBody(PageSurface& page, const QString& body)
{
    const int limit = page.PageWidth() - 2 * Margin;
    QString line;
    // The line's width, kept as it grows: a blank and a word add their own advance.
    double width = 0;
    for (QString word : SplitWords(body)) {
        word.replace(u'~', u' ');
        // A word that does not fit ends the line before it and starts the next one; a word
        // too wide for any line is printed alone.
        for (;;) {
            const QString previous = line.isEmpty() ? line : line + u' ';
            const double grown = width + page.TextAdvance(line.isEmpty() ? word : u' ' + word);
            line = previous + word;
            if (std::lround(grown) <= limit) {
                width = grown;
                break;
            }
            printBodyLine(page, previous.isEmpty() ? line : previous);
            line.clear();
            width = 0;
            if (previous.isEmpty())
                break;
        }
    }
    if (!line.isEmpty())
        printBodyLine(page, line);
}
