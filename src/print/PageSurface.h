#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QString>

class QImage;
class QRect;

// A printed page in twips (1/1440 inch) from its top-left corner, with a current position.
// A text is placed with its top-left corner at the position. Printed with a line end it
// leaves the position at x 0 of the next line; without, at its own end on the same line.
// A line leaves the position at its end point. Pages are numbered from 1 in every job.
class PageSurface {
public:
    virtual ~PageSurface();

    void SetFontName(const QString& name);
    void SetFontSize(double points);
    void SetBold(bool on);
    void SetUnderline(bool on);
    QString FontName() const { return m_fontName; }
    double FontSize() const { return m_fontSize; }
    bool Bold() const { return m_bold; }
    bool Underline() const { return m_underline; }

    int CurrentX() const;
    int CurrentY() const { return m_y; }
    void SetCurrentX(int x);
    void SetCurrentY(int y) { m_y = y; }
    void MoveTo(int x, int y);

    // The width of the text in the current font, rounded to whole twips.
    int TextWidth(const QString& text) const;
    // The same, not rounded: the advances of texts printed one after the other add up.
    double TextAdvance(const QString& text) const;
    // The distance from one line to the next in the current font.
    int LineHeight() const;

    // Prints the text and ends the line.
    void PrintLine(const QString& text);
    // Prints the text and stays on its line, after its end.
    void PrintText(const QString& text);
    void Line(int x1, int y1, int x2, int y2);
    // The picture scaled into the rectangle (in twips).
    void PaintPicture(const QImage& picture, const QRect& target);

    int Page() const { return m_page; }
    void NewPage();
    // Ends the job. True when a document was produced; false when nothing was drawn, the
    // job was cancelled or the document could not be written.
    bool EndDoc();

    virtual int PageWidth() const = 0;
    virtual int PageHeight() const = 0;

protected:
    PageSurface();

    // The current font with one pixel per twip, as texts are measured and drawn, and its
    // ascent; the generation changes with every change of font.
    const QFont& TwipFont() const { return m_twipFont; }
    double Ascent() const { return m_ascent; }
    int FontGeneration() const { return m_fontGeneration; }

    // An empty text draws nothing but starts the job, as any drawing does.
    virtual void DrawText(int x, int y, const QString& text) = 0;
    virtual void DrawLine(int x1, int y1, int x2, int y2) = 0;
    virtual void DrawPicture(const QImage& picture, const QRect& target) = 0;
    virtual void StartPage() = 0;
    virtual bool Finish() = 0;

private:
    void updateFont();
    void settleX() const;

    QString m_fontName;
    double m_fontSize = 10;
    bool m_bold = false;
    bool m_underline = false;
    QFont m_twipFont;
    QFontMetricsF m_metrics;
    double m_ascent = 0;
    int m_lineHeight = 0;
    int m_fontGeneration = 0;
    // A text printed without line end moves x by its width, measured only when x is next
    // needed: most such texts are followed by a new x, and measuring costs as much as drawing.
    mutable int m_x = 0;
    mutable QString m_unmeasured;
    mutable bool m_measurePending = false;
    int m_y = 0;
    int m_page = 1;
};
