#pragma once

#include "RecordEntryDialog.h"
#include "clsComm.h"

#include <optional>

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

    // Without an entry identifier a new entry is made.
    void Init(const QString& inFullName, qint32 pInPtID, std::optional<qint32> pID = std::nullopt);
    void LoadObjectData(qint32 inCommID);

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

    qint32 ptId = 0;
    clsComm SavedCopy;
    QLabel* lblFullName = nullptr;
    QLabel* lblID = nullptr;
    QDateEdit* dtCallDate = nullptr;
    QTimeEdit* dtcalltime = nullptr;
    QLineEdit* txtResult = nullptr;
    QCheckBox* chkSuccess = nullptr;
    QPushButton* cmdSave = nullptr;
    QPushButton* cmdCancel = nullptr;
};
