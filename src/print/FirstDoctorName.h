#pragma once

#include <QString>

// "lname, fname" of the patient's first linked doctor in the database's order; empty when
// the patient has none.
QString FirstDoctorName(qint32 ptid);
