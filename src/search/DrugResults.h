#pragma once

#include "RecordResults.h"
#include "clsDrug.h"

// Drugs; the grid shows the ID and the name.
class DrugResults : public RecordResults<clsDrug>
{
protected:
    std::function<clsDrug()> reader(const FieldList& fields) const override;
    QString cell(const clsDrug& record, int column) const override;
};
