#include "HealthFactorResults.h"

#include "FieldText.h"

std::function<clsHealthFactor()> HealthFactorResults::reader(const FieldList& fields) const
{
    return [conddesc = &fields["conddesc"], condid = &fields["condid"]] {
        clsHealthFactor h;
        h.SetDesc(FieldText(*conddesc).toString());
        h.SetID(FieldText(*condid).toInt());
        return h;
    };
}

QString HealthFactorResults::cell(const clsHealthFactor& record, int column) const
{
    switch (column) {
    case 0:
        return QString::number(record.ID());
    case 1:
        return record.Desc();
    default:
        return QString();
    }
}
