#pragma once

#include <QDialog>
#include <optional>

class QLabel;

// An editor of one record that is either being added or corrected: the adding flag, the
// states Adding, Editing and Empty, the "Enter another ...?" loop after adding, and the
// unsaved-changes question on every way of closing. Subclasses give their fields and
// statements.
class RecordEntryDialog : public QDialog
{
    Q_OBJECT
public:
    explicit RecordEntryDialog(QWidget* parent = nullptr);

    // For the patient of that name: the entry with that identifier, or a new one without.
    void Init(const QString& inFullName, qint32 pInPtID, std::optional<qint32> pID = std::nullopt);
    virtual void LoadObjectData(qint32 id) = 0;

    void reject() override;

protected:
    void SetAddMode();
    void ResetForm();
    // cmdSave: validate, then insert (offering another) or update.
    void SaveClicked();

    virtual void ClearFields() = 0;
    virtual void LockFields() = 0;
    virtual void UnlockFields() = 0;
    virtual void TakeSnapshot() = 0;
    virtual bool HasUnsavedChanges() const = 0;
    // Shows the attention box itself when it fails.
    virtual bool ValidateFields() = 0;
    // Each returns false when nothing was written (the user has been told why).
    virtual bool InsertRecord() = 0;
    virtual bool UpdateRecord() = 0;
    virtual QString AnotherQuestion() const = 0;
    // Shows the next free identifier and puts the focus on the first field.
    virtual void StartNextRecord() = 0;

    bool AddingNew = false;
    qint32 ptId = 0;
    // Made here, placed by each window: the patient's name and the entry's identifier.
    QLabel* lblFullName = nullptr;
    QLabel* lblID = nullptr;
};
