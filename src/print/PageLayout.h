#pragma once

#include <QString>

class PageSurface;

// The page geometry every report shares, in twips.
namespace PageGeometry {
constexpr int LeftMargin = 720;
constexpr int RuleEnd = 11520;
constexpr int HeaderTop = 720;
constexpr int TitleDrop = 250;
constexpr int TitleGap = 50;
constexpr int PageBreakLimit = 13680;
constexpr int FooterLine = 14400;
constexpr int FooterRightEdge = 10800;
constexpr int LineGap = 100;
constexpr int HeadingGap = 400;
constexpr double BaseFontSize = 10;
constexpr double TitleFontSize = 24;
} // namespace PageGeometry

// The title between two rules at the top of the page; leaves the base font size.
void PrintPageHeader(PageSurface& page, const QString& title);
// "Page: " and the page number, ending at the footer's right edge.
void PrintPageFooter(PageSurface& page);
// Moves to the start of the next body line (underline off), breaking the page with the
// title as the new page's header when the line would pass the page break limit.
void NextLine(PageSurface& page, const QString& title);
// The same for a section heading (underline on), with the heading gap.
void NextHeading(PageSurface& page, const QString& title);
