#include "FirstDoctorName.h"

#include "AppDatabase.h"
#include "FieldText.h"
#include "TextRoutines.h"

QString FirstDoctorName(qint32 ptid)
{
    auto rs = AppDatabase().OpenRecordset(
        QStringLiteral("SELECT fname, lname from doctors inner join patientsdoctors ") +
            QStringLiteral("on doctors.doctorid=patientsdoctors.doctorid ") +
            QStringLiteral("where patientsdoctors.ptid = ") + TrimText(QString::number(ptid)),
        dbOpenForwardOnly);
    QString name;
    if (!rs->Eof())
        name = FieldText(rs->Fields()["lname"]).toString() + QStringLiteral(", ") +
               FieldText(rs->Fields()["fname"]).toString();
    rs->Close();
    return name;
}
