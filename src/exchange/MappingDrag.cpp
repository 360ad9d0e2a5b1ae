#include "MappingDrag.h"

#include <QApplication>
#include <QDrag>
#include <QDropEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QSvgRenderer>
#include <QWidget>

const QString MappingDrag::FieldType = QStringLiteral("application/x-velmora-import-field");
const QString MappingDrag::ColumnType = QStringLiteral("application/x-velmora-import-column");

namespace {

QPixmap tick()
{
    QPixmap picture(16, 16);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    QSvgRenderer(QStringLiteral(":/icons/tick.svg")).render(&painter);
    return picture;
}

} // namespace

void MappingDrag::Press(const QMouseEvent* event)
{
    m_pressed = event->button() == Qt::LeftButton;
    m_pressedAt = event->position().toPoint();
}

bool MappingDrag::Move(QWidget* source, const QMouseEvent* event, const QString& type,
                       const QString& text)
{
    if (!m_pressed || !(event->buttons() & Qt::LeftButton) ||
        (event->position().toPoint() - m_pressedAt).manhattanLength() <
            QApplication::startDragDistance())
        return false;
    m_pressed = false;
    auto* data = new QMimeData;
    data->setData(type, text.toUtf8());
    auto* drag = new QDrag(source);
    drag->setMimeData(data);
    drag->setPixmap(source->grab());
    drag->setHotSpot(m_pressedAt);
    // A field is moved onto a column (the tick shows where); a column is copied back.
    drag->setDragCursor(tick(), Qt::MoveAction);
    drag->exec(type == FieldType ? Qt::MoveAction : Qt::CopyAction);
    return true;
}

QString MappingDrag::Carried(const QDropEvent* event, const QString& type)
{
    return QString::fromUtf8(event->mimeData()->data(type));
}
