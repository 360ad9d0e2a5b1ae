#include "frmDoctors.h"

#include "AskedDeletion.h"
#include "CascadeDeletes.h"
#include "FieldText.h"
#include "IdSequence.h"
#include "Recordset.h"
#include "clsDoctor.h"

#include <QLineEdit>

namespace {

enum Box { FirstName, LastName, Classification };

MaintenanceWindow::Texts windowTexts()
{
    return {
        .windowName = QStringLiteral("frmDoctors"),
        .title = QStringLiteral("Doctor Maintenence"),
        .frameName = QStringLiteral("frDoctor"),
        .frameCaption = QStringLiteral("Doctor Information"),
        .idCaptionName = QStringLiteral("lbl_ID"),
        .addCaption = QStringLiteral("Add New"),
        .cancelAddCaption = QStringLiteral("Cancel Add"),
        .exitName = QStringLiteral("cmdExit"),
        .missingFields = QStringLiteral("One or more required fields are missing or invalid"),
        .enterAnother = QStringLiteral("Enter another Doctor?"),
        .deleteCancelled = QStringLiteral("Delete cancelled"),
        .recordName = QStringLiteral("Doctor"),
        .searchKind = QStringLiteral("Doctor"),
        .loadSql = QStringLiteral("SELECT * from Doctors where doctorid = "),
        .linkCountSql =
            QStringLiteral("SELECT count(*) as docsfound FROM PatientsDoctors where DoctorID = "),
        .deleteRecord = &DeleteDoctor,
        .ids = &IdSequence::Doctors,
    };
}

QList<MaintenanceWindow::Field> entryFields()
{
    return {
        {QStringLiteral("lblFirst"), QStringLiteral("First Name"), QStringLiteral("txtFName"), 20,
         QStringLiteral("cmdSearchFN"), QStringLiteral("First Name")},
        {QStringLiteral("lblLast"), QStringLiteral("Last Name"), QStringLiteral("txtLName"), 20,
         QStringLiteral("cmdLast"), QStringLiteral("Last Name")},
        {QStringLiteral("lblClass"), QStringLiteral("Classification"),
         QStringLiteral("txtClassification"), 20, {}, {}},
    };
}

} // namespace

frmDoctors::frmDoctors(QWidget* parent) : MaintenanceWindow(parent, windowTexts(), entryFields()) {}

void frmDoctors::LoadObjectData(const clsDoctor& inObjDoctor)
{
    ShowRecord(inObjDoctor.ID(), {inObjDoctor.FirstName(), inObjDoctor.LastName(),
                                  inObjDoctor.Classification()});
}

void frmDoctors::SetName(const QString& inFName, const QString& inLName)
{
    Box(FirstName)->setText(inFName);
    Box(LastName)->setText(inLName);
}

void frmDoctors::ShowStored(const Recordset& rs)
{
    clsDoctor doctor;
    doctor.SetClassification(FieldText(rs.Fields()["classification"]).toString());
    doctor.SetFirstName(FieldText(rs.Fields()["fname"]).toString());
    doctor.SetLastName(FieldText(rs.Fields()["lname"]).toString());
    doctor.SetID(FieldText(rs.Fields()["doctorid"]).toInt());
    LoadObjectData(doctor);
}

QString frmDoctors::InsertSql(const QString& id) const
{
    return QStringLiteral("INSERT INTO Doctors (doctorid, lname, fname, classification) ") +
           QStringLiteral("VALUES (") + id + QStringLiteral(", '") + SqlText(LastName) +
           QStringLiteral("', '") + SqlText(FirstName) + QStringLiteral("', '") +
           SqlText(Classification) + QStringLiteral("')");
}

QString frmDoctors::UpdateSql(const QString& id) const
{
    return QStringLiteral("UPDATE Doctors SET lname = '") + SqlText(LastName) +
           QStringLiteral("', fname = '") + SqlText(FirstName) + QStringLiteral("', ") +
           QStringLiteral(" classification = '") + SqlText(Classification) +
           QStringLiteral("' WHERE Doctorid = ") + id;
}

QString frmDoctors::LinkedQuestion() const
{
    return AskedDeletion::DoctorLinkedQuestion(ShownName());
}

QString frmDoctors::UnlinkedQuestion() const
{
    return AskedDeletion::PlainQuestion(ShownName());
}

QString frmDoctors::ShownName() const
{
    return Box(LastName)->text() + QStringLiteral(", ") + Box(FirstName)->text();
}
