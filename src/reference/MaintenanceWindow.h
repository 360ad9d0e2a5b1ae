#pragma once

#include "SearchReceiver.h"

#include <QDialog>
#include <QList>
#include <QString>
#include <QStringList>

class QLabel;
class QLineEdit;
class QPushButton;
class Recordset;
struct IdSequence;

// A window that keeps one reference list (doctors, drugs, health factors): adds, edits and
// deletes one record at a time. Three states: Idle (no record), Adding (a record not yet
// stored, its identifier shown) and Editing (a stored record). Subclasses state only their
// fields, texts and statements.
class MaintenanceWindow : public QDialog, public SearchReceiver {
    Q_OBJECT
public:
    // One entry box with its label; a search button beside it when searchName is set.
    struct Field {
        QString labelName;
        QString caption;
        QString boxName;
        int maxLength = 0;
        QString searchName;
        QString searchPreset;
    };

    struct Texts {
        QString windowName;
        QString title;
        QString frameName;
        QString frameCaption;
        QString idCaptionName;
        QString addCaption;
        QString cancelAddCaption;
        QString exitName;
        QString missingFields;
        QString enterAnother;
        QString deleteCancelled;
        // Names the record in the notice about a record no longer stored ("Doctor").
        QString recordName;
        QString searchKind;
        // Statements completed with the identifier.
        QString loadSql;
        QString linkCountSql;
        // Removes the record and its patient links.
        void (*deleteRecord)(const QString& id) = nullptr;
        const IdSequence* ids = nullptr;
    };

    ~MaintenanceWindow() override;

    // Starts a new record.
    void Init();
    // Shows the stored record with this identifier; 0 or less leaves the window idle.
    void Init(qint32 pID);

    // Every way of closing (Exit, the title bar, Escape) comes here and asks before
    // unsaved changes are dropped.
    void reject() override;

protected:
    MaintenanceWindow(QWidget* parent, Texts texts, QList<Field> fields);

    // The stored row as the subclass's record, handed to LoadObjectData.
    virtual void ShowStored(const Recordset& rs) = 0;
    virtual QString InsertSql(const QString& id) const = 0;
    virtual QString UpdateSql(const QString& id) const = 0;
    virtual QString LinkedQuestion() const = 0;
    virtual QString UnlinkedQuestion() const = 0;

    // What LoadObjectData does with a record: its texts in field order.
    void ShowRecord(qint32 id, const QStringList& texts);
    QLineEdit* Box(int field) const { return boxes.at(field); }
    // A box's text trimmed and quoted for SQL.
    QString SqlText(int field) const;

private:
    void BuildWindow(const QList<Field>& fields);
    QPushButton* AddButton(const QString& name, const QString& caption);
    void ResetForm();
    void StartAdding();
    void ShowAddMode();
    void ClearFields();
    void EnableFields(bool enabled);
    void TakeSnapshot();
    bool HasUnsavedChanges() const;
    bool FieldsFilled() const;
    QStringList ShownTexts() const;
    QString ShownId() const;
    void LoadById(qint32 id);
    void AddOrCancel();
    void Save();
    bool InsertShown();
    bool UpdateShown();
    void DeleteShown();
    void Search(const QString& preset);
    QString GoneNotice(const QString& id) const;

    Texts texts;
    QList<QLineEdit*> boxes;
    QLabel* lblID = nullptr;
    QPushButton* cmdAdd = nullptr;
    QPushButton* cmdSave = nullptr;
    QPushButton* cmdDelete = nullptr;
    bool AddingNew = false;
    QStringList SavedTexts;
};
