#include "DoctorResults.h"

#include "FieldText.h"

std::function<clsDoctor()> DoctorResults::reader(const FieldList& fields) const
{
    return [classification = &fields["classification"], fname = &fields["fname"],
            lname = &fields["lname"], doctorid = &fields["doctorid"]] {
        clsDoctor d;
        d.SetClassification(FieldText(*classification).toString());
        d.SetFirstName(FieldText(*fname).toString());
        d.SetLastName(FieldText(*lname).toString());
        d.SetID(FieldText(*doctorid).toInt());
        return d;
    };
}

QString DoctorResults::cell(const clsDoctor& record, int column) const
{
    switch (column) {
    case 0:
        return QString::number(record.ID());
    case 1:
        return record.FirstName();
    case 2:
        return record.LastName();
    case 3:
        return record.Classification();
    default:
        return QString();
    }
}
