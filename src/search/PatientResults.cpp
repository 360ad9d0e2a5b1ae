#include "PatientResults.h"

#include "PatientRowReader.h"

std::function<clsPatient()> PatientResults::reader(const FieldList& fields) const
{
    return [read = PatientRowReader(fields)] { return read.Read(); };
}

QString PatientResults::cell(const clsPatient& record, int column) const
{
    switch (column) {
    case 0:
        return QString::number(record.ID());
    case 1:
        return record.FirstName();
    case 2:
        return record.LastName();
    case 3:
        return record.BirthDate();
    default:
        return QString();
    }
}
