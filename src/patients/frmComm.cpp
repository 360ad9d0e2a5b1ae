#include "frmComm.h"

#include "AppDatabase.h"
#include "DaoType.h"
#include "FieldText.h"
#include "IdSequence.h"
#include "Messages.h"
#include "Recordset.h"
#include "TextRoutines.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QDateTime>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimeEdit>
#include <QVBoxLayout>

namespace
{

const QString kUsDate = QStringLiteral("MM/dd/yyyy");
// 24-hour time with seconds: eight characters, as many as the column holds.
const QString kTimeForm = QStringLiteral("HH:mm:ss");
constexpr int ResultWidth = 60;

// Stored times in the form written here, or as other programs may have left them.
QTime StoredTime(const QString& text)
{
    for (const char* form : {"HH:mm:ss", "H:mm:ss", "H:mm", "h:mm:ss AP", "h:mm AP"}) {
        const QTime time = QTime::fromString(text, QString::fromLatin1(form));
        if (time.isValid())
            return time;
    }
    return QTime(0, 0);
}

} // namespace

frmComm::frmComm(QWidget* parent) : RecordEntryDialog(parent)
{
    BuildWindow();
}

frmComm::~frmComm() = default;

void frmComm::BuildWindow()
{
    setObjectName(QStringLiteral("frmComm"));
    setWindowTitle(tr("Patient Contact Entry"));

    auto* frame = new QGroupBox(this);
    frame->setObjectName(QStringLiteral("Frame1"));
    auto* heading = new QHBoxLayout(frame);
    heading->addWidget(lblFullName, 1);
    heading->addWidget(new QLabel(tr("ID"), frame));
    heading->addWidget(lblID);

    dtCallDate = new QDateEdit(this);
    dtCallDate->setObjectName(QStringLiteral("dtCallDate"));
    dtCallDate->setCalendarPopup(true);
    dtCallDate->setDisplayFormat(QStringLiteral("M/d/yyyy"));
    dtcalltime = new QTimeEdit(this);
    dtcalltime->setObjectName(QStringLiteral("dtcalltime"));
    dtcalltime->setDisplayFormat(kTimeForm);
    auto* when = new QFormLayout;
    when->addRow(tr("Call &Date"), dtCallDate);
    when->addRow(tr("Call &Time"), dtcalltime);

    auto* frmResults = new QGroupBox(tr("Contact Results"), this);
    frmResults->setObjectName(QStringLiteral("frmResults"));
    txtResult = new QLineEdit(frmResults);
    txtResult->setObjectName(QStringLiteral("txtResult"));
    txtResult->setMaxLength(ResultWidth);
    txtResult->setMinimumWidth(fontMetrics().averageCharWidth() * 45);
    chkSuccess = new QCheckBox(tr("Successfully co&ntacted"), frmResults);
    chkSuccess->setObjectName(QStringLiteral("chkSuccess"));
    auto* results = new QFormLayout(frmResults);
    results->addRow(tr("&Outcome"), txtResult);
    results->addRow(QString(), chkSuccess);

    cmdSave = new QPushButton(tr("&Save"), this);
    cmdSave->setObjectName(QStringLiteral("cmdSave"));
    cmdCancel = new QPushButton(tr("&Cancel"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    cmdSave->setAutoDefault(false);
    cmdCancel->setAutoDefault(false);
    connect(cmdSave, &QPushButton::clicked, this, &frmComm::SaveClicked);
    connect(cmdCancel, &QPushButton::clicked, this, &frmComm::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdSave);
    buttons->addWidget(cmdCancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frame);
    layout->addLayout(when);
    layout->addWidget(frmResults);
    layout->addStretch();
    layout->addLayout(buttons);
}

void frmComm::LoadObjectData(qint32 inCommID)
{
    bool found = false;
    const bool ran = RunReportingErrors([&] {
        auto rs = AppDatabase().OpenRecordset(
            QStringLiteral("SELECT * from Communications where id = ") + QString::number(inCommID));
        found = !rs->Eof();
        if (!found)
            return;
        lblID->setText(QString::number(FieldText(rs->Fields()["id"]).toLongLong()));
        dtCallDate->setDate(FieldText(rs->Fields()["calldate"]).toDateTime().date());
        dtcalltime->setTime(StoredTime(FieldText(rs->Fields()["calltime"]).toString()));
        txtResult->setText(FieldText(rs->Fields()["result"]).toString());
        chkSuccess->setChecked(FieldText(rs->Fields()["complete"]).toBool());
        rs->Close();
    });
    if (!ran || !found) {
        if (ran)
            ShowAttention(tr("This contact entry no longer exists. It may have been deleted on "
                             "another workstation."));
        ResetForm();
        return;
    }
    UnlockFields();
    AddingNew = false;
    TakeSnapshot();
}

void frmComm::ClearFields()
{
    dtCallDate->setDate(QDate::currentDate());
    dtcalltime->setTime(QTime::currentTime());
    txtResult->clear();
    chkSuccess->setChecked(false);
    lblID->clear();
}

void frmComm::LockFields()
{
    SetFieldsEnabled(false);
}

void frmComm::UnlockFields()
{
    SetFieldsEnabled(true);
}

void frmComm::SetFieldsEnabled(bool enabled)
{
    for (QWidget* field :
         std::initializer_list<QWidget*>{dtCallDate, txtResult, dtcalltime, chkSuccess, cmdSave})
        field->setEnabled(enabled);
}

void frmComm::TakeSnapshot()
{
    SavedCopy.SetCallDate(CallDateText());
    SavedCopy.SetCallTime(CallTimeText());
    SavedCopy.SetComplete(chkSuccess->isChecked());
    SavedCopy.SetResult(txtResult->text());
}

bool frmComm::HasUnsavedChanges() const
{
    return SavedCopy.CallDate() != CallDateText() || SavedCopy.CallTime() != CallTimeText() ||
           SavedCopy.Complete() != chkSuccess->isChecked() ||
           SavedCopy.Result() != txtResult->text();
}

bool frmComm::ValidateFields()
{
    if (!TrimText(CallTimeText()).isEmpty())
        return true;
    ShowAttention(QStringLiteral("One or more required fields are missing or invalid"));
    return false;
}

bool frmComm::InsertRecord()
{
    const auto sql = [this](qint32 id) {
        return QStringLiteral("INSERT INTO Communications (id, ptid, calldate, calltime, result, "
                              "complete) ") +
               QStringLiteral("VALUES (") + QString::number(id) + QStringLiteral(", ") +
               QString::number(ptId) + QStringLiteral(", #") + CallDateText() +
               QStringLiteral("#, '") + TrimText(CallTimeText()) + QStringLiteral("', '") +
               ResultText() + QStringLiteral("', ") + CompleteText() + QStringLiteral(")");
    };
    return RunReportingErrors([&] {
        const qint32 stored =
            InsertWithNewId(IdSequence::Communications, lblID->text().toInt(), sql, dbFailOnError);
        lblID->setText(QString::number(stored));
    });
}

bool frmComm::UpdateRecord()
{
    const QString id = QString::number(lblID->text().toInt());
    const QString sql =
        QStringLiteral("UPDATE Communications SET id =") + id + QStringLiteral(", ptid =") +
        QString::number(ptId) + QStringLiteral(", ") + QStringLiteral("calldate = #") +
        CallDateText() + QStringLiteral("#, calltime = '") + TrimText(CallTimeText()) +
        QStringLiteral("', ") + QStringLiteral("result = '") + ResultText() +
        QStringLiteral("', complete = ") + CompleteText() + QStringLiteral(" WHERE id = ") + id;
    bool updated = false;
    const bool ran = RunReportingErrors([&] {
        AppDatabase().Execute(sql, dbFailOnError);
        updated = AppDatabase().RecordsAffected() > 0;
    });
    if (ran && !updated)
        ShowAttention(tr("This contact entry no longer exists. It may have been deleted on "
                         "another workstation; your changes were not saved."));
    return updated;
}

QString frmComm::AnotherQuestion() const
{
    return QStringLiteral("Enter another Contact Entry?");
}

void frmComm::StartNextRecord()
{
    RunReportingErrors(
        [this] { lblID->setText(QString::number(NextId(IdSequence::Communications))); });
    dtCallDate->setFocus();
}

QString frmComm::CallDateText() const
{
    return dtCallDate->date().toString(kUsDate);
}

QString frmComm::CallTimeText() const
{
    return dtcalltime->time().toString(kTimeForm);
}

QString frmComm::ResultText() const
{
    return SqlQuote(TrimText(txtResult->text()));
}

QString frmComm::CompleteText() const
{
    return chkSuccess->isChecked() ? QStringLiteral("True") : QStringLiteral("False");
}
