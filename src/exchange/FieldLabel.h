#pragma once

#include "MappingDrag.h"

#include <QLabel>

// An available field of the import, shown by its caption; dragged onto a column to map it.
class FieldLabel : public QLabel {
    Q_OBJECT
public:
    FieldLabel(const QString& field, const QString& caption, QWidget* parent);

    const QString& Field() const { return m_field; }

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    QString m_field;
    MappingDrag m_drag;
};
