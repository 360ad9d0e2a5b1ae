#include "frmAssDc2.h"

#include "PatientNameLabel.h"

#include "MagnifierIcon.h"
#include "frmSearch.h"

#include "AppDatabase.h"
#include "DaoType.h"
#include "FieldText.h"
#include "IdSequence.h"
#include "Messages.h"
#include "QueryDef.h"
#include "TextRoutines.h"
#include "WriteTransaction.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace
{

// The width of the name columns of Doctors.
constexpr int NameWidth = 20;

QString text(const Recordset& rs, const char* field)
{
    return FieldText(rs.Fields()[field]).toString();
}

QLineEdit* NewBox(QWidget* parent, const char* name)
{
    auto* box = new QLineEdit(parent);
    box->setObjectName(QString::fromLatin1(name));
    return box;
}

} // namespace

frmAssDc2::frmAssDc2(QWidget* parent) : QDialog(parent)
{
    BuildWindow();
}

frmAssDc2::~frmAssDc2() = default;

void frmAssDc2::BuildWindow()
{
    setObjectName(QStringLiteral("frmAssDc2"));
    setWindowTitle(tr("Assign Doctor for Patient"));

    lblFullName = NewPatientNameLabel(this);
    QGroupBox* frame = NewPatientNameFrame(lblFullName, this);

    auto* fields = new QGridLayout;
    const auto addLabel = [&](const char* name, const QString& caption, QWidget* box, int row) {
        auto* label = new QLabel(caption, this);
        label->setObjectName(QString::fromLatin1(name));
        label->setBuddy(box);
        fields->addWidget(label, row, 0);
    };
    txtLName = NewBox(this, "txtLName");
    txtLName->setMaxLength(NameWidth);
    cmdLast = NewSearchButton("cmdLast", QStringLiteral("Last Name"));
    txtFName = NewBox(this, "txtFName");
    txtFName->setMaxLength(NameWidth);
    cmdSearchFN = NewSearchButton("cmdSearchFN", QStringLiteral("First Name"));
    txtComment = NewBox(this, "txtComment");
    txtComment->setMinimumWidth(fontMetrics().averageCharWidth() * 40);
    addLabel("lblLast", tr("Last"), txtLName, 0);
    addLabel("lblFirst", tr("First"), txtFName, 1);
    addLabel("lblComment", tr("Comment"), txtComment, 2);
    fields->addWidget(txtLName, 0, 1);
    fields->addWidget(cmdLast, 0, 2);
    fields->addWidget(txtFName, 1, 1);
    fields->addWidget(cmdSearchFN, 1, 2);
    fields->addWidget(txtComment, 2, 1, 1, 2);
    fields->setColumnStretch(1, 1);

    cmdAdd = new QPushButton(tr("&OK"), this);
    cmdAdd->setObjectName(QStringLiteral("cmdAdd"));
    cmdAdd->setDefault(true);
    cmdCancel = new QPushButton(tr("&Cancel"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    cmdDelete = new QPushButton(tr("&Delete"), this);
    cmdDelete->setObjectName(QStringLiteral("cmdDelete"));
    cmdDelete->setEnabled(false);
    for (QPushButton* button : {cmdCancel, cmdDelete})
        button->setAutoDefault(false);
    connect(cmdAdd, &QPushButton::clicked, this, &frmAssDc2::OkClicked);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(cmdDelete, &QPushButton::clicked, this, &frmAssDc2::DeleteClicked);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdDelete);
    buttons->addStretch();
    buttons->addWidget(cmdAdd);
    buttons->addWidget(cmdCancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frame);
    layout->addLayout(fields);
    layout->addStretch();
    layout->addLayout(buttons);
}

QPushButton* frmAssDc2::NewSearchButton(const char* name, const QString& field)
{
    auto* button = new QPushButton(this);
    button->setObjectName(QString::fromLatin1(name));
    button->setIcon(MagnifierIcon(button->palette()));
    button->setToolTip(tr("Search by %1").arg(field));
    button->setAccessibleName(button->toolTip());
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this,
            [this, field] { OpenSearch(this, *this, QStringLiteral("Doctor"), field); });
    return button;
}

void frmAssDc2::Init(qint32 inPtID, const QString& inPtFullName)
{
    ptId = inPtID;
    SetLinkedDoctor(std::nullopt);
    lblFullName->setText(inPtFullName);
    txtLName->setFocus();
}

void frmAssDc2::Init(qint32 inPtID, const QString& inPtFullName, qint32 inDocID)
{
    Init(inPtID, inPtFullName);
    LoadDoctor(inDocID);
}

void frmAssDc2::LoadDoctor(qint32 inDocID)
{
    RunReportingErrors([&] {
        QueryDef query = AppDatabase().CreateQueryDef();
        query.SetSQL(QStringLiteral("SELECT PatientsDoctors.*,Doctors.fname, Doctors.lname, "
                                    "Doctors.classification   from PatientsDoctors inner join "
                                    "Doctors on PatientsDoctors.DoctorID = Doctors.DoctorID "
                                    "where PatientsDoctors.DoctorID = ") +
                     QString::number(inDocID) + QStringLiteral(" And PatientsDoctors.ptID = ") +
                     QString::number(ptId));
        auto rs = query.OpenRecordset(dbOpenForwardOnly);
        // A link removed meanwhile leaves the window adding a new one.
        if (rs->Eof())
            return;
        clsDoctor doctor;
        doctor.SetClassification(text(*rs, "classification"));
        doctor.SetFirstName(text(*rs, "fname"));
        doctor.SetLastName(text(*rs, "lname"));
        doctor.SetID(FieldText(rs->Fields()["doctorid"]).toInt());
        doctor.SetComment(text(*rs, "Comment"));
        rs->Close();
        LoadObjectData(doctor, doctor.Comment());
        SetLinkedDoctor(doctor);
    });
}

void frmAssDc2::LoadObjectData(const clsDoctor& inObjDoctor)
{
    txtFName->setText(inObjDoctor.FirstName());
    txtLName->setText(inObjDoctor.LastName());
}

void frmAssDc2::LoadObjectData(const clsDoctor& inObjDoctor, const QString& inComment)
{
    txtComment->setText(inComment);
    LoadObjectData(inObjDoctor);
}

void frmAssDc2::SetLinkedDoctor(std::optional<clsDoctor> doctor)
{
    linkedDoctor = std::move(doctor);
    cmdDelete->setEnabled(linkedDoctor.has_value());
}

void frmAssDc2::OkClicked()
{
    const QString last = TrimText(txtLName->text());
    if (last.isEmpty()) {
        ShowAttention(QStringLiteral("A Doctor has not been selected yet"));
        return;
    }
    if (RunReportingErrors([&] {
            SaveLink(last, TrimText(txtFName->text()), SqlQuote(TrimText(txtComment->text())));
        }))
        accept();
}

void frmAssDc2::SaveLink(const QString& last, const QString& first, const QString& comment)
{
    Database& db = AppDatabase();
    // One write: a failing link leaves no new doctor behind, and two workstations cannot
    // both add the same doctor.
    WriteTransaction transaction(db);
    QueryDef query = db.CreateQueryDef();
    query.SetSQL(QStringLiteral("SELECT doctorid from Doctors where UCASE(lname) = '") +
                 SqlQuote(last.toUpper()) + QStringLiteral("' and UCase(fname) = '") +
                 SqlQuote(first.toUpper()) + QStringLiteral("'"));
    auto rs = query.OpenRecordset(dbOpenForwardOnly);
    qint32 doctorId = rs->Eof() ? -1 : FieldText(rs->Fields()["doctorid"]).toInt();
    rs->Close();
    if (doctorId < 0) {
        doctorId = InsertWithNewId(
            db, IdSequence::Doctors, 0,
            [&](qint32 id) {
                return QStringLiteral("INSERT INTO Doctors (doctorid, lname, fname) ") +
                       QStringLiteral("VALUES (") + QString::number(id) + QStringLiteral(", '") +
                       SqlQuote(last) + QStringLiteral("', '") + SqlQuote(first) +
                       QStringLiteral("')");
            },
            dbFailOnError);
    }

    const QString patient = QString::number(ptId);
    query.SetSQL(QStringLiteral("SELECT COUNT(*) FROM PatientsDoctors where ptID = ") + patient);
    rs = query.OpenRecordset(dbOpenForwardOnly);
    const bool linked = FieldText(rs->Fields()[0]).toLongLong() > 0;
    rs->Close();
    const QString doctor = QString::number(doctorId);
    if (linked)
        query.SetSQL(QStringLiteral("UPDATE PatientsDoctors SET doctorid = ") + doctor +
                     QStringLiteral(", comment = '") + comment +
                     QStringLiteral("' where ptID = ") + patient);
    else
        query.SetSQL(QStringLiteral("INSERT INTO PatientsDoctors (doctorid, ptid, comment) ") +
                     QStringLiteral("VALUES (") + doctor + QStringLiteral(", ") + patient +
                     QStringLiteral(", '") + comment + QStringLiteral("')"));
    query.Execute(dbFailOnError);
    transaction.Commit();
}

// Removes the link this window was opened for, named as stored, whatever the boxes hold by now.
void frmAssDc2::DeleteClicked()
{
    if (!linkedDoctor ||
        !AskQuestion(QStringLiteral("Remove doctor ") + linkedDoctor->LastName() +
                     QStringLiteral(", ") + linkedDoctor->FirstName() +
                     QStringLiteral(" for this patient?")))
        return;
    const bool removed = RunReportingErrors([this] {
        QueryDef query = AppDatabase().CreateQueryDef();
        query.SetSQL(QStringLiteral("DELETE FROM PatientsDoctors where ptID = ") +
                     QString::number(ptId) + QStringLiteral(" and doctorid = ") +
                     QString::number(linkedDoctor->ID()));
        query.Execute(dbFailOnError);
    });
    if (!removed)
        return;
    txtComment->clear();
    txtFName->clear();
    txtLName->clear();
    SetLinkedDoctor(std::nullopt);
    txtLName->setFocus();
}
