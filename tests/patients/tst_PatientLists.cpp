// A patient's lab visits, contacts, drugs and health factors, each listed in its own window.
// The four lists are twins: each promise runs for all four from the table of twins.

#include "ListWindowTestbed.h"
#include "frmPsBW.h"
#include "frmPsComms.h"
#include "frmPsHFs.h"
#include "frmPsRxs.h"

#include <QHeaderView>
#include <QMenu>
#include <QtTest>

namespace {

const QString kPatient = QStringLiteral("O'Hara, Ann");

// What tells one list from its twins. Patient 1 has the two listed rows, patient 2 one more;
// the fourth row is patient 1's, stored while an editor is open. The editor shows its row's
// column `keyColumn` in `editorKey`, and `newKey` there for a new row.
struct Twin {
    std::unique_ptr<PatientItemList> (*make)();
    QString name, title, addButton;
    QStringList headings;
    QList<int> widths;
    int stretching;
    QStringList seed, rows;
    bool ordered;
    QString removeQuestion, table, editor, editorKey;
    int keyColumn;
    QString newKey;
};

template <class W> std::unique_ptr<PatientItemList> Make() { return std::make_unique<W>(); }

QString Visit(int id, int ptid, const QString& date, int total)
{
    return QStringLiteral("INSERT INTO LabVisits (id, ptid, labdate, overallcl, hdl, ldl, hmcyst) "
                          "VALUES (%1, %2, #%3#, %4, 50, 120, 0)").arg(id).arg(ptid).arg(date).arg(total);
}

QString Contact(int id, int ptid, const QString& date, const QString& result, bool done = false)
{
    return QStringLiteral("INSERT INTO Communications (id, ptid, calldate, calltime, result, complete) "
                          "VALUES (%1, %2, #%3#, '09:00:00', '%4', %5)")
        .arg(id).arg(ptid).arg(date, result, done ? QStringLiteral("True") : QStringLiteral("False"));
}

QString Link(const char* table, const char* idField, int id, int ptid, const char* comment)
{
    return QStringLiteral("INSERT INTO %1 (%2, ptid, comment) VALUES (%3, %4, '%5')")
        .arg(QLatin1String(table), QLatin1String(idField)).arg(id).arg(ptid).arg(QLatin1String(comment));
}

const Twin kTwins[] = {
    {&Make<frmPsBW>, "frmPsBW", "Blood Work results for Patient", "cmdAddLV",
     {"ID", "Lab Date", "Total Chol", "HDL", "LDL"}, {600, 1200, 1100, 1110, 1110}, 4,
     {Visit(1, 1, "3/4/2024", 200), Visit(2, 1, "6/7/2024", 210), Visit(3, 2, "6/7/2024", 210),
      Visit(4, 1, "1/1/2020", 190)},
     {"2|6/7/2024|210|50|120", "1|3/4/2024|200|50|120"}, true,
     "Remove Lab Visit '%1' for this Patient?", "LabVisits", "frmLabWork", "lblID", 0, "4"},
    {&Make<frmPsComms>, "frmPsComms", "Contact log for Patient", "cmdAssign",
     {"ID", "Date", "Time", "Outcome", "Completed"}, {600, 1000, 1000, 1520, 1000}, 3,
     {Contact(5, 1, "1/2/2024", "a"), Contact(2, 1, "5/6/2024", "b", true), Contact(3, 2, "3/4/2024", "c"),
      Contact(6, 1, "1/1/2020", "d")},
     {"5|01/02/2024|09:00:00|a|", "2|05/06/2024|09:00:00|b|X"}, true,
     "Remove Entry '%1' for this Patient", "Communications", "frmComm", "lblID", 0, "4"},
    {&Make<frmPsRxs>, "frmPsRxs", "Drugs used by Patient", "cmdAssignRX", {"ID", "Desc", "Comment"},
     {600, 1200, 3320}, 2,
     {Link("Schedule", "DrugID", 1, 1, "a"), Link("Schedule", "DrugID", 3, 1, "b"),
      Link("Schedule", "DrugID", 1, 2, "c"), Link("Schedule", "DrugID", 2, 1, "d")},
     {"1|Aspirin®|a", "3|Zocor®|b"}, false, "Remove Drug '%1' for this Patient", "Schedule",
     "frmAssRx", "lblDesc", 1, ""},
    {&Make<frmPsHFs>, "frmPsHFs", "Health Factors of Patient", "cmdAssignHF", {"ID", "Desc", "Comment"},
     {600, 1200, 3320}, 2,
     {Link("PatientFactors", "CondID", 1, 1, "a"), Link("PatientFactors", "CondID", 3, 1, "b"),
      Link("PatientFactors", "CondID", 1, 2, "c"), Link("PatientFactors", "CondID", 2, 1, "d")},
     {"1|Smoking|a", "3|Overweight|b"}, false, "Remove health factor '%1' for this Patient",
     "PatientFactors", "frmAssHF", "lblDesc", 1, ""},
};

} // namespace

class tst_PatientLists : public QObject {
    Q_OBJECT

private slots:
    void initTestCase_data();
    void init();
    void cleanup();

    void listsThePatientsRowsUnderItsHeadings();
    void pressesSelectRowsAndOpenTheMenu();
    void removeAsksAndReloads();
    void editorsOpenForTheRowAndTheListReloads();
    void contactTimeColumnMakesRoomForTheScrollBar();
    void drugStoredTwiceIsListedOnce();

private:
    // Opens the twin's list for patient 1 with its rows stored.
    PatientItemList& open()
    {
        for (const QString& sql : twin->seed.mid(0, 3))
            ListWindowTestbed::Exec(sql);
        list = twin->make();
        list->Init(1, kPatient);
        list->show();
        [this] { QVERIFY(QTest::qWaitForWindowExposed(list.get())); }();
        grid = Child<QTableWidget>(*list, "gridResults");
        menu = Child<QMenu>(*list, "mnuItems");
        return *list;
    }
    QStringList rows()
    {
        QStringList texts;
        for (int row = 0; row < grid->rowCount(); ++row)
            texts.append(RowTexts(*grid, row).join(u'|'));
        return texts;
    }
    QList<int> counts()
    {
        const QString sql = QStringLiteral("SELECT count(*) FROM %1 WHERE ptid = %2");
        return {ListWindowTestbed::Count(sql.arg(twin->table).arg(1)), ListWindowTestbed::Count(sql.arg(twin->table).arg(2))};
    }
    void removeRow(int row)
    {
        PressRow(*grid, row, Qt::RightButton);
        menu->hide();
        Child<QAction>(*list, "mnuDeleteOpt")->trigger();
    }

    const Twin* twin = nullptr;
    std::unique_ptr<ListWindowTestbed> bed;
    std::unique_ptr<PatientItemList> list;
    QTableWidget* grid = nullptr;
    QMenu* menu = nullptr;
};

void tst_PatientLists::initTestCase_data()
{
    QTest::addColumn<int>("twin");
    QTest::newRow("blood work") << 0;
    QTest::newRow("contacts") << 1;
    QTest::newRow("drugs") << 2;
    QTest::newRow("health factors") << 3;
}

void tst_PatientLists::init()
{
    QFETCH_GLOBAL(int, twin);
    this->twin = &kTwins[twin];
    bed = std::make_unique<ListWindowTestbed>();
    ListWindowTestbed::AddPatient(1, QStringLiteral("O'Hara"), QStringLiteral("2/3/2025"));
    for (const char* drug : {"1, 'Aspirin®'", "2, 'Lipitor®'", "3, 'Zocor®'"})
        ListWindowTestbed::Exec("INSERT INTO Drugs (DrugID, DrugDesc) VALUES (" + QString::fromUtf8(drug) + ")");
}

void tst_PatientLists::cleanup()
{
    list.reset();
    QCOMPARE(bed->Loose(), QStringList());
    bed.reset();
}

// Only the patient's rows are listed, under the headings and in the widths of the columns.
void tst_PatientLists::listsThePatientsRowsUnderItsHeadings()
{
    PatientItemList& l = open();
    QCOMPARE(QStringList({l.objectName(), l.windowTitle(), TextOf(l, "lblFullName")}),
             QStringList({twin->name, twin->title, kPatient}));
    QStringList listed = rows();
    if (!twin->ordered)
        listed.sort();
    QCOMPARE(listed, twin->rows);
    QStringList headings;
    QList<int> widths, expected;
    for (int c = 0; c < twin->headings.size(); ++c) {
        headings << grid->horizontalHeaderItem(c)->text();
        widths << (c == twin->stretching ? 0 : grid->columnWidth(c));
        expected << (c == twin->stretching ? 0 : l.TwipsToPixels(twin->widths[c]));
    }
    QCOMPARE(headings, twin->headings);
    QCOMPARE(widths, expected);
    QVERIFY(grid->columnWidth(twin->stretching) >= l.TwipsToPixels(twin->widths[twin->stretching]) - 2);
}

// A left press selects a row, a right press selects it and opens the menu; a press below the
// rows or on the heading selects nothing, and a double click there opens nothing.
void tst_PatientLists::pressesSelectRowsAndOpenTheMenu()
{
    PatientItemList& l = open();
    const auto state = [&] {
        return QString::number(IsEnabled(l, "cmdEdit") ? grid->currentRow() : -1) + (menu->isVisible() ? "+menu" : "");
    };
    const QPoint belowRows(5, grid->viewport()->height() - 3);
    QStringList seen{state()};
    PressRow(*grid, 1, Qt::LeftButton);
    seen << state();
    QTest::mousePress(grid->viewport(), Qt::RightButton, {}, belowRows);
    seen << state();
    PressRow(*grid, 1, Qt::RightButton);
    QTRY_VERIFY(menu->isVisible());
    seen << state();
    menu->close();
    QTest::mousePress(grid->horizontalHeader()->viewport(), Qt::RightButton, {}, QPoint(5, 5));
    seen << state();
    QCOMPARE(seen, QStringList({"-1", "1", "-1", "1+menu", "-1"}));
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, belowRows);
}

// No keeps the row; Yes removes only this patient's row. After the reload nothing is
// selected, so Edit and Delete do nothing.
void tst_PatientLists::removeAsksAndReloads()
{
    open();
    const QStringList before = rows();
    bed->Answer({false, true});
    removeRow(0);
    removeRow(0);
    QCOMPARE(bed->questions, QStringList(2, twin->removeQuestion.arg(before[0].section(u'|', 1, 1))));
    QCOMPARE(rows(), before.mid(1));
    QCOMPARE(counts(), QList<int>({1, 1}));
    QVERIFY(!IsEnabled(*list, "cmdEdit"));
    Child<QAction>(*list, "mnuDeleteOpt")->trigger();
    Child<QAction>(*list, "mnuEditOpt")->trigger();
    QCOMPARE(rows(), before.mid(1));
}

// A double click opens the row's editor and the list reloads when it closes, the row still
// selected, so Edit opens it again. Add opens the editor for a new row.
void tst_PatientLists::editorsOpenForTheRowAndTheListReloads()
{
    PatientItemList& l = open();
    const QStringList row = RowTexts(*grid, 1);
    QStringList seen;
    for (const QString& sql : {twin->seed[3], QStringLiteral("DELETE FROM %1 WHERE ptid = 1").arg(twin->table)})
        bed->OnWindow(twin->editor, [&, sql](QDialog& editor) {
            seen << TextOf(editor, "lblFullName") + u'|' + TextOf(editor, twin->editorKey);
            ListWindowTestbed::Exec(sql);
            editor.reject();
        });
    DoubleClickRow(*grid, 1);
    QCOMPARE(QStringList({QString::number(grid->rowCount()), RowTexts(*grid, grid->currentRow())[0]}),
             QStringList({"3", row[0]}));
    ClickButton(l, "cmdEdit");
    bed->OnWindow(twin->editor, [&](QDialog& editor) {
        seen << TextOf(editor, "lblFullName") + u'|' + TextOf(editor, twin->editorKey);
        editor.reject();
    });
    ClickButton(l, twin->addButton);
    QVERIFY(bed->AllWindowsSeen());
    QCOMPARE(seen, QStringList({kPatient + u'|' + row[twin->keyColumn], kPatient + u'|' + row[twin->keyColumn],
                                kPatient + u'|' + twin->newKey}));
    QCOMPARE(grid->rowCount(), 0);
}

// Past three contacts the grid shows a scroll bar; the time column makes room for it.
void tst_PatientLists::contactTimeColumnMakesRoomForTheScrollBar()
{
    if (twin->name != QStringLiteral("frmPsComms"))
        QSKIP("contacts only");
    ListWindowTestbed::Exec(twin->seed[3]);
    open();
    QCOMPARE(grid->columnWidth(2), list->TwipsToPixels(1000));
    ListWindowTestbed::Exec(Contact(10, 1, "3/4/2024", "e"));
    list->Init(1, kPatient);
    QCOMPARE(grid->columnWidth(2), list->TwipsToPixels(760));
}

// A link stored twice (another program's doing) shows once; removing it removes both.
void tst_PatientLists::drugStoredTwiceIsListedOnce()
{
    if (twin->name != QStringLiteral("frmPsRxs"))
        QSKIP("drugs only");
    ListWindowTestbed::Exec(Link("Schedule", "DrugID", 1, 1, "again"));
    open();
    bed->Answer({true});
    removeRow(rows().indexOf(QRegularExpression("^1\\|.*")));
    QCOMPARE(rows(), QStringList{"3|Zocor®|b"});
    QCOMPARE(counts(), QList<int>({1, 1}));
}

QTEST_MAIN(tst_PatientLists)
#include "tst_PatientLists.moc"
