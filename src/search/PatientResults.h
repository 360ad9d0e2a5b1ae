#pragma once

#include "RecordResults.h"
#include "clsPatient.h"

// Patients with every stored value, so that the one handed over fills the patient editor;
// the grid shows ID, first and last name and the birth date.
class PatientResults : public RecordResults<clsPatient>
{
protected:
    std::function<clsPatient()> reader(const FieldList& fields) const override;
    QString cell(const clsPatient& record, int column) const override;
};
