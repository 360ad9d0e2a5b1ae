#include "PageSurface.h"

#include <QRect>
#include <cmath>

namespace {

constexpr double TwipsPerPoint = 20;

} // namespace

PageSurface::PageSurface() : m_fontName(QStringLiteral("Times New Roman")), m_metrics(m_twipFont)
{
    updateFont();
}

PageSurface::~PageSurface() = default;

void PageSurface::SetFontName(const QString& name)
{
    m_fontName = name;
    updateFont();
}

void PageSurface::SetFontSize(double points)
{
    m_fontSize = points;
    updateFont();
}

void PageSurface::SetBold(bool on)
{
    m_bold = on;
    updateFont();
}

void PageSurface::SetUnderline(bool on)
{
    m_underline = on;
    updateFont();
}

void PageSurface::updateFont()
{
    settleX();
    m_twipFont = QFont(m_fontName);
    m_twipFont.setPixelSize(int(std::lround(m_fontSize * TwipsPerPoint)));
    m_twipFont.setBold(m_bold);
    m_twipFont.setUnderline(m_underline);
    m_twipFont.setHintingPreference(QFont::PreferNoHinting);
    m_twipFont.setKerning(false);
    m_metrics = QFontMetricsF(m_twipFont);
    m_ascent = m_metrics.ascent();
    m_lineHeight = int(std::lround(m_metrics.lineSpacing()));
    ++m_fontGeneration;
}

int PageSurface::CurrentX() const
{
    settleX();
    return m_x;
}

void PageSurface::SetCurrentX(int x)
{
    m_measurePending = false;
    m_x = x;
}

void PageSurface::MoveTo(int x, int y)
{
    SetCurrentX(x);
    m_y = y;
}

void PageSurface::settleX() const
{
    if (!m_measurePending)
        return;
    m_measurePending = false;
    m_x += TextWidth(m_unmeasured);
}

int PageSurface::TextWidth(const QString& text) const
{
    return int(std::lround(TextAdvance(text)));
}

double PageSurface::TextAdvance(const QString& text) const
{
    return m_metrics.horizontalAdvance(text);
}

int PageSurface::LineHeight() const
{
    return m_lineHeight;
}

void PageSurface::PrintLine(const QString& text)
{
    DrawText(CurrentX(), m_y, text);
    SetCurrentX(0);
    m_y += LineHeight();
}

void PageSurface::PrintText(const QString& text)
{
    DrawText(CurrentX(), m_y, text);
    m_unmeasured = text;
    m_measurePending = true;
}

void PageSurface::Line(int x1, int y1, int x2, int y2)
{
    DrawLine(x1, y1, x2, y2);
    MoveTo(x2, y2);
}

void PageSurface::PaintPicture(const QImage& picture, const QRect& target)
{
    DrawPicture(picture, target);
}

void PageSurface::NewPage()
{
    StartPage();
    ++m_page;
    MoveTo(0, 0);
}

bool PageSurface::EndDoc()
{
    return Finish();
}
