#pragma once

#include "RecordEntryDialog.h"
#include "clsLabVisit.h"

#include <QList>

class QDateEdit;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class ResultBox;

// Entry and correction of one lab visit of one patient; shows the total/HDL ratio.
class frmLabWork : public RecordEntryDialog
{
    Q_OBJECT
public:
    explicit frmLabWork(QWidget* parent = nullptr);
    ~frmLabWork() override;

    void LoadObjectData(qint32 inLVID) override;

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
    void ShowRatio();
    QString LabDateText() const;
    void SetFieldsEnabled(bool enabled);
    // The eleven results as the statements write them, in the insert's column order.
    QStringList ResultValues() const;

    clsLabVisit SavedCopy;
    QList<ResultBox*> boxes;
    QDateEdit* DTLabDate = nullptr;
    QLabel* lblCh_LDL_Ratio = nullptr;
    QPlainTextEdit* txtInterventionNotes = nullptr;
    QPushButton* cmdSave = nullptr;
    QPushButton* cmdCancel = nullptr;
};
