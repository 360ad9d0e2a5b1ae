#pragma once

#include "SearchReceiver.h"

#include <QDialog>
#include <QString>

class QLabel;
class QLineEdit;
class QPushButton;
class Recordset;

// Links one patient to one item of a reference list (a drug, a health factor) with a
// comment, or corrects the comment of such a link. The item is picked through the search
// and cannot be changed once linked; a second link to the same item is refused. Subclasses
// give their statements, messages and the record the search hands back.
class LinkAssignDialog : public QDialog, public SearchReceiver
{
    Q_OBJECT
public:
    ~LinkAssignDialog() override;

    // A new link for the patient of that name.
    void Init(qint32 inPtID, const QString& inPtFullName);
    // The patient's link to that item, for its comment.
    void Init(qint32 inPtID, const QString& inPtFullName, qint32 inItemID);
    // Opens modally, for the link to that item or, with 0, for a new link.
    void OpenFor(qint32 inPtID, const QString& inPtFullName, qint32 inItemID);

protected:
    explicit LinkAssignDialog(QWidget* parent);

    // Builds the window; called by the subclass constructor.
    void BuildWindow(const QString& title);
    qint32 PatientId() const { return ptId; }
    // Reads the patient's link to the item and hands the row to ShowRow.
    void LoadLink(qint32 itemId);
    // What the loads and the search end in: the chosen item and the comment to show.
    void ShowItem(qint32 itemId, const QString& desc, const QString& comment);

    virtual QString SearchKind() const = 0;
    virtual QString SearchField() const = 0;
    virtual QString LoadSql(qint32 itemId) const = 0;
    virtual void ShowRow(const Recordset& rs) = 0;
    virtual QString NothingChosenMessage() const = 0;
    virtual QString AlreadyAssignedMessage(const QString& desc) const = 0;
    virtual QString CountSql(qint32 itemId) const = 0;
    // The comment comes trimmed and quoted for SQL.
    virtual QString InsertSql(qint32 itemId, const QString& comment) const = 0;
    virtual QString UpdateSql(qint32 itemId, const QString& comment) const = 0;

private:
    void StartAdding();
    void OkClicked();
    // Writes the link; false when the item was linked already.
    bool WriteLink(const QString& comment);

    qint32 ptId = 0;
    // -1 while no item is chosen.
    qint32 chosenId = -1;
    bool adding = true;
    QLabel* lblFullName = nullptr;
    QLabel* lblDesc = nullptr;
    QPushButton* cmdSearch = nullptr;
    QLineEdit* txtComment = nullptr;
    QPushButton* cmdAdd = nullptr;
    QPushButton* cmdCancel = nullptr;
};
