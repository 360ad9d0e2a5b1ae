#include "LinkAssignDialog.h"

#include "PatientNameLabel.h"

#include "MagnifierIcon.h"
#include "frmSearch.h"

#include "AppDatabase.h"
#include "DaoType.h"
#include "FieldText.h"
#include "Messages.h"
#include "QueryDef.h"
#include "TextRoutines.h"
#include "WriteTransaction.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

LinkAssignDialog::LinkAssignDialog(QWidget* parent) : QDialog(parent) {}

LinkAssignDialog::~LinkAssignDialog() = default;

void LinkAssignDialog::BuildWindow(const QString& title)
{
    setObjectName(QString::fromLatin1(metaObject()->className()));
    setWindowTitle(title);

    lblFullName = NewPatientNameLabel(this);
    QGroupBox* frame = NewPatientNameFrame(lblFullName, this);

    auto* label3 = new QLabel(tr("Description"), this);
    label3->setObjectName(QStringLiteral("Label3"));
    lblDesc = new QLabel(this);
    lblDesc->setObjectName(QStringLiteral("lblDesc"));
    lblDesc->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    lblDesc->setTextInteractionFlags(Qt::TextSelectableByMouse);
    lblDesc->setMinimumWidth(fontMetrics().averageCharWidth() * 30);
    cmdSearch = new QPushButton(this);
    cmdSearch->setObjectName(QStringLiteral("cmdSearch"));
    cmdSearch->setIcon(MagnifierIcon(cmdSearch->palette()));
    cmdSearch->setToolTip(tr("Search"));
    cmdSearch->setAccessibleName(tr("Search"));
    connect(cmdSearch, &QPushButton::clicked, this,
            [this] { OpenSearch(this, *this, SearchKind(), SearchField()); });
    auto* chosen = new QHBoxLayout;
    chosen->addWidget(lblDesc, 1);
    chosen->addWidget(cmdSearch);

    auto* label1 = new QLabel(tr("Comment"), this);
    label1->setObjectName(QStringLiteral("Label1"));
    txtComment = new QLineEdit(this);
    txtComment->setObjectName(QStringLiteral("txtComment"));
    label1->setBuddy(txtComment);

    cmdAdd = new QPushButton(tr("&OK"), this);
    cmdAdd->setObjectName(QStringLiteral("cmdAdd"));
    cmdAdd->setDefault(true);
    cmdCancel = new QPushButton(tr("&Cancel"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    cmdSearch->setAutoDefault(false);
    cmdCancel->setAutoDefault(false);
    connect(cmdAdd, &QPushButton::clicked, this, &LinkAssignDialog::OkClicked);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdAdd);
    buttons->addWidget(cmdCancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frame);
    layout->addWidget(label3);
    layout->addLayout(chosen);
    layout->addWidget(label1);
    layout->addWidget(txtComment);
    layout->addStretch();
    layout->addLayout(buttons);
}

void LinkAssignDialog::Init(qint32 inPtID, const QString& inPtFullName)
{
    ptId = inPtID;
    lblFullName->setText(inPtFullName);
    StartAdding();
}

void LinkAssignDialog::Init(qint32 inPtID, const QString& inPtFullName, qint32 inItemID)
{
    Init(inPtID, inPtFullName);
    adding = false;
    cmdSearch->setEnabled(false);
    txtComment->setFocus();
    LoadLink(inItemID);
}

void LinkAssignDialog::OpenFor(qint32 inPtID, const QString& inPtFullName, qint32 inItemID)
{
    if (inItemID > 0)
        Init(inPtID, inPtFullName, inItemID);
    else
        Init(inPtID, inPtFullName);
    exec();
}

void LinkAssignDialog::StartAdding()
{
    adding = true;
    chosenId = -1;
    lblDesc->clear();
    txtComment->clear();
    cmdSearch->setEnabled(true);
    cmdSearch->setFocus();
}

void LinkAssignDialog::LoadLink(qint32 itemId)
{
    bool found = false;
    const bool ran = RunReportingErrors([&] {
        QueryDef query = AppDatabase().CreateQueryDef();
        query.SetSQL(LoadSql(itemId));
        auto rs = query.OpenRecordset(dbOpenForwardOnly);
        found = !rs->Eof();
        if (found)
            ShowRow(*rs);
        rs->Close();
    });
    // A link removed meanwhile cannot be corrected; the window offers a new one instead.
    if (ran && !found && !adding) {
        ShowAttention(tr("This assignment no longer exists. It may have been removed on "
                         "another workstation."));
        StartAdding();
    }
}

void LinkAssignDialog::ShowItem(qint32 itemId, const QString& desc, const QString& comment)
{
    chosenId = itemId;
    lblDesc->setText(desc);
    txtComment->setText(comment);
}

// An item whose name is blank is chosen all the same: the identifier tells, not the caption.
void LinkAssignDialog::OkClicked()
{
    if (chosenId < 0) {
        ShowAttention(NothingChosenMessage());
        return;
    }
    bool written = false;
    if (!RunReportingErrors([&] { written = WriteLink(SqlQuote(TrimText(txtComment->text()))); }))
        return;
    if (!written)
        ShowAttention(AlreadyAssignedMessage(lblDesc->text()));
    accept();
}

bool LinkAssignDialog::WriteLink(const QString& comment)
{
    QueryDef query = AppDatabase().CreateQueryDef();
    if (!adding) {
        query.SetSQL(UpdateSql(chosenId, comment));
        query.Execute(dbFailOnError);
        return true;
    }
    // Count and insert as one write, so that two workstations cannot both add the link.
    WriteTransaction transaction(AppDatabase());
    query.SetSQL(CountSql(chosenId));
    auto rs = query.OpenRecordset(dbOpenForwardOnly);
    const bool linked = FieldText(rs->Fields()[0]).toLongLong() > 0;
    rs->Close();
    if (linked)
        return false;
    query.SetSQL(InsertSql(chosenId, comment));
    query.Execute(dbFailOnError);
    transaction.Commit();
    return true;
}
