#include "PatientResults.h"

#include "FieldText.h"

#include <QDate>
#include <QDateTime>

namespace {

QString text(const Field* field)
{
    return FieldText(*field).toString();
}

qint32 number(const Field* field)
{
    return FieldText(*field).toInt();
}

// "mm/dd/yyyy", written directly: the general date formatter costs more than reading the
// whole row when 50,000 patients are listed.
QString date(const Field* field)
{
    const QDate day = FieldText(*field).toDateTime().date();
    const int year = day.year();
    if (!day.isValid() || year < 0 || year > 9999)
        return day.toString(QStringLiteral("MM/dd/yyyy"));
    const auto digit = [](int value) { return QChar(u'0' + value % 10); };
    const QChar written[] = {digit(day.month() / 10), digit(day.month()), u'/',
                             digit(day.day() / 10),   digit(day.day()),   u'/',
                             digit(year / 1000),      digit(year / 100),  digit(year / 10),
                             digit(year)};
    return QString(written, std::size(written));
}

} // namespace

std::function<clsPatient()> PatientResults::reader(const FieldList& fields) const
{
    const auto field = [&fields](const char* name) { return &fields[name]; };
    return [address1 = field("address1"), address2 = field("address2"),
            birthdate = field("birthdate"), calldate = field("calldate"),
            cellphone = field("cellphone"), city = field("city"), email = field("email"),
            fname = field("fname"), goalChol = field("goal_chol"), goalLdl = field("goal_ldl"),
            ptid = field("ptid"), lname = field("lname"), mi = field("MI"),
            phone = field("phone"), sex = field("sex"), st = field("st"), zip = field("zip"),
            systolic = field("systolic"), diastolic = field("diastolic")] {
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
    };
}

QString PatientResults::cell(const clsPatient& record, int column) const
{
    switch (column) {
    case 0:
        return QString::number(record.ID());
    case 1:
        return record.FirstName();
    case 2:
        return record.LastName();
    case 3:
        return record.BirthDate();
    default:
        return QString();
    }
}
