#pragma once

#include <QString>

struct PrintJob;

// Everything kept about one patient: contact details, birth date, sex, doctors, health
// factors, drugs, blood pressure, lab visits and contacts, under the patient's name.
void PrintPatientDetail(PrintJob& job, const QString& ptid);
