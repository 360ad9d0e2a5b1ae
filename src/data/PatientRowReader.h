#pragma once

#include "clsPatient.h"

class Field;
class FieldList;

// Reads the patient on a recordset's current row (a row of "SELECT * from Patients"):
// every stored value, dates as "mm/dd/yyyy". The fields are looked up once, so that
// reading many rows costs no name lookups.
class PatientRowReader {
public:
    explicit PatientRowReader(const FieldList& fields);

    clsPatient Read() const;

private:
    const Field& address1;
    const Field& address2;
    const Field& birthdate;
    const Field& calldate;
    const Field& cellphone;
    const Field& city;
    const Field& email;
    const Field& fname;
    const Field& goalChol;
    const Field& goalLdl;
    const Field& ptid;
    const Field& lname;
    const Field& mi;
    const Field& phone;
    const Field& sex;
    const Field& st;
    const Field& zip;
    const Field& systolic;
    const Field& diastolic;
};
