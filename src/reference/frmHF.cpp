#include "frmHF.h"

#include "AskedDeletion.h"
#include "CascadeDeletes.h"
#include "FieldText.h"
#include "IdSequence.h"
#include "Recordset.h"
#include "TextRoutines.h"
#include "clsHealthFactor.h"

#include <QLineEdit>

namespace {

constexpr int kDesc = 0;

MaintenanceWindow::Texts windowTexts()
{
    return {
        .windowName = QStringLiteral("frmHF"),
        .title = QStringLiteral("Health Factors"),
        .frameName = QStringLiteral("Frame1"),
        .frameCaption = QStringLiteral("Health Factor Information"),
        .idCaptionName = QStringLiteral("Label1"),
        .addCaption = QStringLiteral("&Add New"),
        .cancelAddCaption = QStringLiteral("Cancel &Add"),
        .exitName = QStringLiteral("cmdEXit"),
        .missingFields = QStringLiteral("One or more required fields are missing or invalid."),
        .enterAnother = QStringLiteral("Enter another health factor?"),
        .deleteCancelled = QStringLiteral("Delete Cancelled"),
        .recordName = QStringLiteral("Health factor"),
        .searchKind = QStringLiteral("HealthFactor"),
        .loadSql = QStringLiteral("SELECT * from HealthFactors where condid = "),
        .linkCountSql =
            QStringLiteral("SELECT count(*) as hfsfound FROM PatientFactors where CondID = "),
        .deleteRecord = &DeleteHealthFactor,
        .ids = &IdSequence::HealthFactors,
    };
}

QList<MaintenanceWindow::Field> entryFields()
{
    // No search field is preselected.
    return {{QStringLiteral("lblDesc"), QStringLiteral("Description"), QStringLiteral("txtDesc"),
             50, QStringLiteral("cmdSearch"), QString()}};
}

} // namespace

frmHF::frmHF(QWidget* parent) : MaintenanceWindow(parent, windowTexts(), entryFields()) {}

void frmHF::LoadObjectData(const clsHealthFactor& inObjHF)
{
    ShowRecord(inObjHF.ID(), {inObjHF.Desc()});
}

void frmHF::ShowStored(const Recordset& rs)
{
    clsHealthFactor factor;
    factor.SetDesc(FieldText(rs.Fields()["conddesc"]).toString());
    factor.SetID(FieldText(rs.Fields()["condid"]).toInt());
    LoadObjectData(factor);
}

QString frmHF::InsertSql(const QString& id) const
{
    return QStringLiteral("INSERT INTO HealthFactors (CondID, conddesc) VALUES (") + id +
           QStringLiteral(", '") + SqlText(kDesc) + QStringLiteral("')");
}

QString frmHF::UpdateSql(const QString& id) const
{
    return QStringLiteral("UPDATE HealthFactors SET CondDesc = '") + SqlText(kDesc) +
           QStringLiteral("' WHERE condid = ") + id;
}

QString frmHF::LinkedQuestion() const
{
    return AskedDeletion::HealthFactorLinkedQuestion(TrimmedDesc());
}

QString frmHF::UnlinkedQuestion() const
{
    return AskedDeletion::PlainQuestion(TrimmedDesc());
}

QString frmHF::TrimmedDesc() const
{
    return TrimText(Box(kDesc)->text());
}
