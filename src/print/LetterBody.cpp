#include "LetterBody.h"

#include "PageSurface.h"
#include "SplitWords.h"

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
    for (QString word : SplitWords(body)) {
        word.replace(u'~', u' ');
        // A word that does not fit ends the line before it and starts the next one; a word
        // too wide for any line is printed alone.
        for (;;) {
            const QString previous = line.isEmpty() ? line : line + u' ';
            line = previous + word;
            if (page.TextWidth(line) <= limit)
                break;
            printBodyLine(page, previous.isEmpty() ? line : previous);
            line.clear();
            if (previous.isEmpty())
                break;
        }
    }
    if (!line.isEmpty())
        printBodyLine(page, line);
}
