#include "PatientRowReader.h"

#include "FieldList.h"
#include "FieldText.h"
#include "JetDate.h"

namespace {

QString text(const Field& field)
{
    return FieldText(field).toString();
}

qint32 number(const Field& field)
{
    return FieldText(field).toInt();
}

QString date(const Field& field)
{
    return JetDate::ToUsText(FieldText(field).toDateTime().date());
}

} // namespace

PatientRowReader::PatientRowReader(const FieldList& fields)
    : address1(fields["address1"]), address2(fields["address2"]), birthdate(fields["birthdate"]),
      calldate(fields["calldate"]), cellphone(fields["cellphone"]), city(fields["city"]),
      email(fields["email"]), fname(fields["fname"]), goalChol(fields["goal_chol"]),
      goalLdl(fields["goal_ldl"]), ptid(fields["ptid"]), lname(fields["lname"]), mi(fields["mi"]),
      phone(fields["phone"]), sex(fields["sex"]), st(fields["st"]), zip(fields["zip"]),
      systolic(fields["systolic"]), diastolic(fields["diastolic"])
{
}

clsPatient PatientRowReader::Read() const
{
    clsPatient p;
    p.SetAddress1(text(address1));
    p.SetAddress2(text(address2));
    p.SetBirthDate(date(birthdate));
    p.SetCallDate(date(calldate));
    p.SetCellPhone(text(cellphone));
    p.SetCity(text(city));
    p.SetEMail(text(email));
    p.SetFirstName(text(fname));
    p.SetGoalChol(number(goalChol));
    p.SetGoalLDL(number(goalLdl));
    p.SetID(number(ptid));
    p.SetLastName(text(lname));
    p.SetMI(text(mi));
    p.SetPhone(text(phone));
    p.SetSex(text(sex));
    p.SetST(text(st));
    p.SetZip(text(zip));
    p.SetSystolic(number(systolic));
    p.SetDiastolic(number(diastolic));
    return p;
}
