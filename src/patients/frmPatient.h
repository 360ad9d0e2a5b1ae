#pragma once

#include "SearchReceiver.h"
#include "clsPatient.h"

#include <QDate>
#include <QDialog>
#include <QList>
#include <memory>

namespace Ui { class frmPatient; }
class PatientItemList;
class QLineEdit;
class QPushButton;

// Patient maintenance: adds, shows, changes and deletes one patient at a time, holds the
// patient's next call date and opens the patient's own lists. Three states: Empty (no
// patient), Adding (a patient not yet stored) and Editing (a stored patient).
class frmPatient : public QDialog, public SearchReceiver {
    Q_OBJECT
public:
    explicit frmPatient(QWidget* parent = nullptr);
    ~frmPatient() override;

    // Starts a new patient.
    void Init();
    // Shows the patient with this identifier; 0 or less leaves the window empty.
    void Init(qint32 inPtID);
    // Reads the patient and shows it; a patient that cannot be read or is not stored (any
    // more) leaves the window empty after saying so.
    void LoadPatientID(qint32 inPtID);
    // Shows the record and makes it the patient being edited.
    void LoadObjectData(const clsPatient& inObjPatient) override;

    // Every way of closing (Exit, the title bar, Escape) comes here and asks before
    // unsaved changes are dropped.
    void reject() override;

private:
    void connectControls();
    void ResetForm();
    void NewPatient();
    void SetAddMode();
    void ClearFields();
    void LockFields();
    void UnlockFields();
    void TakeSnapshot();
    bool HasUnsavedChanges() const;
    bool ValidateFields();
    bool NumbersAreValid();
    void SaveRecord();
    bool InsertPatient();
    bool UpdatePatient();
    void ShowRecentLevels();
    static qint16 AgeInYears(QDate birthDate);
    void ShowAge(const QString& birthDate);
    void AddOrCancel();
    void DeleteShown();
    void Save();
    void ShowPatientList(PatientItemList& list);
    void ShowDoctor();
    void SearchBy(const QString& field);

    // The window's values as they stand: the box texts, the sex list text, the picker's
    // date and the numbers (0 for an empty box).
    clsPatient ShownValues() const;
    // The values to store: as shown, with the no-date value unless "Notify" is ticked.
    clsPatient EnteredValues() const;
    QString DisplayName() const;
    QList<QLineEdit*> EntryBoxes() const;
    QList<QPushButton*> RecordButtons() const;
    QList<QPushButton*> ListButtons() const;
    void EnableButtons(const QList<QPushButton*>& buttons, bool enabled);

    std::unique_ptr<Ui::frmPatient> ui;
    bool AddingNew = false;
    clsPatient SavedCopy;
};
