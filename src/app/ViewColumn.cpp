#include "ViewColumn.h"

#include "FieldList.h"
#include "FieldText.h"

#include <QDateTime>

namespace {

QString dateText(const Field& field, const QString& pattern)
{
    return FieldText(field).toDateTime().date().toString(pattern);
}

} // namespace

ColumnReader::ColumnReader(const ViewColumn& column, const FieldList& fields)
    : m_format(column.format)
{
    if (m_format == CellFormat::PatientName) {
        m_field = &fields["LName"];
        m_firstName = &fields["FName"];
    } else {
        m_field = &fields[QStringView(column.field)];
    }
}

QString ColumnReader::Text() const
{
    switch (m_format) {
    case CellFormat::LongDate:
        return dateText(*m_field, QStringLiteral("MM/dd/yyyy"));
    case CellFormat::ShortDate:
        return dateText(*m_field, QStringLiteral("M/d/yyyy"));
    case CellFormat::PatientName:
        return FieldText(*m_field).toString() + QStringLiteral(", ") +
               FieldText(*m_firstName).toString();
    case CellFormat::YesNo:
        return FieldText(*m_field).toBool() ? QStringLiteral("Yes") : QStringLiteral("No");
    case CellFormat::Plain:
        break;
    }
    return FieldText(*m_field).toString();
}
