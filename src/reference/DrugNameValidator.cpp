#include "DrugNameValidator.h"

QValidator::State DrugNameValidator::validate(QString& input, int& /*pos*/) const
{
    QStringView name(input);
    if (name.endsWith(kSign))
        name.chop(1);
    return name.size() <= kNameLength ? Acceptable : Invalid;
}

QString DrugNameValidator::WithSign(const QString& name)
{
    return name.endsWith(kSign) ? name : name + kSign;
}
