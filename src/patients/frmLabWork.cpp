#include "frmLabWork.h"

#include "AppDatabase.h"
#include "DaoType.h"
#include "FieldText.h"
#include "IdSequence.h"
#include "Messages.h"
#include "Recordset.h"
#include "ResultBox.h"
#include "TextRoutines.h"

#include <QDateEdit>
#include <QDateTime>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <array>
#include <cstdlib>

namespace
{

// One result: its box, caption, column and place in the record. Listed in the order of
// the insert statement's columns, which is also the boxes' order on screen.
struct ResultField {
    const char* objectName;
    const char* caption;
    const char* column;
    qint32 (clsLabVisit::*get)() const;
    void (clsLabVisit::*set)(qint32);
};

const std::array<ResultField, 11> kResults{{
    {"txtOverallCL", "&Cholesterol", "overallcl", &clsLabVisit::OverallCL,
     &clsLabVisit::SetOverallCL},
    {"txtHDL", "&HDL", "hdl", &clsLabVisit::HDL, &clsLabVisit::SetHDL},
    {"txtLDL", "&LDL", "ldl", &clsLabVisit::LDL, &clsLabVisit::SetLDL},
    {"txtLp_a", "LP(&a)", "lp_a", &clsLabVisit::LP_a, &clsLabVisit::SetLP_a},
    {"txtTriglyc", "Tri&glycerides", "triglycerides", &clsLabVisit::Triglycerides,
     &clsLabVisit::SetTriglycerides},
    {"txtHMCYST", "H&MCYST", "hmcyst", &clsLabVisit::HMCYST, &clsLabVisit::SetHMCYST},
    {"txtCRP", "C&RP", "crp", &clsLabVisit::CRP, &clsLabVisit::SetCRP},
    {"txtSGOTAST", "SG&OT/AST", "sgot_ast", &clsLabVisit::SGOT_AST, &clsLabVisit::SetSGOT_AST},
    {"txtSGPTALT", "SG&PT/ALT", "sgpt_alt", &clsLabVisit::SGPT_ALT, &clsLabVisit::SetSGPT_ALT},
    {"txtCPK", "CP&K", "cpk", &clsLabVisit::CPK, &clsLabVisit::SetCPK},
    {"txtTSH", "&TSH", "tsh", &clsLabVisit::TSH, &clsLabVisit::SetTSH},
}};

constexpr int TotalBox = 0;
constexpr int HdlBox = 1;
constexpr int LdlBox = 2;
constexpr int BoxesPerColumn = 6;

const QString kUsDate = QStringLiteral("MM/dd/yyyy");

QString Today()
{
    return QDate::currentDate().toString(kUsDate);
}

// total / hdl rounded to two places, a half going to the even digit, without trailing
// zeros: 200/50 gives "4", 210/45 gives "4.67". Exact integer arithmetic, so a quotient
// that is a half in decimal is one.
QString RatioText(qint64 total, qint64 hdl)
{
    const bool negative = (total < 0) != (hdl < 0);
    const qint64 numerator = std::llabs(total) * 100;
    const qint64 divisor = std::llabs(hdl);
    qint64 hundredths = numerator / divisor;
    const qint64 twiceRest = 2 * (numerator % divisor);
    if (twiceRest > divisor || (twiceRest == divisor && hundredths % 2 == 1))
        ++hundredths;
    QString text = QString::number(hundredths / 100);
    const qint64 cents = hundredths % 100;
    if (cents != 0)
        text += u'.' + (cents % 10 == 0 ? QString::number(cents / 10)
                                        : QStringLiteral("%1").arg(cents, 2, 10, QChar(u'0')));
    return negative && hundredths != 0 ? u'-' + text : text;
}

} // namespace

frmLabWork::frmLabWork(QWidget* parent) : RecordEntryDialog(parent)
{
    BuildWindow();
}

frmLabWork::~frmLabWork() = default;

void frmLabWork::BuildWindow()
{
    setObjectName(QStringLiteral("frmLabWork"));
    setWindowTitle(tr("Lab Work Results"));

    DTLabDate = new QDateEdit(this);
    DTLabDate->setObjectName(QStringLiteral("DTLabDate"));
    DTLabDate->setCalendarPopup(true);
    DTLabDate->setDisplayFormat(QStringLiteral("M/d/yyyy"));
    auto* dateCaption = new QLabel(tr("Lab &Date"), this);
    dateCaption->setBuddy(DTLabDate);

    auto* heading = new QHBoxLayout;
    heading->addWidget(lblFullName, 1);
    heading->addWidget(new QLabel(tr("ID"), this));
    heading->addWidget(lblID);
    auto* dateRow = new QHBoxLayout;
    dateRow->addWidget(dateCaption);
    dateRow->addWidget(DTLabDate);
    dateRow->addStretch();

    auto* frmResults = new QGroupBox(tr("Results"), this);
    frmResults->setObjectName(QStringLiteral("frmResults"));
    auto* resultGrid = new QGridLayout(frmResults);
    for (int i = 0; i < int(kResults.size()); ++i) {
        auto* box = new ResultBox(frmResults);
        box->setObjectName(QString::fromLatin1(kResults[i].objectName));
        auto* caption = new QLabel(tr(kResults[i].caption), frmResults);
        caption->setBuddy(box);
        const int row = i % BoxesPerColumn;
        const int column = 2 * (i / BoxesPerColumn);
        resultGrid->addWidget(caption, row, column);
        resultGrid->addWidget(box, row, column + 1);
        boxes.append(box);
    }
    lblCh_LDL_Ratio = new QLabel(frmResults);
    lblCh_LDL_Ratio->setObjectName(QStringLiteral("lblCh_LDL_Ratio"));
    resultGrid->addWidget(new QLabel(tr("Chol/HDL"), frmResults), BoxesPerColumn - 1, 2);
    resultGrid->addWidget(lblCh_LDL_Ratio, BoxesPerColumn - 1, 3);
    resultGrid->setColumnMinimumWidth(2, fontMetrics().horizontalAdvance(QStringLiteral("    ")));
    connect(boxes[HdlBox], &QLineEdit::editingFinished, this, &frmLabWork::ShowRatio);
    connect(boxes[TotalBox], &QLineEdit::editingFinished, this, &frmLabWork::ShowRatio);

    auto* frmIntervention = new QGroupBox(tr("&Intervention"), this);
    frmIntervention->setObjectName(QStringLiteral("frmIntervention"));
    txtInterventionNotes = new QPlainTextEdit(frmIntervention);
    txtInterventionNotes->setObjectName(QStringLiteral("txtInterventionNotes"));
    txtInterventionNotes->setTabChangesFocus(true);
    (new QVBoxLayout(frmIntervention))->addWidget(txtInterventionNotes);

    cmdSave = new QPushButton(tr("&Save"), this);
    cmdSave->setObjectName(QStringLiteral("cmdSave"));
    cmdCancel = new QPushButton(tr("E&xit"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    cmdSave->setAutoDefault(false);
    cmdCancel->setAutoDefault(false);
    connect(cmdSave, &QPushButton::clicked, this, &frmLabWork::SaveClicked);
    connect(cmdCancel, &QPushButton::clicked, this, &frmLabWork::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdSave);
    buttons->addWidget(cmdCancel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(heading);
    layout->addLayout(dateRow);
    layout->addWidget(frmResults);
    layout->addWidget(frmIntervention, 1);
    layout->addLayout(buttons);
}

void frmLabWork::LoadObjectData(qint32 inLVID)
{
    bool found = false;
    const bool ran = RunReportingErrors([&] {
        auto rs = AppDatabase().OpenRecordset(
            QStringLiteral("SELECT * from LabVisits where id = ") + QString::number(inLVID));
        found = !rs->Eof();
        if (!found)
            return;
        for (int i = 0; i < int(kResults.size()); ++i) {
            const qint64 value = FieldText(rs->Fields()[kResults[i].column]).toLongLong();
            boxes[i]->setText(BlankIfZero(QString::number(value)));
        }
        txtInterventionNotes->setPlainText(FieldText(rs->Fields()["the_intervention"]).toString());
        DTLabDate->setDate(FieldText(rs->Fields()["labdate"]).toDateTime().date());
        lblID->setText(QString::number(FieldText(rs->Fields()["id"]).toLongLong()));
        rs->Close();
    });
    if (!ran || !found) {
        if (ran)
            ShowAttention(tr("This lab visit no longer exists. It may have been deleted on another "
                             "workstation."));
        ResetForm();
        return;
    }
    ShowRatio();
    UnlockFields();
    AddingNew = false;
    TakeSnapshot();
}

void frmLabWork::ClearFields()
{
    for (ResultBox* box : boxes)
        box->clear();
    txtInterventionNotes->clear();
    DTLabDate->setDate(QDate::currentDate());
    lblCh_LDL_Ratio->clear();
    lblID->clear();
}

void frmLabWork::LockFields()
{
    SetFieldsEnabled(false);
}

void frmLabWork::UnlockFields()
{
    SetFieldsEnabled(true);
}

void frmLabWork::SetFieldsEnabled(bool enabled)
{
    for (ResultBox* box : boxes)
        box->setEnabled(enabled);
    txtInterventionNotes->setEnabled(enabled);
    DTLabDate->setEnabled(enabled);
    cmdSave->setEnabled(enabled);
}

void frmLabWork::TakeSnapshot()
{
    for (int i = 0; i < int(kResults.size()); ++i)
        (SavedCopy.*kResults[i].set)(boxes[i]->Value());
    SavedCopy.SetIntervention(txtInterventionNotes->toPlainText());
    SavedCopy.SetLabDate(LabDateText());
    SavedCopy.SetID(lblID->text().toInt());
    SavedCopy.SetAddDate(qint32(QDate(1899, 12, 30).daysTo(QDate::currentDate())));
}

bool frmLabWork::HasUnsavedChanges() const
{
    for (int i = 0; i < int(kResults.size()); ++i) {
        if ((SavedCopy.*kResults[i].get)() != boxes[i]->Value())
            return true;
    }
    return SavedCopy.Intervention() != txtInterventionNotes->toPlainText() ||
           SavedCopy.LabDate() != LabDateText();
}

bool frmLabWork::ValidateFields()
{
    for (int required : {TotalBox, HdlBox, LdlBox}) {
        if (boxes[required]->Value() == 0) {
            ShowAttention(QStringLiteral("One or more required fields are missing or invalid'"));
            return false;
        }
    }
    return true;
}

bool frmLabWork::InsertRecord()
{
    const QString values = ResultValues().join(QStringLiteral(", "));
    const QString notes = SqlQuote(TrimText(txtInterventionNotes->toPlainText()));
    const auto sql = [&](qint32 id) {
        return QStringLiteral("INSERT INTO LabVisits (id, ptid, labdate, overallcl, hdl, ldl, ") +
               QStringLiteral("lp_a, triglycerides, hmcyst, crp, sgot_ast, sgpt_alt, cpk, tsh, ") +
               QStringLiteral("the_intervention, adddate) ") + QStringLiteral("VALUES (") +
               QString::number(id) + QStringLiteral(", ") + QString::number(ptId) +
               QStringLiteral(", #") + LabDateText() + QStringLiteral("#, ") + values +
               QStringLiteral(", '") + notes + QStringLiteral("', #") + Today() +
               QStringLiteral("#)");
    };
    return RunReportingErrors([&] {
        const qint32 stored =
            InsertWithNewId(IdSequence::LabVisits, lblID->text().toInt(), sql, dbFailOnError);
        lblID->setText(QString::number(stored));
    });
}

bool frmLabWork::UpdateRecord()
{
    const QStringList values = ResultValues();
    QString sql =
        QStringLiteral("UPDATE LabVisits SET labdate = #") + LabDateText() + QStringLiteral("#");
    for (int i = 0; i < int(kResults.size()); ++i)
        sql += QStringLiteral(", ") + QString::fromLatin1(kResults[i].column) +
               QStringLiteral(" = ") + values[i];
    sql += QStringLiteral(", the_intervention = '") +
           SqlQuote(TrimText(txtInterventionNotes->toPlainText())) + QStringLiteral("', ") +
           QStringLiteral("AddDate = #") + Today() + QStringLiteral("# WHERE id = ") +
           TrimText(lblID->text());
    bool updated = false;
    const bool ran = RunReportingErrors([&] {
        AppDatabase().Execute(sql);
        updated = AppDatabase().RecordsAffected() > 0;
    });
    if (ran && !updated)
        ShowAttention(tr("This lab visit no longer exists. It may have been deleted on another "
                         "workstation; your changes were not saved."));
    return updated;
}

QString frmLabWork::AnotherQuestion() const
{
    return QStringLiteral("Enter another Lab Work Visit?");
}

void frmLabWork::StartNextRecord()
{
    RunReportingErrors([this] { lblID->setText(QString::number(NextId(IdSequence::LabVisits))); });
    DTLabDate->setFocus();
}

// Shows total/HDL when both are entered; nothing when HDL is 0 or either is missing, so
// the label never shows a ratio of other values than those in the boxes.
void frmLabWork::ShowRatio()
{
    const qint32 total = boxes[TotalBox]->Value();
    const qint32 hdl = boxes[HdlBox]->Value();
    const bool bothEntered =
        !TrimText(boxes[TotalBox]->text()).isEmpty() && !TrimText(boxes[HdlBox]->text()).isEmpty();
    lblCh_LDL_Ratio->setText(bothEntered && hdl != 0 ? RatioText(total, hdl) : QString());
}

QString frmLabWork::LabDateText() const
{
    return DTLabDate->date().toString(kUsDate);
}

QStringList frmLabWork::ResultValues() const
{
    QStringList values;
    for (const ResultBox* box : boxes)
        values.append(QString::number(box->Value()));
    return values;
}
