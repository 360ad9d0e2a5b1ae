#include "PageLayout.h"

#include "PageSurface.h"

using namespace PageGeometry;

namespace {

// A line advance and a heading advance differ in their gap and underline only; after a page
// break each continues with the other.
struct Advance {
    int gap;
    bool underline;
};
constexpr Advance BodyLine{LineGap, false};
constexpr Advance Heading{HeadingGap, true};

void advance(PageSurface& page, const QString& title, const Advance& own, const Advance& other)
{
    page.SetCurrentX(LeftMargin);
    if (page.CurrentY() + own.gap > PageBreakLimit) {
        PrintPageFooter(page);
        page.NewPage();
        PrintPageHeader(page, title);
        advance(page, title, other, own);
    }
    page.SetCurrentY(page.CurrentY() + own.gap);
    page.SetUnderline(own.underline);
}

} // namespace

void PrintPageHeader(PageSurface& page, const QString& title)
{
    page.SetUnderline(false);
    page.SetFontSize(TitleFontSize);
    page.MoveTo(LeftMargin, HeaderTop);
    page.Line(LeftMargin, HeaderTop, RuleEnd, HeaderTop);
    page.SetCurrentX(LeftMargin);
    page.SetCurrentY(page.CurrentY() + TitleDrop);
    page.PrintLine(title);
    page.SetCurrentY(page.CurrentY() + TitleGap);
    page.Line(LeftMargin, page.CurrentY(), RuleEnd, page.CurrentY());
    page.SetFontSize(BaseFontSize);
}

void PrintPageFooter(PageSurface& page)
{
    const QString text = QStringLiteral("Page: ") + QString::number(page.Page());
    page.MoveTo(FooterRightEdge - page.TextWidth(text), FooterLine);
    page.PrintLine(text);
}

void NextLine(PageSurface& page, const QString& title)
{
    advance(page, title, BodyLine, Heading);
}

void NextHeading(PageSurface& page, const QString& title)
{
    advance(page, title, Heading, BodyLine);
}
