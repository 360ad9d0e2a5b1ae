#include "PrinterSurface.h"

#include "Messages.h"

#include <QPrinter>
#include <cmath>

namespace {

constexpr double TwipsPerInch = 1440;

} // namespace

PrinterSurface::PrinterSurface(QPrinter& printer, Preparation prepare)
    : m_printer(printer), m_prepare(std::move(prepare))
{
}

PrinterSurface::~PrinterSurface()
{
    if (m_painter.isActive())
        m_painter.end();
}

int PrinterSurface::PageWidth() const
{
    return int(std::lround(m_printer.pageLayout().fullRect(QPageLayout::Inch).width() * TwipsPerInch));
}

int PrinterSurface::PageHeight() const
{
    return int(std::lround(m_printer.pageLayout().fullRect(QPageLayout::Inch).height() * TwipsPerInch));
}

bool PrinterSurface::painting()
{
    if (m_state != State::NotStarted)
        return m_state == State::Painting;
    if (m_prepare && !m_prepare(m_printer)) {
        m_state = State::Cancelled;
        return false;
    }
    if (!m_painter.begin(&m_printer)) {
        m_state = State::Failed;
        return false;
    }
    m_painter.scale(m_printer.resolution() / TwipsPerInch, m_printer.resolution() / TwipsPerInch);
    m_painter.setPen(QPen(Qt::black, 0));
    m_state = State::Painting;
    return true;
}

void PrinterSurface::DrawText(int x, int y, const QString& text)
{
    if (!painting() || text.isEmpty())
        return;
    if (m_fontGeneration != FontGeneration()) {
        m_painter.setFont(TwipFont());
        m_fontGeneration = FontGeneration();
    }
    m_painter.drawText(QPointF(x, y + Ascent()), text);
}

void PrinterSurface::DrawLine(int x1, int y1, int x2, int y2)
{
    if (painting())
        m_painter.drawLine(x1, y1, x2, y2);
}

void PrinterSurface::DrawPicture(const QImage& picture, const QRect& target)
{
    if (painting())
        m_painter.drawImage(target, picture);
}

void PrinterSurface::StartPage()
{
    if (painting())
        m_printer.newPage();
}

bool PrinterSurface::Finish()
{
    switch (m_state) {
    case State::Painting:
        if (m_painter.end())
            return true;
        break;
    case State::Failed:
        break;
    case State::NotStarted:
    case State::Cancelled:
        return false;
    }
    const QString target = m_printer.outputFileName().isEmpty() ? m_printer.printerName()
                                                                : m_printer.outputFileName();
    ShowAttention(QStringLiteral("The document could not be printed to ") + target + u'.');
    return false;
}
