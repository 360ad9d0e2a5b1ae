#pragma once

#include <QString>

class FieldList;
class Field;

// How a grid cell is written from the fields of one row.
enum class CellFormat {
    Plain,       // the value as text
    LongDate,    // "mm/dd/yyyy"
    ShortDate,   // the short date form M/d/yyyy
    PatientName, // "Last, First" from the fields LName and FName
    YesNo,       // "Yes" for true, otherwise "No"
};

// One column of a main-window view: heading, fixed width (0: the name column, fitted to
// the room left) and where its cells come from.
struct ViewColumn {
    QString heading;
    int widthTwips = 0;
    QString field;
    CellFormat format = CellFormat::Plain;
};

// A column's cells read from an open recordset; the fields are looked up once.
class ColumnReader {
public:
    ColumnReader(const ViewColumn& column, const FieldList& fields);
    QString Text() const;

private:
    CellFormat m_format;
    const Field* m_field = nullptr;
    const Field* m_firstName = nullptr;
};
