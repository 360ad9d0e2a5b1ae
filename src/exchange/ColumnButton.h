#pragma once

#include "MappingDrag.h"

#include <QPushButton>

// The button over one column of the import file: "Field" + its number until a field is
// dropped on it, then the field's caption in bold. A mapped button is dragged back to the
// available fields to unmap it.
class ColumnButton : public QPushButton {
    Q_OBJECT
public:
    ColumnButton(int number, QWidget* parent);

    int Number() const { return m_number; }
    // The mapped field's name; empty when the column is not mapped.
    const QString& Field() const { return m_field; }
    void Map(const QString& field, const QString& caption);
    void Unmap();

signals:
    void fieldDropped(ColumnButton* button, const QString& field);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void setBold(bool bold);

    int m_number;
    QString m_field;
    MappingDrag m_drag;
};
