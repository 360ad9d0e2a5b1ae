#include "FieldDef.h"

const FieldDef* TableDef::Find(QStringView field) const
{
    for (const FieldDef& c : fields) {
        if (c.name.compare(field, Qt::CaseInsensitive) == 0)
            return &c;
    }
    return nullptr;
}
