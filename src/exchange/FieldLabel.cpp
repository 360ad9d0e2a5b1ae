#include "FieldLabel.h"

FieldLabel::FieldLabel(const QString& field, const QString& caption, QWidget* parent)
    : QLabel(caption, parent), m_field(field)
{
    setFrameShape(QFrame::StyledPanel);
    setCursor(Qt::OpenHandCursor);
    setMargin(2);
}

void FieldLabel::mousePressEvent(QMouseEvent* event)
{
    m_drag.Press(event);
}

void FieldLabel::mouseMoveEvent(QMouseEvent* event)
{
    m_drag.Move(this, event, MappingDrag::FieldType, m_field);
}
