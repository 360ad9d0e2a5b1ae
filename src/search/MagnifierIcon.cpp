#include "MagnifierIcon.h"

#include <QPainter>
#include <QPalette>
#include <QPixmap>

namespace {

QPixmap magnifier(const QColor& colour)
{
    QPixmap picture(32, 32);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(colour, 3.5, Qt::SolidLine, Qt::RoundCap));
    painter.drawEllipse(QRectF(5, 5, 15, 15));
    painter.setPen(QPen(colour, 5, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(18.5, 18.5), QPointF(27, 27));
    return picture;
}

} // namespace

QIcon MagnifierIcon(const QPalette& palette)
{
    QIcon icon(magnifier(palette.color(QPalette::Active, QPalette::ButtonText)));
    icon.addPixmap(magnifier(palette.color(QPalette::Disabled, QPalette::ButtonText)),
                   QIcon::Disabled);
    return icon;
}
