#pragma once

#include <QString>

class clsPatient;

// The statements that store a patient as entered in the patient editor. The record holds
// the box texts as typed (trimmed and quoted here), the sex list text, the call date to store
// and the numbers.
QString InsertPatientSql(const clsPatient& entered, qint32 id);
QString UpdatePatientSql(const clsPatient& entered);
