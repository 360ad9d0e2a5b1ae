#pragma once

#include "SearchReceiver.h"
#include "clsDoctor.h"

#include <QDialog>
#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;

// Links a patient to the patient's one doctor, with a comment. The doctor is the stored
// one with the typed names; a doctor not stored yet is added on the spot.
class frmAssDc2 : public QDialog, public SearchReceiver
{
    Q_OBJECT
public:
    explicit frmAssDc2(QWidget* parent = nullptr);
    ~frmAssDc2() override;

    // A new link for the patient of that name.
    void Init(qint32 inPtID, const QString& inPtFullName);
    // The patient's link to that doctor.
    void Init(qint32 inPtID, const QString& inPtFullName, qint32 inDocID);
    void LoadDoctor(qint32 inDocID);
    // A doctor picked in the search: the typed comment stays.
    using SearchReceiver::LoadObjectData;
    void LoadObjectData(const clsDoctor& inObjDoctor) override;
    void LoadObjectData(const clsDoctor& inObjDoctor, const QString& inComment);

private:
    void BuildWindow();
    QPushButton* NewSearchButton(const char* name, const QString& field);
    void OkClicked();
    // The stored doctor of that name, added when there is none; then the patient's link.
    void SaveLink(const QString& last, const QString& first, const QString& comment);
    void DeleteClicked();
    void SetLinkedDoctor(std::optional<clsDoctor> doctor);

    qint32 ptId = 0;
    // The doctor of the stored link this window shows: the one Delete removes.
    std::optional<clsDoctor> linkedDoctor;
    QLabel* lblFullName = nullptr;
    QLineEdit* txtLName = nullptr;
    QLineEdit* txtFName = nullptr;
    QPushButton* cmdLast = nullptr;
    QPushButton* cmdSearchFN = nullptr;
    QLineEdit* txtComment = nullptr;
    QPushButton* cmdAdd = nullptr;
    QPushButton* cmdCancel = nullptr;
    QPushButton* cmdDelete = nullptr;
};
