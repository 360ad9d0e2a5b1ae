#include "DrugResults.h"

#include "FieldText.h"

std::function<clsDrug()> DrugResults::reader(const FieldList& fields) const
{
    return [drugdesc = &fields["drugdesc"], drugid = &fields["drugid"]] {
        clsDrug d;
        d.SetDrugDesc(FieldText(*drugdesc).toString());
        d.SetDrugID(FieldText(*drugid).toInt());
        return d;
    };
}

QString DrugResults::cell(const clsDrug& record, int column) const
{
    switch (column) {
    case 0:
        return QString::number(record.DrugID());
    case 1:
        return record.DrugDesc();
    default:
        return QString();
    }
}
