#pragma once

#include "PageSurface.h"

#include <QPainter>
#include <functional>

class QPrinter;

// The page surface of a real printer (or PDF file): paints on the QPrinter through a
// transform from twips to the printer's resolution. The job begins with the first drawing,
// so a report that finds nothing to print sends nothing.
class PrinterSurface : public PageSurface {
public:
    // Called once, just before the job begins; false cancels the job (a PDF file whose name
    // the user was asked for and did not give).
    using Preparation = std::function<bool(QPrinter& printer)>;

    explicit PrinterSurface(QPrinter& printer, Preparation prepare = {});
    ~PrinterSurface() override;

    int PageWidth() const override;
    int PageHeight() const override;

protected:
    void DrawText(int x, int y, const QString& text) override;
    void DrawLine(int x1, int y1, int x2, int y2) override;
    void DrawPicture(const QImage& picture, const QRect& target) override;
    void StartPage() override;
    bool Finish() override;

private:
    enum class State { NotStarted, Painting, Cancelled, Failed };
    bool painting();

    QPrinter& m_printer;
    Preparation m_prepare;
    QPainter m_painter;
    State m_state = State::NotStarted;
    // The surface's font generation last given to the painter.
    int m_fontGeneration = -1;
};
