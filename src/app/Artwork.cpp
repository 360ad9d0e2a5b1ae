#include "Artwork.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace {

// A heart with a falling trend line through it: cholesterol brought down.
void drawEmblem(QPainter& p, const QRectF& box)
{
    const qreal w = box.width();
    const qreal h = box.height();
    QPainterPath heart;
    heart.moveTo(box.left() + w * 0.5, box.top() + h * 0.95);
    heart.cubicTo(box.left() - w * 0.1, box.top() + h * 0.45, box.left() + w * 0.15,
                  box.top() - h * 0.05, box.left() + w * 0.5, box.top() + h * 0.25);
    heart.cubicTo(box.left() + w * 0.85, box.top() - h * 0.05, box.left() + w * 1.1,
                  box.top() + h * 0.45, box.left() + w * 0.5, box.top() + h * 0.95);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xe8, 0x4a, 0x5f));
    p.drawPath(heart);

    QPolygonF trend;
    for (const auto& [x, y] : {std::pair{0.12, 0.30}, {0.32, 0.42}, {0.48, 0.36}, {0.66, 0.58},
                               {0.88, 0.66}})
        trend << QPointF(box.left() + w * x, box.top() + h * y);
    p.setPen(QPen(Qt::white, qMax<qreal>(2.0, w / 18), Qt::SolidLine, Qt::RoundCap,
                  Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(trend);
}

} // namespace

QPixmap VelmoraPicture(const QSize& size)
{
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF area(0, 0, size.width(), size.height());
    QLinearGradient background(area.topLeft(), area.bottomRight());
    background.setColorAt(0, QColor(0x0f, 0x4c, 0x5c));
    background.setColorAt(1, QColor(0x1d, 0x7f, 0x8c));
    p.setPen(Qt::NoPen);
    p.setBrush(background);
    p.drawRoundedRect(area, 12, 12);

    const qreal side = size.height() * 0.5;
    drawEmblem(p, QRectF(size.height() * 0.25, size.height() * 0.25, side, side));

    const qreal textLeft = size.height() * 0.95;
    QFont title(QStringLiteral("Arial"));
    title.setPixelSize(int(size.height() * 0.26));
    title.setBold(true);
    p.setFont(title);
    p.setPen(Qt::white);
    p.drawText(QRectF(textLeft, size.height() * 0.18, size.width() - textLeft, size.height() * 0.36),
               Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Velmora"));
    QFont subtitle(QStringLiteral("Arial"));
    subtitle.setPixelSize(int(size.height() * 0.1));
    p.setFont(subtitle);
    p.drawText(QRectF(textLeft, size.height() * 0.56, size.width() - textLeft, size.height() * 0.2),
               Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Cholesterol patient follow-up"));
    return pixmap;
}
