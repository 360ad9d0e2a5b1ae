#include "frmDrugs.h"

#include "AskedDeletion.h"
#include "CascadeDeletes.h"
#include "DrugNameValidator.h"
#include "FieldText.h"
#include "IdSequence.h"
#include "Recordset.h"
#include "TextRoutines.h"
#include "clsDrug.h"

#include <QLineEdit>

namespace {

constexpr int kName = 0;

MaintenanceWindow::Texts windowTexts()
{
    return {
        .windowName = QStringLiteral("frmDrugs"),
        .title = QStringLiteral("Drug Maintenance"),
        .frameName = QStringLiteral("Frame1"),
        .frameCaption = QStringLiteral("Drug Information"),
        .idCaptionName = QStringLiteral("label1"),
        .addCaption = QStringLiteral("Add Drug"),
        .cancelAddCaption = QStringLiteral("Cancel Add"),
        .exitName = QStringLiteral("cmdExit"),
        .missingFields = QStringLiteral("One or more required fields are missing or invalid."),
        .enterAnother = QStringLiteral("Enter another Drug?"),
        .deleteCancelled = QStringLiteral("Delete cancelled"),
        .recordName = QStringLiteral("Drug"),
        .searchKind = QStringLiteral("Drug"),
        .loadSql = QStringLiteral("SELECT * from Drugs where drugid = "),
        .linkCountSql =
            QStringLiteral("SELECT count(*) as drugsfound FROM Schedule where DrugID = "),
        .deleteRecord = &DeleteDrug,
        .ids = &IdSequence::Drugs,
    };
}

QList<MaintenanceWindow::Field> entryFields()
{
    // The column's 20 characters, of which the validator leaves the last to the sign.
    return {{QStringLiteral("lblDesc"), QStringLiteral("Name"), QStringLiteral("txtDesc"),
             DrugNameValidator::kNameLength + 1, QStringLiteral("cmdSearch"),
             QStringLiteral("Name")}};
}

} // namespace

frmDrugs::frmDrugs(QWidget* parent) : MaintenanceWindow(parent, windowTexts(), entryFields())
{
    Box(kName)->setValidator(new DrugNameValidator(Box(kName)));
}

void frmDrugs::LoadObjectData(const clsDrug& inObjDrug)
{
    ShowRecord(inObjDrug.DrugID(), {inObjDrug.DrugDesc()});
}

void frmDrugs::ShowStored(const Recordset& rs)
{
    clsDrug drug;
    drug.SetDrugDesc(FieldText(rs.Fields()["drugdesc"]).toString());
    drug.SetDrugID(FieldText(rs.Fields()["drugid"]).toInt());
    LoadObjectData(drug);
}

QString frmDrugs::InsertSql(const QString& id) const
{
    return QStringLiteral("INSERT INTO Drugs (DrugID, DrugDesc) VALUES (") + id +
           QStringLiteral(", '") + StoredName() + QStringLiteral("')");
}

QString frmDrugs::UpdateSql(const QString& id) const
{
    return QStringLiteral("UPDATE Drugs SET DrugDesc = '") + StoredName() +
           QStringLiteral("' WHERE Drugid = ") + id;
}

QString frmDrugs::LinkedQuestion() const
{
    return AskedDeletion::DrugLinkedQuestion(TrimText(Box(kName)->text()));
}

QString frmDrugs::UnlinkedQuestion() const
{
    return QStringLiteral("Are you Sure you want to delete ") + Box(kName)->text() +
           QStringLiteral("?");
}

QString frmDrugs::StoredName() const
{
    return DrugNameValidator::WithSign(SqlText(kName));
}
