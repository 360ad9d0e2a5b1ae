#pragma once

#include <QPoint>
#include <QString>

class QDropEvent;
class QMouseEvent;
class QWidget;

// A drag of the field mapping: a field label going onto a column, or a mapped column going
// back to the available fields. The tick cursor shows where a field can be dropped.
class MappingDrag {
public:
    static const QString FieldType;
    static const QString ColumnType;

    // Call from the source's mouse events; the drag starts once the pointer has moved far
    // enough with the button held. Move is true when a drag was made.
    void Press(const QMouseEvent* event);
    bool Move(QWidget* source, const QMouseEvent* event, const QString& type, const QString& text);

    // The text a drop carries when it is of the type, otherwise an empty text.
    static QString Carried(const QDropEvent* event, const QString& type);

private:
    QPoint m_pressedAt;
    bool m_pressed = false;
};
