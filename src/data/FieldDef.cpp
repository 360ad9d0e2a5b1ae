#include "FieldDef.h"

#include "SameName.h"

const FieldDef* TableDef::Find(QStringView field) const
{
    for (const FieldDef& c : fields) {
        if (SameName(c.name, field))
            return &c;
    }
    return nullptr;
}
