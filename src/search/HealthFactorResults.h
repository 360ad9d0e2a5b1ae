#pragma once

#include "RecordResults.h"
#include "clsHealthFactor.h"

// Health factors; the grid shows the ID and the description.
class HealthFactorResults : public RecordResults<clsHealthFactor>
{
protected:
    std::function<clsHealthFactor()> reader(const FieldList& fields) const override;
    QString cell(const clsHealthFactor& record, int column) const override;
};
