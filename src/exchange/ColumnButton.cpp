#include "ColumnButton.h"

#include <QDropEvent>
#include <QMimeData>

ColumnButton::ColumnButton(int number, QWidget* parent)
    : QPushButton(parent), m_number(number)
{
    const QString tag = QStringLiteral("Field") + QString::number(number);
    setObjectName(QStringLiteral("Command1_") + QString::number(number));
    setProperty("Tag", tag);
    setText(tag);
    setAcceptDrops(true);
    // Clicking does nothing: the columns stay out of the tab order.
    setFocusPolicy(Qt::NoFocus);
}

void ColumnButton::Map(const QString& field, const QString& caption)
{
    m_field = field;
    setText(caption);
    setBold(true);
}

void ColumnButton::Unmap()
{
    m_field.clear();
    setText(property("Tag").toString());
    setBold(false);
}

void ColumnButton::setBold(bool bold)
{
    QFont face = font();
    face.setBold(bold);
    setFont(face);
}

void ColumnButton::mousePressEvent(QMouseEvent* event)
{
    m_drag.Press(event);
    QPushButton::mousePressEvent(event);
}

void ColumnButton::mouseMoveEvent(QMouseEvent* event)
{
    // Only a mapped column can be dragged; the drag takes the release, so the button is let
    // up here.
    if (!m_field.isEmpty() &&
        m_drag.Move(this, event, MappingDrag::ColumnType, QString::number(m_number)))
        setDown(false);
}

void ColumnButton::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasFormat(MappingDrag::FieldType))
        event->acceptProposedAction();
}

void ColumnButton::dropEvent(QDropEvent* event)
{
    const QString field = MappingDrag::Carried(event, MappingDrag::FieldType);
    if (field.isEmpty())
        return;
    event->acceptProposedAction();
    emit fieldDropped(this, field);
}
