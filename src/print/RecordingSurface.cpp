#include "RecordingSurface.h"

#include <algorithm>

RecordingSurface::RecordingSurface(int pageWidth, int pageHeight)
    : m_pageWidth(pageWidth), m_pageHeight(pageHeight)
{
}

void RecordingSurface::add(Item item)
{
    m_started = true;
    item.page = Page();
    item.fontName = FontName();
    item.fontSize = FontSize();
    item.bold = Bold();
    item.underline = Underline();
    m_items.push_back(std::move(item));
}

void RecordingSurface::DrawText(int x, int y, const QString& text)
{
    if (text.isEmpty())
        m_started = true;
    else
        add({.kind = Kind::Text, .page = 0, .x = x, .y = y, .text = text});
}

void RecordingSurface::DrawLine(int x1, int y1, int x2, int y2)
{
    add({.kind = Kind::Line, .page = 0, .x = x1, .y = y1, .x2 = x2, .y2 = y2});
}

void RecordingSurface::DrawPicture(const QImage&, const QRect& target)
{
    add({.kind = Kind::Picture, .page = 0, .x = target.x(), .y = target.y(),
         .x2 = target.width(), .y2 = target.height()});
}

void RecordingSurface::StartPage()
{
    m_started = true;
}

bool RecordingSurface::Finish()
{
    m_ended = m_started;
    return m_started;
}

std::vector<RecordingSurface::Item> RecordingSurface::Texts() const
{
    std::vector<Item> texts;
    std::copy_if(m_items.begin(), m_items.end(), std::back_inserter(texts),
                 [](const Item& item) { return item.kind == Kind::Text; });
    return texts;
}

const RecordingSurface::Item* RecordingSurface::FindText(const QString& text) const
{
    const auto found = std::find_if(m_items.begin(), m_items.end(), [&](const Item& item) {
        return item.kind == Kind::Text && item.text == text;
    });
    return found == m_items.end() ? nullptr : &*found;
}
