#include "MaintenanceWindow.h"

#include "AppDatabase.h"
#include "AskedDeletion.h"
#include "DaoType.h"
#include "IdSequence.h"
#include "MagnifierIcon.h"
#include "Messages.h"
#include "QueryDef.h"
#include "TextRoutines.h"
#include "frmSearch.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString kUnsaved =
    QStringLiteral("There are unsaved changes.  Are you sure you want to quit?");

} // namespace

MaintenanceWindow::MaintenanceWindow(QWidget* parent, Texts windowTexts, QList<Field> fields)
    : QDialog(parent), texts(std::move(windowTexts))
{
    setObjectName(texts.windowName);
    setWindowTitle(texts.title);
    BuildWindow(fields);
}

MaintenanceWindow::~MaintenanceWindow() = default;

void MaintenanceWindow::BuildWindow(const QList<Field>& fields)
{
    auto* frame = new QGroupBox(texts.frameCaption, this);
    frame->setObjectName(texts.frameName);
    auto* grid = new QGridLayout(frame);
    auto* idCaption = new QLabel(tr("ID"), frame);
    idCaption->setObjectName(texts.idCaptionName);
    lblID = new QLabel(frame);
    lblID->setObjectName(QStringLiteral("lblID"));
    lblID->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    lblID->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("0000000000")));
    lblID->setTextInteractionFlags(Qt::TextSelectableByMouse);
    grid->addWidget(idCaption, 0, 0);
    grid->addWidget(lblID, 0, 1, Qt::AlignLeft);

    QList<QWidget*> tabOrder;
    QList<QWidget*> searchButtons;
    for (const Field& field : fields) {
        const int row = int(boxes.size()) + 1;
        auto* label = new QLabel(field.caption, frame);
        label->setObjectName(field.labelName);
        auto* box = new QLineEdit(frame);
        box->setObjectName(field.boxName);
        // The column's width: nothing typed is cut off when stored.
        box->setMaxLength(field.maxLength);
        box->setMinimumWidth(fontMetrics().averageCharWidth() * (qMin(field.maxLength, 40) + 2));
        label->setBuddy(box);
        grid->addWidget(label, row, 0);
        grid->addWidget(box, row, 1);
        boxes.append(box);
        tabOrder.append(box);
        if (!field.searchName.isEmpty()) {
            auto* search = new QPushButton(frame);
            search->setObjectName(field.searchName);
            search->setIcon(MagnifierIcon(palette()));
            search->setToolTip(field.searchPreset.isEmpty()
                                   ? tr("Search")
                                   : tr("Search by %1").arg(field.searchPreset));
            search->setAccessibleName(search->toolTip());
            search->setAutoDefault(false);
            connect(search, &QPushButton::clicked, this,
                    [this, preset = field.searchPreset] { Search(preset); });
            grid->addWidget(search, row, 2);
            searchButtons.append(search);
        }
    }
    grid->setColumnStretch(1, 1);

    cmdAdd = AddButton(QStringLiteral("cmdAdd"), texts.addCaption);
    cmdSave = AddButton(QStringLiteral("cmdSave"), tr("&Save"));
    cmdDelete = AddButton(QStringLiteral("cmdDelete"), tr("&Delete"));
    QPushButton* cmdExit = AddButton(texts.exitName, tr("E&xit"));
    // Enter in an entry box saves.
    cmdSave->setDefault(true);
    connect(cmdAdd, &QPushButton::clicked, this, &MaintenanceWindow::AddOrCancel);
    connect(cmdSave, &QPushButton::clicked, this, &MaintenanceWindow::Save);
    connect(cmdDelete, &QPushButton::clicked, this, &MaintenanceWindow::DeleteShown);
    connect(cmdExit, &QPushButton::clicked, this, &QWidget::close);

    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : {cmdAdd, cmdSave, cmdDelete})
        buttons->addWidget(button);
    buttons->addStretch();
    buttons->addWidget(cmdExit);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frame);
    layout->addStretch();
    layout->addLayout(buttons);

    // The entry boxes follow each other; the search buttons come after them.
    tabOrder << searchButtons << cmdAdd << cmdSave << cmdDelete << cmdExit;
    for (qsizetype i = 1; i < tabOrder.size(); ++i)
        setTabOrder(tabOrder.at(i - 1), tabOrder.at(i));
}

QPushButton* MaintenanceWindow::AddButton(const QString& name, const QString& caption)
{
    auto* button = new QPushButton(caption, this);
    button->setObjectName(name);
    return button;
}

void MaintenanceWindow::Init()
{
    ResetForm();
    StartAdding();
}

void MaintenanceWindow::Init(qint32 pID)
{
    ResetForm();
    if (pID > 0)
        LoadById(pID);
}

void MaintenanceWindow::ShowRecord(qint32 id, const QStringList& recordTexts)
{
    for (qsizetype i = 0; i < boxes.size(); ++i)
        boxes.at(i)->setText(recordTexts.value(i));
    lblID->setText(QString::number(id));
    EnableFields(true);
    cmdDelete->setEnabled(true);
    AddingNew = false;
    // The add button always tells the state shown: a record picked while adding ends it.
    ShowAddMode();
    TakeSnapshot();
}

QString MaintenanceWindow::SqlText(int field) const
{
    return SqlQuote(TrimText(Box(field)->text()));
}

void MaintenanceWindow::ResetForm()
{
    cmdDelete->setEnabled(false);
    ClearFields();
    EnableFields(false);
    AddingNew = false;
    ShowAddMode();
    TakeSnapshot();
}

void MaintenanceWindow::StartAdding()
{
    AddingNew = true;
    // Before clearing: leaving a shown record for a new one counts as a change.
    TakeSnapshot();
    ShowAddMode();
    qint32 id = 0;
    if (RunReportingErrors([this, &id] { id = NextId(*texts.ids); }))
        lblID->setText(QString::number(id));
    boxes.first()->setFocus();
}

void MaintenanceWindow::ShowAddMode()
{
    if (!AddingNew) {
        cmdAdd->setText(texts.addCaption);
        return;
    }
    cmdAdd->setText(texts.cancelAddCaption);
    cmdDelete->setEnabled(false);
    ClearFields();
    EnableFields(true);
}

void MaintenanceWindow::ClearFields()
{
    for (QLineEdit* box : boxes)
        box->clear();
    lblID->clear();
}

void MaintenanceWindow::EnableFields(bool enabled)
{
    for (QLineEdit* box : boxes)
        box->setEnabled(enabled);
    cmdSave->setEnabled(enabled);
}

void MaintenanceWindow::TakeSnapshot()
{
    SavedTexts = ShownTexts();
}

bool MaintenanceWindow::HasUnsavedChanges() const
{
    return ShownTexts() != SavedTexts;
}

bool MaintenanceWindow::FieldsFilled() const
{
    for (const QLineEdit* box : boxes)
        if (TrimText(box->text()).isEmpty())
            return false;
    return true;
}

QStringList MaintenanceWindow::ShownTexts() const
{
    QStringList shown;
    for (const QLineEdit* box : boxes)
        shown.append(box->text());
    return shown;
}

QString MaintenanceWindow::ShownId() const
{
    return TrimText(lblID->text());
}

void MaintenanceWindow::LoadById(qint32 id)
{
    bool found = false;
    if (!RunReportingErrors([this, id, &found] {
            auto rs = AppDatabase().OpenRecordset(texts.loadSql + QString::number(id));
            found = !rs->Eof();
            if (found)
                ShowStored(*rs);
            rs->Close();
        }))
        return;
    if (!found)
        ShowAttention(GoneNotice(QString::number(id)));
}

void MaintenanceWindow::AddOrCancel()
{
    if (AddingNew)
        ResetForm();
    else
        StartAdding();
}

void MaintenanceWindow::Save()
{
    if (!FieldsFilled()) {
        ShowAttention(texts.missingFields);
        return;
    }
    if (AddingNew) {
        if (!InsertShown())
            return;
        if (AskQuestion(texts.enterAnother))
            StartAdding();
        else
            ResetForm();
    } else if (!UpdateShown()) {
        return;
    }
    // Last, so that a stored or freshly cleared window counts as unchanged.
    TakeSnapshot();
}

bool MaintenanceWindow::InsertShown()
{
    return RunReportingErrors([this] {
        // The identifier shown may have been taken on another workstation meanwhile.
        InsertWithNewId(
            *texts.ids, ShownId().toInt(),
            [this](qint32 id) { return InsertSql(QString::number(id)); }, dbFailOnError);
    });
}

bool MaintenanceWindow::UpdateShown()
{
    const QString id = ShownId();
    bool stored = false;
    const bool ran = RunReportingErrors([this, &id, &stored] {
        QueryDef query = AppDatabase().CreateQueryDef();
        query.SetSQL(UpdateSql(id));
        query.Execute();
        stored = AppDatabase().RecordsAffected() > 0;
    });
    if (ran && !stored)
        ShowAttention(GoneNotice(id) + QStringLiteral(" The changes were not saved."));
    return ran && stored;
}

void MaintenanceWindow::DeleteShown()
{
    const AskedDeletion deletion{.id = ShownId(),
                                 .linkCountSql = texts.linkCountSql,
                                 .linkedQuestion = LinkedQuestion(),
                                 .cancelledNotice = texts.deleteCancelled,
                                 .plainQuestion = UnlinkedQuestion(),
                                 .deleteRecord = texts.deleteRecord};
    bool deleted = false;
    if (RunReportingErrors([&] { deleted = deletion.Run(); }) && deleted)
        ResetForm();
}

void MaintenanceWindow::Search(const QString& preset)
{
    // An unfinished add is dropped without a question.
    if (AddingNew)
        ResetForm();
    OpenSearch(this, *this, texts.searchKind, preset);
}

QString MaintenanceWindow::GoneNotice(const QString& id) const
{
    return texts.recordName +
           QStringLiteral(" %1 is no longer in the database; it may have been deleted on "
                          "another workstation.")
               .arg(id);
}

void MaintenanceWindow::reject()
{
    if (HasUnsavedChanges() && !AskQuestion(kUnsaved))
        return;
    QDialog::reject();
}
