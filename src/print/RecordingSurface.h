#pragma once

#include "PageSurface.h"

#include <QRect>
#include <QString>
#include <vector>

// A page surface that keeps what is drawn, for tests: every text, line and picture with its
// page, position and the font it was drawn in.
class RecordingSurface : public PageSurface {
public:
    enum class Kind { Text, Line, Picture };
    struct Item {
        Kind kind;
        int page;
        int x;
        int y;
        // A line's end point; a picture's size.
        int x2 = 0;
        int y2 = 0;
        QString text{};
        QString fontName{};
        double fontSize = 0;
        bool bold = false;
        bool underline = false;
    };

    // A letter-sized page unless told otherwise.
    explicit RecordingSurface(int pageWidth = 12240, int pageHeight = 15840);

    const std::vector<Item>& Items() const { return m_items; }
    // The texts in the order they were drawn.
    std::vector<Item> Texts() const;
    // The first text equal to this one; nullptr when none is.
    const Item* FindText(const QString& text) const;
    bool Started() const { return m_started; }
    bool Ended() const { return m_ended; }

    int PageWidth() const override { return m_pageWidth; }
    int PageHeight() const override { return m_pageHeight; }

protected:
    void DrawText(int x, int y, const QString& text) override;
    void DrawLine(int x1, int y1, int x2, int y2) override;
    void DrawPicture(const QImage& picture, const QRect& target) override;
    void StartPage() override;
    bool Finish() override;

private:
    void add(Item item);

    int m_pageWidth;
    int m_pageHeight;
    bool m_started = false;
    bool m_ended = false;
    std::vector<Item> m_items;
};
