#include "RecordEntryDialog.h"

#include "Messages.h"
#include "PatientNameLabel.h"

#include <QLabel>

RecordEntryDialog::RecordEntryDialog(QWidget* parent)
    : QDialog(parent), lblFullName(NewPatientNameLabel(this)), lblID(new QLabel(this))
{
    lblID->setObjectName(QStringLiteral("lblID"));
    lblID->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("000000")));
}

void RecordEntryDialog::Init(const QString& inFullName, qint32 pInPtID, std::optional<qint32> pID)
{
    lblFullName->setText(inFullName);
    ptId = pInPtID;
    if (pID) {
        LoadObjectData(*pID);
        return;
    }
    AddingNew = true;
    SetAddMode();
    StartNextRecord();
    TakeSnapshot();
}

// Escape, the title bar's close button and the cancel button all come here.
void RecordEntryDialog::reject()
{
    if (HasUnsavedChanges() &&
        !AskQuestion(QStringLiteral("There are unsaved changes.  Are you sure you want to quit?")))
        return;
    QDialog::reject();
}

void RecordEntryDialog::SetAddMode()
{
    if (!AddingNew)
        return;
    ClearFields();
    UnlockFields();
}

void RecordEntryDialog::ResetForm()
{
    ClearFields();
    LockFields();
    AddingNew = false;
    SetAddMode();
    TakeSnapshot();
}

void RecordEntryDialog::SaveClicked()
{
    if (!ValidateFields())
        return;
    if (!AddingNew) {
        if (UpdateRecord()) {
            TakeSnapshot();
            accept();
        }
        return;
    }
    if (!InsertRecord())
        return;
    if (AskQuestion(AnotherQuestion())) {
        // The snapshot is of the cleared form, so leaving it untouched asks nothing.
        AddingNew = true;
        SetAddMode();
        StartNextRecord();
        TakeSnapshot();
    } else {
        ResetForm();
        accept();
    }
}
