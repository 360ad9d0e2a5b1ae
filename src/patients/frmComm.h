#pragma once

#include "RecordEntryDialog.h"
#include "clsComm.h"


class QCheckBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimeEdit;

// Entry and correction of one attempt to reach a patient. Writes only the contact row:
// the patient's call date stays as it is.
class frmComm : public RecordEntryDialog
{
    Q_OBJECT
public:
    explicit frmComm(QWidget* parent = nullptr);
    ~frmComm() override;

    void LoadObjectData(qint32 inCommID) override;

protected:
    void ClearFields() override;
    void LockFields() override;
    void UnlockFields() override;
    void TakeSnapshot() override;
    bool HasUnsavedChanges() const override;
    bool ValidateFields() override;
    bool InsertRecord() override;
    bool UpdateRecord() override;
    QString AnotherQuestion() const override;
    void StartNextRecord() override;

private:
    void BuildWindow();
    QString CallDateText() const;
    QString CallTimeText() const;
    QString ResultText() const;
    QString CompleteText() const;
    void SetFieldsEnabled(bool enabled);

    clsComm SavedCopy;
    QDateEdit* dtCallDate = nullptr;
    QTimeEdit* dtcalltime = nullptr;
    QLineEdit* txtResult = nullptr;
    QCheckBox* chkSuccess = nullptr;
    QPushButton* cmdSave = nullptr;
    QPushButton* cmdCancel = nullptr;
};
