// A patient's drugs and health factors as staff keep them: the two lists and the windows
// that add a link or correct its comment. Each case runs for both pairs.

#include "ListWindowTestbed.h"
#include "clsDrug.h"
#include "clsHealthFactor.h"
#include "frmAssHF.h"
#include "frmAssRx.h"
#include "frmPsHFs.h"
#include "frmPsRxs.h"

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QtTest>

#include <sqlite3.h>

namespace
{

const QString kPatient = QStringLiteral("O'Hara, Ann");

// What tells the drug pair from the health factor pair. The patient is given item 1 (a drug
// stored with its registered sign) and may be given item 3 besides.
struct Pair {
    QString listName, assignName, addButton, title, assignTitle, table, idField;
    QString itemDesc, otherDesc, removeQuestion, alreadyAssigned, nothingChosen, searchTitle;
    int itemId = 1;
    int otherId = 3;
};

const Pair& PairNamed(const QString& name)
{
    static const Pair drugs{"frmPsRxs", "frmAssRx", "cmdAssignRX", "Drugs used by Patient",
                            "Assign Drug for Patient", "Schedule", "DrugID", "Aspirin®", "Zocor®",
                            "Remove Drug 'Aspirin®' for this Patient",
                            "Drug 'Aspirin®' is already assigned to this patient",
                            "A Drug has not been selected yet", "Search - Drug"};
    static const Pair factors{"frmPsHFs", "frmAssHF", "cmdAssignHF", "Health Factors of Patient",
                              "Assign Health Factor for Patient", "PatientFactors", "CondID",
                              "Smoking", "Overweight",
                              "Remove health factor 'Smoking' for this Patient",
                              "Health Factor 'Smoking' is already assigned to this patient",
                              "A Health factor has not been selected yet",
                              "Search - HealthFactor"};
    return name == QLatin1String("drug") ? drugs : factors;
}

bool IsDrugs(const Pair& pair)
{
    return pair.table == QLatin1String("Schedule");
}

std::unique_ptr<PatientItemList> NewList(const Pair& pair)
{
    if (IsDrugs(pair))
        return std::make_unique<frmPsRxs>();
    return std::make_unique<frmPsHFs>();
}

std::unique_ptr<LinkAssignDialog> NewAssign(const Pair& pair)
{
    if (IsDrugs(pair))
        return std::make_unique<frmAssRx>();
    return std::make_unique<frmAssHF>();
}

// Hands an item to the window as the search does: without a comment.
void Pick(QDialog& window, int id, const QString& desc)
{
    if (auto* drugWindow = qobject_cast<frmAssRx*>(&window)) {
        clsDrug drug;
        drug.SetDrugID(id);
        drug.SetDrugDesc(desc);
        drugWindow->LoadObjectData(drug);
        return;
    }
    clsHealthFactor factor;
    factor.SetID(id);
    factor.SetDesc(desc);
    qobject_cast<frmAssHF*>(&window)->LoadObjectData(factor);
}

void Link(const Pair& pair, int ptid, int itemId, const QString& comment)
{
    ListWindowTestbed::Exec(QStringLiteral("INSERT INTO %1 (%2, ptid, comment) VALUES (%3, %4, '%5')")
                                .arg(pair.table, pair.idField)
                                .arg(itemId)
                                .arg(ptid)
                                .arg(SqlQuote(comment)));
}

int LinkCount(const Pair& pair, int ptid)
{
    return ListWindowTestbed::Value(
               QStringLiteral("SELECT count(*) FROM %1 WHERE ptid = %2").arg(pair.table).arg(ptid))
        .toInt();
}

QString StoredComment(const Pair& pair, int ptid, int itemId)
{
    return ListWindowTestbed::Value(QStringLiteral("SELECT comment FROM %1 WHERE ptid = %2 AND %3 = %4")
                                        .arg(pair.table)
                                        .arg(ptid)
                                        .arg(pair.idField)
                                        .arg(itemId))
        .toString();
}

void Click(QWidget& window, const char* name)
{
    QTest::mouseClick(Child<QPushButton>(window, name), Qt::LeftButton);
}

} // namespace

class tst_Assignments : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        bed = std::make_unique<ListWindowTestbed>();
        ListWindowTestbed::AddPatient(1, QStringLiteral("O'Hara"), QStringLiteral("2/3/2025"));
        ListWindowTestbed::AddPatient(2, QStringLiteral("Berg"), QStringLiteral("2/3/2025"));
        for (const char* sql : {"INSERT INTO Drugs (DrugID, DrugDesc) VALUES (1, 'Aspirin®')",
                                "INSERT INTO Drugs (DrugID, DrugDesc) VALUES (2, 'Lipitor®')",
                                "INSERT INTO Drugs (DrugID, DrugDesc) VALUES (3, 'Zocor®')"})
            ListWindowTestbed::Exec(QString::fromUtf8(sql));
    }
    void cleanup()
    {
        QVERIFY2(bed->unanswered.isEmpty(), qPrintable(bed->unanswered.join(u'|')));
        QVERIFY2(bed->leftOpen.isEmpty(), qPrintable(bed->leftOpen.join(u'|')));
        bed.reset();
    }

    void pairs_data();
    void emptyList_data() { pairs_data(); }
    void emptyList();
    void addLink_data() { pairs_data(); }
    void addLink();
    void editComment_data() { pairs_data(); }
    void editComment();
    void alreadyAssigned_data() { pairs_data(); }
    void alreadyAssigned();
    void removeThroughMenu_data() { pairs_data(); }
    void removeThroughMenu();
    void duplicateLinksListedOnce();
    void searchButtonOpensSearch_data() { pairs_data(); }
    void searchButtonOpensSearch();
    void vanishedLinkOffersNewOne();
    void engineErrorKeepsWindow();
    void buttonsFollowBottomEdge_data() { pairs_data(); }
    void buttonsFollowBottomEdge();

private:
    std::unique_ptr<PatientItemList> OpenList(const Pair& pair)
    {
        auto list = NewList(pair);
        list->Init(1, kPatient);
        list->show();
        (void)QTest::qWaitForWindowExposed(list.get());
        return list;
    }

    std::unique_ptr<ListWindowTestbed> bed;
};

void tst_Assignments::pairs_data()
{
    QTest::addColumn<QString>("pair");
    QTest::newRow("drugs") << QStringLiteral("drug");
    QTest::newRow("health factors") << QStringLiteral("factor");
}

void tst_Assignments::emptyList()
{
    QFETCH(QString, pair);
    const Pair& p = PairNamed(pair);
    Link(p, 2, p.itemId, QStringLiteral("other patient"));
    auto list = OpenList(p);
    QCOMPARE(list->objectName(), p.listName);
    QCOMPARE(list->windowTitle(), p.title);
    QCOMPARE(Child<QLabel>(*list, "lblFullName")->text(), kPatient);
    auto* grid = Child<QTableWidget>(*list, "gridResults");
    QCOMPARE(grid->rowCount(), 0);
    QCOMPARE(grid->horizontalHeaderItem(0)->text(), QStringLiteral("ID"));
    QCOMPARE(grid->horizontalHeaderItem(1)->text(), QStringLiteral("Desc"));
    QCOMPARE(grid->horizontalHeaderItem(2)->text(), QStringLiteral("Comment"));
    QCOMPARE(grid->columnWidth(0), list->TwipsToPixels(600));
    QCOMPARE(grid->columnWidth(1), list->TwipsToPixels(1200));
    QVERIFY(grid->columnWidth(2) >= list->TwipsToPixels(3320) - 2);
    QVERIFY(!Child<QPushButton>(*list, "cmdEdit")->isEnabled());
    QTest::mousePress(grid->viewport(), Qt::RightButton, {}, QPoint(5, 5));
    QVERIFY(!Child<QPushButton>(*list, "cmdEdit")->isEnabled());
    QVERIFY(!Child<QMenu>(*list, "mnuItems")->isVisible());
}

// Nothing chosen is refused; a pick empties the comment; the comment is stored trimmed with
// its apostrophe, and the list shows the new row.
void tst_Assignments::addLink()
{
    QFETCH(QString, pair);
    const Pair& p = PairNamed(pair);
    Link(p, 1, p.otherId, QStringLiteral("kept"));
    auto list = OpenList(p);
    bed->OnWindow(p.assignName, [&](QDialog& window) {
        QCOMPARE(window.windowTitle(), p.assignTitle);
        QCOMPARE(Child<QLabel>(window, "lblFullName")->text(), kPatient);
        QVERIFY(Child<QPushButton>(window, "cmdSearch")->isEnabled());
        Click(window, "cmdAdd");
        QCOMPARE(bed->notices, QStringList{p.nothingChosen});
        QVERIFY(window.isVisible());
        auto* comment = Child<QLineEdit>(window, "txtComment");
        QTest::keyClicks(comment, QStringLiteral("typed before the pick"));
        Pick(window, p.itemId, p.itemDesc);
        QCOMPARE(Child<QLabel>(window, "lblDesc")->text(), p.itemDesc);
        QCOMPARE(comment->text(), QString());
        QTest::keyClicks(comment, QStringLiteral("  twice daily, don't skip  "));
        QTest::keyClick(comment, Qt::Key_Return);
        QVERIFY(!window.isVisible());
    });
    Click(*list, qPrintable(p.addButton));
    QVERIFY(bed->AllWindowsSeen());
    QCOMPARE(StoredComment(p, 1, p.itemId), QStringLiteral("twice daily, don't skip"));
    QCOMPARE(LinkCount(p, 1), 2);
    auto* grid = Child<QTableWidget>(*list, "gridResults");
    QCOMPARE(grid->rowCount(), 2);
    const QStringList added = {QString::number(p.itemId), p.itemDesc,
                               QStringLiteral("twice daily, don't skip")};
    QVERIFY(RowTexts(*grid, 0) == added || RowTexts(*grid, 1) == added);
}

// Right-click selects the row and opens the menu; Edit corrects the comment only.
void tst_Assignments::editComment()
{
    QFETCH(QString, pair);
    const Pair& p = PairNamed(pair);
    Link(p, 1, p.itemId, QStringLiteral("once a day"));
    Link(p, 2, p.itemId, QStringLiteral("other patient"));
    auto list = OpenList(p);
    auto* grid = Child<QTableWidget>(*list, "gridResults");
    auto* cmdEdit = Child<QPushButton>(*list, "cmdEdit");
    auto* menu = Child<QMenu>(*list, "mnuItems");
    PressRow(*grid, 0, Qt::RightButton);
    QVERIFY(cmdEdit->isEnabled());
    QCOMPARE(grid->selectedItems().first()->row(), 0);
    QTRY_VERIFY(menu->isVisible());
    menu->close();

    bed->OnWindow(p.assignName, [&](QDialog& window) {
        QCOMPARE(Child<QLabel>(window, "lblDesc")->text(), p.itemDesc);
        QVERIFY(!Child<QPushButton>(window, "cmdSearch")->isEnabled());
        auto* comment = Child<QLineEdit>(window, "txtComment");
        QCOMPARE(comment->text(), QStringLiteral("once a day"));
        comment->clear();
        QTest::keyClicks(comment, QStringLiteral("with food"));
        Click(window, "cmdAdd");
        QVERIFY(!window.isVisible());
    });
    Click(*list, "cmdEdit");
    QVERIFY(bed->AllWindowsSeen());
    QCOMPARE(StoredComment(p, 1, p.itemId), QStringLiteral("with food"));
    QCOMPARE(StoredComment(p, 2, p.itemId), QStringLiteral("other patient"));
    QCOMPARE(LinkCount(p, 1), 1);
    QCOMPARE(RowTexts(*grid, 0),
             (QStringList{QString::number(p.itemId), p.itemDesc, QStringLiteral("with food")}));
    QVERIFY(bed->notices.isEmpty());

    // Cancel writes nothing.
    bed->OnWindow(p.assignName, [&](QDialog& window) {
        QTest::keyClicks(Child<QLineEdit>(window, "txtComment"), QStringLiteral(" and water"));
        Click(window, "cmdCancel");
    });
    DoubleClickRow(*grid, 0);
    QVERIFY(bed->AllWindowsSeen());
    QCOMPARE(StoredComment(p, 1, p.itemId), QStringLiteral("with food"));
}

void tst_Assignments::alreadyAssigned()
{
    QFETCH(QString, pair);
    const Pair& p = PairNamed(pair);
    Link(p, 1, p.itemId, QStringLiteral("first"));
    auto list = OpenList(p);
    bed->OnWindow(p.assignName, [&](QDialog& window) {
        Pick(window, p.itemId, p.itemDesc);
        QTest::keyClicks(Child<QLineEdit>(window, "txtComment"), QStringLiteral("second"));
        Click(window, "cmdAdd");
        QVERIFY(!window.isVisible());
    });
    Click(*list, qPrintable(p.addButton));
    QVERIFY(bed->AllWindowsSeen());
    QCOMPARE(bed->notices, QStringList{p.alreadyAssigned});
    QCOMPARE(LinkCount(p, 1), 1);
    QCOMPARE(StoredComment(p, 1, p.itemId), QStringLiteral("first"));
    QCOMPARE(Child<QTableWidget>(*list, "gridResults")->rowCount(), 1);
}

// No keeps the row; Yes removes only this patient's link to that item. A press on the
// heading afterwards leaves nothing to edit.
void tst_Assignments::removeThroughMenu()
{
    QFETCH(QString, pair);
    const Pair& p = PairNamed(pair);
    Link(p, 1, p.itemId, QString());
    Link(p, 1, p.otherId, QString());
    Link(p, 2, p.itemId, QString());
    auto list = OpenList(p);
    auto* grid = Child<QTableWidget>(*list, "gridResults");
    const int row = RowTexts(*grid, 0).first() == QString::number(p.itemId) ? 0 : 1;
    auto* menu = Child<QMenu>(*list, "mnuItems");
    auto* deleteOpt = menu->findChild<QAction*>(QStringLiteral("mnuDeleteOpt"));
    QVERIFY(deleteOpt);

    PressRow(*grid, row, Qt::RightButton);
    QTRY_VERIFY(menu->isVisible());
    bed->Answer({false});
    deleteOpt->trigger();
    menu->close();
    QCOMPARE(bed->questions, QStringList{p.removeQuestion});
    QCOMPARE(grid->rowCount(), 2);
    QCOMPARE(LinkCount(p, 1), 2);

    PressRow(*grid, row, Qt::RightButton);
    bed->Answer({true});
    deleteOpt->trigger();
    menu->close();
    QCOMPARE(grid->rowCount(), 1);
    QCOMPARE(RowTexts(*grid, 0).first(), QString::number(p.otherId));
    QCOMPARE(LinkCount(p, 1), 1);
    QCOMPARE(LinkCount(p, 2), 1);
    QVERIFY(!Child<QPushButton>(*list, "cmdEdit")->isEnabled());

    PressRow(*grid, 0, Qt::LeftButton);
    QVERIFY(Child<QPushButton>(*list, "cmdEdit")->isEnabled());
    QTest::mousePress(grid->horizontalHeader()->viewport(), Qt::RightButton, {}, QPoint(5, 5));
    QVERIFY(!Child<QPushButton>(*list, "cmdEdit")->isEnabled());
    QVERIFY(!menu->isVisible());
}

// A link stored twice (another program's doing) shows once; removing it removes both.
void tst_Assignments::duplicateLinksListedOnce()
{
    const Pair& p = PairNamed(QStringLiteral("drug"));
    Link(p, 1, p.itemId, QStringLiteral("a"));
    Link(p, 1, p.itemId, QStringLiteral("b"));
    auto list = OpenList(p);
    auto* grid = Child<QTableWidget>(*list, "gridResults");
    QCOMPARE(grid->rowCount(), 1);
    PressRow(*grid, 0, Qt::RightButton);
    bed->Answer({true});
    Child<QMenu>(*list, "mnuItems")->findChild<QAction*>(QStringLiteral("mnuDeleteOpt"))->trigger();
    Child<QMenu>(*list, "mnuItems")->close();
    QCOMPARE(grid->rowCount(), 0);
    QCOMPARE(LinkCount(p, 1), 0);
}

void tst_Assignments::searchButtonOpensSearch()
{
    QFETCH(QString, pair);
    const Pair& p = PairNamed(pair);
    auto window = NewAssign(p);
    window->Init(1, kPatient);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    QString title;
    bed->OnWindow(QStringLiteral("frmSearch"), [&](QDialog& search) {
        title = search.windowTitle();
        search.reject();
    });
    Click(*window, "cmdSearch");
    QVERIFY(bed->AllWindowsSeen());
    QCOMPARE(title, p.searchTitle);
}

// The link was removed elsewhere between listing and editing: the window says so and
// offers a new link instead of editing nothing.
void tst_Assignments::vanishedLinkOffersNewOne()
{
    frmAssRx window;
    window.Init(1, kPatient, 2);
    window.show();
    QCOMPARE(bed->notices.size(), 1);
    QVERIFY(Child<QPushButton>(window, "cmdSearch")->isEnabled());
    QCOMPARE(Child<QLabel>(window, "lblDesc")->text(), QString());
    Pick(window, 2, QStringLiteral("Lipitor®"));
    Click(window, "cmdAdd");
    QCOMPARE(LinkCount(PairNamed(QStringLiteral("drug")), 1), 1);
}

void tst_Assignments::engineErrorKeepsWindow()
{
    frmAssHF window;
    window.Init(1, kPatient);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    Pick(window, 2, QStringLiteral("Family History"));
    QTest::keyClicks(Child<QLineEdit>(window, "txtComment"), QStringLiteral("father"));
    QCOMPARE(sqlite3_exec(AppDatabase().Handle(), "DROP TABLE PatientFactors", nullptr, nullptr,
                          nullptr),
             SQLITE_OK);
    Click(window, "cmdAdd");
    QCOMPARE(bed->notices.size(), 1);
    QVERIFY(bed->notices.first().contains(QStringLiteral("PatientFactors"), Qt::CaseInsensitive));
    QVERIFY(window.isVisible());
    QCOMPARE(Child<QLabel>(window, "lblDesc")->text(), QStringLiteral("Family History"));
    QCOMPARE(Child<QLineEdit>(window, "txtComment")->text(), QStringLiteral("father"));
}

// Both lists keep their buttons at the bottom edge; the grid takes the extra height.
void tst_Assignments::buttonsFollowBottomEdge()
{
    QFETCH(QString, pair);
    const Pair& p = PairNamed(pair);
    auto list = OpenList(p);
    QWidget* buttons[] = {Child<QPushButton>(*list, qPrintable(p.addButton)),
                          Child<QPushButton>(*list, "cmdEdit"),
                          Child<QPushButton>(*list, "cmdExit")};
    auto* grid = Child<QTableWidget>(*list, "gridResults");
    int tops[3];
    for (int i = 0; i < 3; ++i)
        tops[i] = buttons[i]->y();
    const int gridHeight = grid->height();
    list->resize(list->width(), list->height() + 120);
    QTRY_COMPARE(grid->height(), gridHeight + 120);
    for (int i = 0; i < 3; ++i)
        QCOMPARE(buttons[i]->y(), tops[i] + 120);
}

QTEST_MAIN(tst_Assignments)
#include "tst_Assignments.moc"
