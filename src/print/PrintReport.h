#pragma once

#include <QString>

// Lets the user choose a printer (or preview the job) and prints the report of the kind:
// "PatientDetail" for the patient ptid, "CallList" or "Letter"; any other kind prints nothing.
void PrintReport(const QString& kind, const QString& ptid);
