#pragma once

#include "RecordResults.h"
#include "clsDoctor.h"

// Doctors; the grid shows ID, first and last name and the classification.
class DoctorResults : public RecordResults<clsDoctor>
{
protected:
    std::function<clsDoctor()> reader(const FieldList& fields) const override;
    QString cell(const clsDoctor& record, int column) const override;
};
