#include "frmPatient.h"

#include "AppDatabase.h"
#include "CascadeDeletes.h"
#include "DaoType.h"
#include "DateEntryBox.h"
#include "FieldText.h"
#include "IdSequence.h"
#include "MagnifierIcon.h"
#include "Messages.h"
#include "PatientRowReader.h"
#include "PatientStatements.h"
#include "PrintReport.h"
#include "QueryDef.h"
#include "SelectAllOnFocus.h"
#include "ShortNumber.h"
#include "TextRoutines.h"
#include "frmAssDc2.h"
#include "frmPsBW.h"
#include "frmPsComms.h"
#include "frmPsHFs.h"
#include "frmPsRxs.h"
#include "frmSearch.h"
#include "ui_frmPatient.h"

#include <optional>
#include <utility>

namespace {

const QString kAddNew = QStringLiteral("&Add New");
const QString kCancelAdd = QStringLiteral("Cancel Add");
const QString kNoCallDate = QStringLiteral("01/01/1900");
const QString kDateFormat = QStringLiteral("MM/dd/yyyy");

QString patientGone(const QString& id)
{
    return QStringLiteral("Patient %1 is no longer in the database; it may have been deleted "
                          "on another workstation.")
        .arg(id);
}

std::optional<clsPatient> readPatient(qint32 id)
{
    auto rs = AppDatabase().OpenRecordset(QStringLiteral("SELECT * from Patients where ptid = ") +
                                          QString::number(id));
    if (rs->Eof())
        return std::nullopt;
    const clsPatient p = PatientRowReader(rs->Fields()).Read();
    rs->Close();
    return p;
}

// The values whose change makes the window ask before closing.
QStringList comparedTexts(const clsPatient& p)
{
    return {p.BirthDate(), p.FirstName(), p.LastName(), p.Address1(), p.Address2(),
            p.CellPhone(), p.City(),      p.EMail(),    p.MI(),       p.Phone(),
            p.ST(),        p.Zip(),       p.Sex()};
}

// An empty goal box counts as unchanged; text that is no number as changed.
bool goalDiffers(const QLineEdit* box, qint32 remembered)
{
    if (TrimText(box->text()).isEmpty())
        return false;
    const auto value = ShortNumberOrZero(box->text());
    return !value || *value != remembered;
}

qint32 shortNumber(const QLineEdit* box)
{
    return ShortNumberOrZero(box->text()).value_or(0);
}

QString recentLevels(const Recordset& rs)
{
    const auto value = [&rs](const char* field) {
        return QString::number(FieldText(rs.Fields()[field]).toLongLong());
    };
    const QDateTime taken = FieldText(rs.Fields()["LabDate"]).toDateTime();
    return QStringList{QStringLiteral("Taken : ") + taken.toString(u"MM/dd/yy"),
                       QStringLiteral("Total : ") + value("OverallCL"),
                       QStringLiteral("HDL   : ") + value("HDL"),
                       QStringLiteral("LDL   : ") + value("LDL"),
                       QStringLiteral("Trig  : ") + value("Triglycerides")}
        .join(QStringLiteral("\r\n"));
}

// The doctor of the patient's first doctor link, if there is one.
std::optional<qint32> FirstDoctorId(qint32 ptid)
{
    auto rs = AppDatabase().OpenRecordset(
        QStringLiteral("SELECT DoctorID FROM PatientsDoctors WHERE ptid = ") + QString::number(ptid),
        dbOpenForwardOnly);
    std::optional<qint32> doctor;
    if (!rs->Eof())
        doctor = FieldText(rs->Fields()["DoctorID"]).toInt();
    rs->Close();
    return doctor;
}

} // namespace

frmPatient::frmPatient(QWidget* parent) : QDialog(parent), ui(std::make_unique<Ui::frmPatient>())
{
    ui->setupUi(this);
    for (QPushButton* search : {ui->cmdSearchLN, ui->cmdSearchFN})
        search->setIcon(MagnifierIcon(palette()));
    QFont fixedPitch(QStringLiteral("Courier New"));
    fixedPitch.setStyleHint(QFont::TypeWriter);
    fixedPitch.setFixedPitch(true);
    ui->lblRecentLevels->setFont(fixedPitch);
    const QFontMetrics metrics(fixedPitch);
    ui->lblRecentLevels->setMinimumSize(metrics.horizontalAdvance(QStringLiteral("Total : 00000 ")),
                                        metrics.lineSpacing() * 5);
    for (QLineEdit* box : EntryBoxes())
        SelectAllOnFocus::Install(box);
    connectControls();
}

frmPatient::~frmPatient() = default;

void frmPatient::connectControls()
{
    connect(ui->cmdAdd, &QPushButton::clicked, this, &frmPatient::AddOrCancel);
    connect(ui->cmdSave, &QPushButton::clicked, this, &frmPatient::Save);
    connect(ui->cmdDelete, &QPushButton::clicked, this, &frmPatient::DeleteShown);
    connect(ui->cmdExit, &QPushButton::clicked, this, &QWidget::close);
    connect(ui->chkNotify, &QCheckBox::toggled, ui->dtCallDate, &QWidget::setEnabled);
    connect(ui->txtBirthDate, &DateEntryBox::dateLeft, this,
            [this](QDate birthDate) { ui->lblAge->setText(QString::number(AgeInYears(birthDate))); });
    connect(ui->cmdBloodWork, &QPushButton::clicked, this, [this] {
        frmPsBW list(this);
        ShowPatientList(list);
        ShowRecentLevels();
    });
    connect(ui->cmdCommunications, &QPushButton::clicked, this, [this] {
        frmPsComms list(this);
        ShowPatientList(list);
    });
    connect(ui->cmdDrugs, &QPushButton::clicked, this, [this] {
        frmPsRxs list(this);
        ShowPatientList(list);
    });
    connect(ui->cmdHealthFactors, &QPushButton::clicked, this, [this] {
        frmPsHFs list(this);
        ShowPatientList(list);
    });
    connect(ui->cmdDoctors, &QPushButton::clicked, this, &frmPatient::ShowDoctor);
    connect(ui->cmdPrint, &QPushButton::clicked, this, [this] {
        PrintReport(QStringLiteral("PatientDetail"), TrimText(ui->lblID->text()));
    });
    connect(ui->cmdSearchLN, &QPushButton::clicked, this,
            [this] { SearchBy(QStringLiteral("Last Name")); });
    connect(ui->cmdSearchFN, &QPushButton::clicked, this,
            [this] { SearchBy(QStringLiteral("First Name")); });
}

void frmPatient::Init()
{
    SavedCopy = clsPatient();
    ResetForm();
    NewPatient();
}

void frmPatient::Init(qint32 inPtID)
{
    SavedCopy = clsPatient();
    AddingNew = false;
    SetAddMode();
    // Showing a patient sets every control that the reset would clear, so the reset is
    // left for when no patient is shown: opening a patient then costs one pass, not two.
    if (inPtID > 0)
        LoadPatientID(inPtID);
    else
        ResetForm();
}

void frmPatient::LoadPatientID(qint32 inPtID)
{
    std::optional<clsPatient> patient;
    if (!RunReportingErrors([&] { patient = readPatient(inPtID); })) {
        ResetForm();
        return;
    }
    if (!patient) {
        ShowAttention(patientGone(QString::number(inPtID)));
        ResetForm();
        return;
    }
    LoadObjectData(*patient);
}

void frmPatient::LoadObjectData(const clsPatient& inObjPatient)
{
    const clsPatient& p = inObjPatient;
    ui->txtBirthDate->setText(p.BirthDate());
    ui->txtFName->setText(p.FirstName());
    ui->txtLName->setText(p.LastName());
    ui->lblID->setText(QString::number(p.ID()));
    ui->txtAddress1->setText(p.Address1());
    ui->txtAddress2->setText(p.Address2());
    const bool notify = p.CallDate() != kNoCallDate;
    ui->chkNotify->setChecked(notify);
    ui->dtCallDate->setEnabled(notify);
    // Without a call date the picker offers today, not the previous patient's date.
    const auto callDate = notify ? DateEntryBox::ReadDate(p.CallDate()) : std::nullopt;
    ui->dtCallDate->setDate(callDate.value_or(QDate::currentDate()));
    ui->txtCellPhone->setText(p.CellPhone());
    ui->txtCity->setText(p.City());
    ui->txtEmail->setText(p.EMail());
    ui->txtGoalChol->setText(BlankIfZero(QString::number(p.GoalChol())));
    ui->txtGoalLDL->setText(BlankIfZero(QString::number(p.GoalLDL())));
    ui->txtSystolic->setText(BlankIfZero(QString::number(p.Systolic())));
    ui->txtDiastolic->setText(BlankIfZero(QString::number(p.Diastolic())));
    ui->txtMI->setText(p.MI());
    ui->txtPhone->setText(p.Phone());
    ui->txtST->setText(p.ST());
    ui->txtZip->setText(p.Zip());
    // "M" as stored, "Male" as copied from a window; a lower-case letter must not turn
    // the patient into a woman on the next save.
    const bool male = TrimText(p.Sex()).startsWith(u'M', Qt::CaseInsensitive);
    ui->cmbSex->setCurrentIndex(male ? 0 : 1);
    ShowAge(p.BirthDate());
    ShowRecentLevels();
    UnlockFields();
    EnableButtons(RecordButtons(), true);
    AddingNew = false;
    TakeSnapshot();
}

void frmPatient::ResetForm()
{
    EnableButtons(RecordButtons(), false);
    ClearFields();
    LockFields();
    AddingNew = false;
    SetAddMode();
    TakeSnapshot();
}

void frmPatient::NewPatient()
{
    AddingNew = true;
    // Of the patient still shown: leaving right after "Add New" asks before dropping it.
    TakeSnapshot();
    SetAddMode();
    qint32 id = 0;
    if (RunReportingErrors([&id] { id = NextId(IdSequence::Patients); }))
        ui->lblID->setText(QString::number(id));
    ui->txtFName->setFocus();
}

void frmPatient::SetAddMode()
{
    if (!AddingNew) {
        ui->cmdAdd->setText(kAddNew);
        return;
    }
    ui->cmdAdd->setText(kCancelAdd);
    EnableButtons(RecordButtons(), false);
    ClearFields();
    UnlockFields();
}

void frmPatient::ClearFields()
{
    for (QLineEdit* box : EntryBoxes())
        box->clear();
    ui->txtSystolic->clear();
    ui->txtDiastolic->clear();
    ui->lblID->clear();
    ui->lblAge->clear();
    ui->lblRecentLevels->clear();
    ui->chkNotify->setChecked(false);
    ui->dtCallDate->setDate(QDate::currentDate());
    ui->cmbSex->setCurrentIndex(0);
}

void frmPatient::LockFields()
{
    for (QLineEdit* box : EntryBoxes())
        box->setEnabled(false);
    for (QWidget* control : std::initializer_list<QWidget*>{
             ui->cmbSex, ui->cmdSave, ui->chkNotify, ui->dtCallDate})
        control->setEnabled(false);
    EnableButtons(ListButtons(), false);
}

void frmPatient::UnlockFields()
{
    for (QLineEdit* box : EntryBoxes())
        box->setEnabled(true);
    ui->chkNotify->setEnabled(true);
    ui->cmbSex->setEnabled(true);
    ui->cmdSave->setEnabled(true);
}

void frmPatient::TakeSnapshot()
{
    SavedCopy = ShownValues();
    if (TrimText(ui->txtGoalChol->text()).isEmpty())
        SavedCopy.SetGoalChol(-1);
}

bool frmPatient::HasUnsavedChanges() const
{
    const clsPatient shown = ShownValues();
    if (comparedTexts(shown) != comparedTexts(SavedCopy))
        return true;
    if (ui->chkNotify->isChecked() && shown.CallDate() != SavedCopy.CallDate())
        return true;
    return goalDiffers(ui->txtGoalChol, SavedCopy.GoalChol()) ||
           goalDiffers(ui->txtGoalLDL, SavedCopy.GoalLDL());
}

bool frmPatient::ValidateFields()
{
    if (!ui->txtBirthDate->Date())
        return false;
    for (const QString& required : {ui->txtFName->text(), ui->txtLName->text(),
                                    ui->cmbSex->currentText()})
        if (TrimText(required).isEmpty())
            return false;
    return !ui->chkNotify->isChecked() || ui->dtCallDate->date() >= QDate::currentDate() ||
           AskQuestion(QStringLiteral("Patient Notify Date is listed as a Date earlier than "
                                      "today's date.  Are you sure you want this date?"));
}

bool frmPatient::NumbersAreValid()
{
    const std::pair<QLineEdit*, QString> boxes[] = {
        {ui->txtGoalChol, QStringLiteral("Goal Total")},
        {ui->txtGoalLDL, QStringLiteral("Goal LDL")},
        {ui->txtSystolic, QStringLiteral("The systolic blood pressure (BP)")},
        {ui->txtDiastolic, QStringLiteral("The diastolic blood pressure (BP)")}};
    for (const auto& [box, name] : boxes) {
        if (!ShortNumberOrZero(box->text())) {
            ShowAttention(name + QStringLiteral(" must be a whole number from -32768 to 32767."));
            box->setFocus();
            return false;
        }
    }
    return true;
}

void frmPatient::Save()
{
    if (!NumbersAreValid())
        return;
    if (ValidateFields())
        SaveRecord();
    else
        ShowAttention(QStringLiteral("One or more required fields are missing or invalid."));
}

void frmPatient::SaveRecord()
{
    if (!AddingNew) {
        if (UpdatePatient())
            TakeSnapshot();
        return;
    }
    if (!InsertPatient())
        return;
    UnlockFields();
    EnableButtons(RecordButtons(), true);
    AddingNew = false;
    TakeSnapshot();
}

bool frmPatient::InsertPatient()
{
    const clsPatient entered = EnteredValues();
    qint32 stored = 0;
    const bool ok = RunReportingErrors([&] {
        // The identifier shown may have been taken on another workstation meanwhile.
        stored = InsertWithNewId(
            IdSequence::Patients, entered.ID(),
            [&entered](qint32 id) { return InsertPatientSql(entered, id); }, dbFailOnError);
    });
    if (ok)
        ui->lblID->setText(QString::number(stored));
    return ok;
}

bool frmPatient::UpdatePatient()
{
    bool stored = false;
    const bool ok = RunReportingErrors([&] {
        QueryDef query = AppDatabase().CreateQueryDef();
        query.SetSQL(UpdatePatientSql(EnteredValues()));
        query.Execute(dbFailOnError);
        stored = AppDatabase().RecordsAffected() > 0;
    });
    if (ok && !stored)
        ShowAttention(patientGone(ui->lblID->text()) +
                      QStringLiteral(" The changes were not saved."));
    return ok && stored;
}

void frmPatient::ShowRecentLevels()
{
    RunReportingErrors([this] {
        auto rs = AppDatabase().OpenRecordset(
            QStringLiteral("SELECT Top 1 OverallCL, HDL, LDL, Triglycerides, LabDate FROM "
                           "LabVisits WHERE ptid = ") +
            ui->lblID->text() + QStringLiteral(" ORDER BY labdate desc"));
        const QString levels = rs->Eof() ? QStringLiteral("N/A") : recentLevels(*rs);
        rs->Close();
        ui->lblRecentLevels->setText(levels);
    });
}

qint16 frmPatient::AgeInYears(QDate birthDate)
{
    return qint16(QDate::currentDate().year() - birthDate.year());
}

void frmPatient::ShowAge(const QString& birthDate)
{
    const auto date = DateEntryBox::ReadDate(birthDate);
    ui->lblAge->setText(date ? QString::number(AgeInYears(*date)) : QString());
}

void frmPatient::AddOrCancel()
{
    if (ui->cmdAdd->text() == kCancelAdd)
        ResetForm();
    else
        NewPatient();
}

void frmPatient::DeleteShown()
{
    if (!AskQuestion(QStringLiteral("Are you Sure you want to delete ") + ui->txtLName->text() +
                     QStringLiteral(", ") + ui->txtFName->text() + QStringLiteral(" ?")))
        return;
    if (RunReportingErrors([this] { DeletePatient(ui->lblID->text()); }))
        ResetForm();
}

void frmPatient::ShowPatientList(PatientItemList& list)
{
    list.Init(ui->lblID->text().toInt(), DisplayName());
    list.exec();
}

void frmPatient::ShowDoctor()
{
    const qint32 patient = ui->lblID->text().toInt();
    std::optional<qint32> doctor;
    if (!RunReportingErrors([&] { doctor = FirstDoctorId(patient); }))
        return;
    frmAssDc2 window(this);
    if (doctor)
        window.Init(patient, DisplayName(), *doctor);
    else
        window.Init(patient, DisplayName());
    window.exec();
}

// A new patient not yet saved is dropped without a question: the user chose to look up
// another one.
void frmPatient::SearchBy(const QString& field)
{
    if (ui->cmdAdd->text() == kCancelAdd)
        ResetForm();
    OpenSearch(this, *this, QStringLiteral("Patient"), field);
}

void frmPatient::reject()
{
    if (HasUnsavedChanges() &&
        !AskQuestion(QStringLiteral("There are unsaved changes.  Are you sure you want to quit?")))
        return;
    QDialog::reject();
}

clsPatient frmPatient::ShownValues() const
{
    clsPatient p;
    p.SetID(ui->lblID->text().toInt());
    p.SetBirthDate(ui->txtBirthDate->text());
    p.SetFirstName(ui->txtFName->text());
    p.SetLastName(ui->txtLName->text());
    p.SetAddress1(ui->txtAddress1->text());
    p.SetAddress2(ui->txtAddress2->text());
    p.SetCellPhone(ui->txtCellPhone->text());
    p.SetCity(ui->txtCity->text());
    p.SetEMail(ui->txtEmail->text());
    p.SetMI(ui->txtMI->text());
    p.SetPhone(ui->txtPhone->text());
    p.SetST(ui->txtST->text());
    p.SetZip(ui->txtZip->text());
    p.SetSex(ui->cmbSex->currentText());
    p.SetCallDate(ui->dtCallDate->date().toString(kDateFormat));
    p.SetGoalChol(shortNumber(ui->txtGoalChol));
    p.SetGoalLDL(shortNumber(ui->txtGoalLDL));
    p.SetSystolic(shortNumber(ui->txtSystolic));
    p.SetDiastolic(shortNumber(ui->txtDiastolic));
    return p;
}

clsPatient frmPatient::EnteredValues() const
{
    clsPatient p = ShownValues();
    if (!ui->chkNotify->isChecked())
        p.SetCallDate(QStringLiteral("1/1/1900"));
    return p;
}

QString frmPatient::DisplayName() const
{
    return TrimText(ui->txtLName->text()) + QStringLiteral(", ") + TrimText(ui->txtFName->text());
}

QList<QLineEdit*> frmPatient::EntryBoxes() const
{
    return {ui->txtBirthDate, ui->txtFName,  ui->txtLName,   ui->txtAddress1, ui->txtAddress2,
            ui->txtCellPhone, ui->txtCity,   ui->txtEmail,   ui->txtGoalChol, ui->txtGoalLDL,
            ui->txtMI,        ui->txtPhone,  ui->txtST,      ui->txtZip};
}

QList<QPushButton*> frmPatient::RecordButtons() const
{
    return {ui->cmdDelete, ui->cmdPrint, ui->cmdDoctors, ui->cmdHealthFactors, ui->cmdBloodWork,
            ui->cmdCommunications, ui->cmdDrugs};
}

QList<QPushButton*> frmPatient::ListButtons() const
{
    return {ui->cmdBloodWork, ui->cmdDoctors, ui->cmdHealthFactors, ui->cmdCommunications,
            ui->cmdDrugs};
}

void frmPatient::EnableButtons(const QList<QPushButton*>& buttons, bool enabled)
{
    for (QPushButton* button : buttons)
        button->setEnabled(enabled);
}
