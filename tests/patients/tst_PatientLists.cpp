// A patient's lab visits, contacts, drugs and health factors, each listed in its own window.
// The four lists are twins: each promise runs for all four from the table of twins.

#include "ListWindowTestbed.h"
#include "clsDrug.h"
#include "clsHealthFactor.h"
#include "frmAssHF.h"
#include "frmAssRx.h"
#include "frmPsBW.h"
#include "frmPsComms.h"
#include "frmPsHFs.h"
#include "frmPsRxs.h"

#include <QHeaderView>
#include <QMenu>
#include <QtTest>

namespace {

const QString kPatient = QStringLiteral("O'Hara, Ann");

void PickItem(QDialog& editor)
{
    if (auto* drugs = qobject_cast<frmAssRx*>(&editor)) {
        clsDrug drug;
        drug.SetDrugID(2);
        drug.SetDrugDesc(QStringLiteral("Lipitor®"));
        return drugs->LoadObjectData(drug);
    }
    clsHealthFactor factor;
    factor.SetID(2);
    factor.SetDesc(QStringLiteral("Family History"));
    qobject_cast<frmAssHF*>(&editor)->LoadObjectData(factor);
}

void EnterResults(QDialog& editor)
{
    TypeInto(editor, "txtOverallCL", QStringLiteral("190"));
    TypeInto(editor, "txtHDL", QStringLiteral("55"));
    TypeInto(editor, "txtLDL", QStringLiteral("110"));
}

void EnterNothing(QDialog&) {}

// What tells one list from its twins. Patient 1 has the two listed rows, patient 2 one more.
struct Twin {
    std::unique_ptr<PatientItemList> (*make)();
    QString name, title, addButton;
    QStringList headings;
    QList<int> widths;
    int stretching;
    QStringList seed, rows;
    bool ordered;
    QString removeQuestion, countSql;
    // The editor, the label that shows which row it edits, that row's column with the text,
    // and the box and button that correct the row's column `editColumn`.
    QString editor, editorKey;
    int keyColumn;
    QString editBox, saveButton;
    int editColumn;
    void (*fillNew)(QDialog&);
    bool asksAnother;
    QString newId;
};

template <class W> std::unique_ptr<PatientItemList> Make() { return std::make_unique<W>(); }

QString Visit(int id, int ptid, const QString& date, int total)
{
    return QStringLiteral("INSERT INTO LabVisits (id, ptid, labdate, overallcl, hdl, ldl, hmcyst) "
                          "VALUES (%1, %2, #%3#, %4, 50, 120, 0)").arg(id).arg(ptid).arg(date).arg(total);
}

QString Contact(int id, int ptid, const QString& date, const QString& time, const QString& result, bool done)
{
    return QStringLiteral("INSERT INTO Communications (id, ptid, calldate, calltime, result, complete) "
                          "VALUES (%1, %2, #%3#, '%4', '%5', %6)")
        .arg(id).arg(ptid).arg(date, time, result, done ? QStringLiteral("True") : QStringLiteral("False"));
}

const Twin kTwins[] = {
    {&Make<frmPsBW>, "frmPsBW", "Blood Work results for Patient", "cmdAddLV",
     {"ID", "Lab Date", "Total Chol", "HDL", "LDL"}, {600, 1200, 1100, 1110, 1110}, 4,
     {Visit(1, 1, "3/4/2024", 200), Visit(2, 1, "6/7/2024", 210), Visit(3, 2, "6/7/2024", 210)},
     {"2|6/7/2024|210|50|120", "1|3/4/2024|200|50|120"}, true,
     "Remove Lab Visit '%1' for this Patient?", "SELECT count(*) FROM LabVisits WHERE ptid = %1",
     "frmLabWork", "lblID", 0, "txtLDL", "cmdSave", 4, &EnterResults, true, "4"},
    {&Make<frmPsComms>, "frmPsComms", "Contact log for Patient", "cmdAssign",
     {"ID", "Date", "Time", "Outcome", "Completed"}, {600, 1000, 1000, 1520, 1000}, 3,
     {Contact(5, 1, "1/2/2024", "09:00:00", "a", false), Contact(2, 1, "5/6/2024", "10:00:00", "b", true),
      Contact(3, 2, "3/4/2024", "11:00:00", "c", false)},
     {"5|01/02/2024|09:00:00|a|", "2|05/06/2024|10:00:00|b|X"}, true,
     "Remove Entry '%1' for this Patient", "SELECT count(*) FROM Communications WHERE ptid = %1",
     "frmComm", "lblID", 0, "txtResult", "cmdSave", 3, &EnterNothing, true, "6"},
    {&Make<frmPsRxs>, "frmPsRxs", "Drugs used by Patient", "cmdAssignRX", {"ID", "Desc", "Comment"},
     {600, 1200, 3320}, 2,
     {"INSERT INTO Schedule (DrugID, ptid, comment) VALUES (1, 1, 'a')",
      "INSERT INTO Schedule (DrugID, ptid, comment) VALUES (3, 1, 'b')",
      "INSERT INTO Schedule (DrugID, ptid, comment) VALUES (1, 2, 'c')"},
     {"1|Aspirin®|a", "3|Zocor®|b"}, false, "Remove Drug '%1' for this Patient",
     "SELECT count(*) FROM Schedule WHERE ptid = %1", "frmAssRx", "lblDesc", 1, "txtComment",
     "cmdAdd", 2, &PickItem, false, "2"},
    {&Make<frmPsHFs>, "frmPsHFs", "Health Factors of Patient", "cmdAssignHF", {"ID", "Desc", "Comment"},
     {600, 1200, 3320}, 2,
     {"INSERT INTO PatientFactors (CondID, ptid, comment) VALUES (1, 1, 'a')",
      "INSERT INTO PatientFactors (CondID, ptid, comment) VALUES (3, 1, 'b')",
      "INSERT INTO PatientFactors (CondID, ptid, comment) VALUES (1, 2, 'c')"},
     {"1|Smoking|a", "3|Overweight|b"}, false, "Remove health factor '%1' for this Patient",
     "SELECT count(*) FROM PatientFactors WHERE ptid = %1", "frmAssHF", "lblDesc", 1, "txtComment",
     "cmdAdd", 2, &PickItem, false, "2"},
};

} // namespace

class tst_PatientLists : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void twins_data();
    void listsOnlyThePatientsRowsUnderItsHeadings_data() { twins_data(); }
    void listsOnlyThePatientsRowsUnderItsHeadings();
    void pressesSelectRowsAndOpenTheMenu_data() { twins_data(); }
    void pressesSelectRowsAndOpenTheMenu();
    void removeAsksAndReloads_data() { twins_data(); }
    void removeAsksAndReloads();
    void editorsOpenForTheRowAndTheListReloads_data() { twins_data(); }
    void editorsOpenForTheRowAndTheListReloads();
    void buttonsFollowTheBottomEdge_data() { twins_data(); }
    void buttonsFollowTheBottomEdge();
    void contactTimeColumnMakesRoomForTheScrollBar();
    void drugStoredTwiceIsListedOnce();

private:
    void pick()
    {
        QFETCH(int, twin);
        this->twin = &kTwins[twin];
    }
    // Opens the twin's list for patient 1 with its rows stored.
    PatientItemList& open(bool seeded = true);
    QStringList rows(bool sorted = false);
    void pressRow(int row, Qt::MouseButton button) { PressRow(*grid, row, button); }

    const Twin* twin = nullptr;
    std::unique_ptr<ListWindowTestbed> bed;
    std::unique_ptr<PatientItemList> list;
    QTableWidget* grid = nullptr;
    QMenu* menu = nullptr;
};

void tst_PatientLists::init()
{
    bed = std::make_unique<ListWindowTestbed>();
    ListWindowTestbed::AddPatient(1, QStringLiteral("O'Hara"), QStringLiteral("2/3/2025"));
    for (const char* sql : {"INSERT INTO Drugs (DrugID, DrugDesc) VALUES (1, 'Aspirin®')",
                            "INSERT INTO Drugs (DrugID, DrugDesc) VALUES (2, 'Lipitor®')",
                            "INSERT INTO Drugs (DrugID, DrugDesc) VALUES (3, 'Zocor®')"})
        ListWindowTestbed::Exec(QString::fromUtf8(sql));
    twin = &kTwins[2];
}

void tst_PatientLists::cleanup()
{
    list.reset();
    QCOMPARE(bed->Loose(), QStringList());
    bed.reset();
}

void tst_PatientLists::twins_data()
{
    QTest::addColumn<int>("twin");
    QTest::newRow("blood work") << 0;
    QTest::newRow("contacts") << 1;
    QTest::newRow("drugs") << 2;
    QTest::newRow("health factors") << 3;
}

PatientItemList& tst_PatientLists::open(bool seeded)
{
    for (const QString& sql : seeded ? twin->seed : QStringList())
        ListWindowTestbed::Exec(sql);
    list = twin->make();
    list->Init(1, kPatient);
    list->show();
    [this] { QVERIFY(QTest::qWaitForWindowExposed(list.get())); }();
    grid = Child<QTableWidget>(*list, "gridResults");
    menu = Child<QMenu>(*list, "mnuItems");
    return *list;
}

QStringList tst_PatientLists::rows(bool sorted)
{
    QStringList texts;
    for (int row = 0; row < grid->rowCount(); ++row)
        texts.append(RowTexts(*grid, row).join(u'|'));
    if (sorted)
        texts.sort();
    return texts;
}

void tst_PatientLists::listsOnlyThePatientsRowsUnderItsHeadings()
{
    pick();
    PatientItemList& l = open(false);
    QCOMPARE(l.objectName(), twin->name);
    QCOMPARE(l.windowTitle(), twin->title);
    QCOMPARE(TextOf(l, "lblFullName"), kPatient);
    QCOMPARE(rows(), QStringList());
    QTest::mousePress(grid->viewport(), Qt::RightButton, {}, QPoint(5, 5));
    QVERIFY(!IsEnabled(l, "cmdEdit"));
    QVERIFY(!menu->isVisible());

    open();
    QCOMPARE(rows(!twin->ordered), twin->rows);
    for (int c = 0; c < twin->headings.size(); ++c) {
        QCOMPARE(grid->horizontalHeaderItem(c)->text(), twin->headings[c]);
        if (c == twin->stretching)
            QVERIFY(grid->columnWidth(c) >= list->TwipsToPixels(twin->widths[c]) - 2);
        else
            QCOMPARE(grid->columnWidth(c), list->TwipsToPixels(twin->widths[c]));
    }
}

// A left press selects a row, a right press selects it and opens the menu; a press below the
// rows or on the heading selects nothing, and a double click there opens nothing.
void tst_PatientLists::pressesSelectRowsAndOpenTheMenu()
{
    pick();
    PatientItemList& l = open();
    QVERIFY(!IsEnabled(l, "cmdEdit"));
    pressRow(1, Qt::LeftButton);
    QVERIFY(IsEnabled(l, "cmdEdit"));
    QVERIFY(!menu->isVisible());
    const QPoint belowRows(5, grid->viewport()->height() - 3);
    QTest::mousePress(grid->viewport(), Qt::RightButton, {}, belowRows);
    QVERIFY(!IsEnabled(l, "cmdEdit"));
    QVERIFY(!menu->isVisible());
    pressRow(1, Qt::RightButton);
    QCOMPARE(grid->selectedItems().first()->row(), 1);
    QVERIFY(IsEnabled(l, "cmdEdit"));
    QTRY_VERIFY(menu->isVisible());
    menu->close();
    QTest::mousePress(grid->horizontalHeader()->viewport(), Qt::RightButton, {}, QPoint(5, 5));
    QVERIFY(!IsEnabled(l, "cmdEdit"));
    QVERIFY(!menu->isVisible());
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, belowRows);
    QVERIFY(bed->AllWindowsSeen());
}

// No keeps the row; Yes removes only this patient's row. After the reload nothing is
// selected, so Edit and Delete do nothing.
void tst_PatientLists::removeAsksAndReloads()
{
    pick();
    open();
    const QStringList before = rows();
    const QString question = twin->removeQuestion.arg(RowTexts(*grid, 0)[1]);
    auto* deleteOpt = Child<QAction>(*list, "mnuDeleteOpt");
    pressRow(0, Qt::RightButton);
    menu->hide();
    bed->Answer({false});
    deleteOpt->trigger();
    QCOMPARE(bed->questions, QStringList{question});
    QCOMPARE(rows(), before);

    pressRow(0, Qt::RightButton);
    menu->hide();
    bed->Answer({true});
    deleteOpt->trigger();
    QCOMPARE(rows(), before.mid(1));
    QCOMPARE(ListWindowTestbed::Count(twin->countSql.arg(1)), 1);
    QCOMPARE(ListWindowTestbed::Count(twin->countSql.arg(2)), 1);
    QVERIFY(!IsEnabled(*list, "cmdEdit"));
    deleteOpt->trigger();
    Child<QAction>(*list, "mnuEditOpt")->trigger();
    QCOMPARE(bed->questions.size(), 2);
    QCOMPARE(rows(), before.mid(1));
}

// A double click opens the row's editor; the list shows the correction and keeps the row
// selected, so Edit opens it again. Add opens the editor for a new row, listed afterwards.
void tst_PatientLists::editorsOpenForTheRowAndTheListReloads()
{
    pick();
    PatientItemList& l = open();
    const QStringList edited = RowTexts(*grid, 1);
    QStringList seen;
    bed->OnWindow(twin->editor, [&](QDialog& editor) {
        seen.append(TextOf(editor, "lblFullName") + u'|' + TextOf(editor, twin->editorKey));
        TypeInto(editor, twin->editBox, QStringLiteral("99"));
        ClickButton(editor, twin->saveButton);
    });
    DoubleClickRow(*grid, 1);
    const int row = grid->selectedItems().first()->row();
    QCOMPARE(RowTexts(*grid, row).first(), edited.first());
    QCOMPARE(RowTexts(*grid, row)[twin->editColumn], QStringLiteral("99"));
    bed->OnWindow(twin->editor, [&](QDialog& editor) {
        seen.append(TextOf(editor, twin->editorKey));
        editor.close();
    });
    ClickButton(l, "cmdEdit");

    if (twin->asksAnother)
        bed->Answer({false});
    bed->OnWindow(twin->editor, [&](QDialog& editor) {
        twin->fillNew(editor);
        ClickButton(editor, twin->saveButton);
    });
    ClickButton(l, twin->addButton);
    QVERIFY(bed->AllWindowsSeen());
    QCOMPARE(seen, (QStringList{kPatient + u'|' + edited[twin->keyColumn], edited[twin->keyColumn]}));
    QCOMPARE(grid->rowCount(), 3);
    QCOMPARE(rows().filter(QRegularExpression('^' + twin->newId + "\\|")).size(), 1);
}

// The grid takes the extra height of a taller window.
void tst_PatientLists::buttonsFollowTheBottomEdge()
{
    pick();
    PatientItemList& l = open(false);
    const QWidget* buttons[] = {Child<QWidget>(l, qPrintable(twin->addButton)), Child<QWidget>(l, "cmdEdit"),
                                Child<QWidget>(l, "cmdExit")};
    int tops[3];
    for (int i = 0; i < 3; ++i)
        tops[i] = buttons[i]->y();
    const int gridHeight = grid->height();
    l.resize(l.width(), l.height() + 120);
    QTRY_COMPARE(grid->height(), gridHeight + 120);
    for (int i = 0; i < 3; ++i)
        QCOMPARE(buttons[i]->y(), tops[i] + 120);
}

// Past three contacts the grid shows a scroll bar; the time column makes room for it.
void tst_PatientLists::contactTimeColumnMakesRoomForTheScrollBar()
{
    twin = &kTwins[1];
    ListWindowTestbed::Exec(Contact(9, 1, "3/4/2024", "11:00:00", "c", false));
    open();
    QCOMPARE(grid->columnWidth(2), list->TwipsToPixels(1000));
    ListWindowTestbed::Exec(Contact(10, 1, "3/4/2024", "11:00:00", "d", false));
    list->Init(1, kPatient);
    QCOMPARE(grid->rowCount(), 4);
    QCOMPARE(grid->columnWidth(2), list->TwipsToPixels(760));
}

// A link stored twice (another program's doing) shows once; removing it removes both.
void tst_PatientLists::drugStoredTwiceIsListedOnce()
{
    ListWindowTestbed::Exec("INSERT INTO Schedule (DrugID, ptid, comment) VALUES (1, 1, 'again')");
    open();
    QCOMPARE(grid->rowCount(), 2);
    pressRow(RowTexts(*grid, 0).first() == "1" ? 0 : 1, Qt::RightButton);
    menu->hide();
    bed->Answer({true});
    Child<QAction>(*list, "mnuDeleteOpt")->trigger();
    QCOMPARE(rows(), QStringList{"3|Zocor®|b"});
    QCOMPARE(ListWindowTestbed::Count("SELECT count(*) FROM Schedule WHERE DrugID = 1 AND ptid = 1"), 0);
}

QTEST_MAIN(tst_PatientLists)
#include "tst_PatientLists.moc"
