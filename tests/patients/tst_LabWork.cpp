// Lab visits as staff enter and correct them: the lab work window alone and through the
// patient's blood work list.

#include "ListWindowTestbed.h"
#include "frmLabWork.h"
#include "frmPsBW.h"

#include <QDateEdit>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

namespace
{

const QString kRequired = QStringLiteral("One or more required fields are missing or invalid'");
const QString kUnsaved =
    QStringLiteral("There are unsaved changes.  Are you sure you want to quit?");
const QString kAnother = QStringLiteral("Enter another Lab Work Visit?");

void Type(QWidget& window, const char* box, const QString& text)
{
    auto* edit = Child<QLineEdit>(window, box);
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, text);
}

// Moves the focus on, as Tab does, so that the box is left.
void Leave(QWidget& window)
{
    Child<QWidget>(window, "txtInterventionNotes")->setFocus();
    QApplication::processEvents();
}

void AddVisit(int id, int ptid, const QString& date, int total, int hdl, int ldl)
{
    ListWindowTestbed::Exec(QStringLiteral("INSERT INTO LabVisits (id, ptid, labdate, overallcl, "
                                           "hdl, ldl, hmcyst, the_intervention) VALUES (%1, %2, "
                                           "#%3#, %4, %5, %6, 0, 'none')")
                                .arg(id)
                                .arg(ptid)
                                .arg(date)
                                .arg(total)
                                .arg(hdl)
                                .arg(ldl));
}

} // namespace

class tst_LabWork : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        bed = std::make_unique<ListWindowTestbed>();
        ListWindowTestbed::AddPatient(1, QStringLiteral("O'Hara"), QStringLiteral("2/3/2025"));
    }
    void cleanup()
    {
        QVERIFY2(bed->unanswered.isEmpty(), qPrintable(bed->unanswered.join(u'|')));
        QVERIFY2(bed->leftOpen.isEmpty(), qPrintable(bed->leftOpen.join(u'|')));
        bed.reset();
    }

    void ratio_data();
    void ratio();
    void boxesHoldOnlyNumbers_data();
    void boxesHoldOnlyNumbers();
    void requiredResults_data();
    void requiredResults();
    void enterAnotherLoopAndList();
    void editRowThroughList();
    void unsavedChangesQuestion();
    void deleteQuestionAndReload();
    void pressesSelectRows();
    void vanishedVisit();

private:
    std::unique_ptr<ListWindowTestbed> bed;
};

void tst_LabWork::ratio_data()
{
    QTest::addColumn<QString>("total");
    QTest::addColumn<QString>("hdl");
    QTest::addColumn<QString>("shown");
    QTest::newRow("whole") << "200"
                           << "50"
                           << "4";
    QTest::newRow("two places") << "210"
                                << "45"
                                << "4.67";
    QTest::newRow("repeating") << "200"
                               << "60"
                               << "3.33";
    QTest::newRow("one place") << "33"
                               << "10"
                               << "3.3";
    QTest::newRow("half to even, down") << "1"
                                        << "8"
                                        << "0.12";
    QTest::newRow("half to even, up") << "3"
                                      << "8"
                                      << "0.38";
    QTest::newRow("decimals rounded first") << "200.5"
                                            << "50"
                                            << "4";
    QTest::newRow("HDL zero") << "200"
                              << "0"
                              << "";
    QTest::newRow("HDL empty") << "200"
                               << ""
                               << "";
}

void tst_LabWork::ratio()
{
    QFETCH(QString, total);
    QFETCH(QString, hdl);
    QFETCH(QString, shown);
    frmLabWork window;
    window.Init(QStringLiteral("O'Hara, Ann"), 1);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    Type(window, "txtHDL", QStringLiteral("40"));
    Type(window, "txtOverallCL", QStringLiteral("100"));
    Leave(window);
    QCOMPARE(Child<QLabel>(window, "lblCh_LDL_Ratio")->text(), QStringLiteral("2.5"));
    // Changing the total afterwards recomputes too, so the ratio matches the boxes.
    Type(window, "txtOverallCL", total);
    Type(window, "txtHDL", hdl);
    Leave(window);
    QCOMPARE(Child<QLabel>(window, "lblCh_LDL_Ratio")->text(), shown);
}

void tst_LabWork::boxesHoldOnlyNumbers_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("left");
    QTest::newRow("letters and separators refused") << "1a2,3 x"
                                                    << "123";
    QTest::newRow("plus refused") << "+45"
                                  << "45";
    QTest::newRow("minus kept") << "-45"
                                << "-45";
    QTest::newRow("lone minus cleared") << "-"
                                        << "";
    QTest::newRow("lone point cleared") << "."
                                        << "";
    QTest::newRow("half to even down") << "12.5"
                                       << "12";
    QTest::newRow("half to even up") << "13.5"
                                     << "14";
    QTest::newRow("above half") << "12.51"
                                << "13";
    QTest::newRow("below half") << "12.49"
                                << "12";
    QTest::newRow("largest") << "2147483647"
                             << "2147483647";
    QTest::newRow("beyond 32 bits refused") << "2147483648"
                                            << "214748364";
}

void tst_LabWork::boxesHoldOnlyNumbers()
{
    QFETCH(QString, typed);
    QFETCH(QString, left);
    frmLabWork window;
    window.Init(QStringLiteral("O'Hara, Ann"), 1);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    Type(window, "txtCRP", typed);
    Leave(window);
    QCOMPARE(Child<QLineEdit>(window, "txtCRP")->text(), left);
}

void tst_LabWork::requiredResults_data()
{
    QTest::addColumn<QString>("total");
    QTest::addColumn<QString>("hdl");
    QTest::addColumn<QString>("ldl");
    QTest::newRow("LDL empty") << "200"
                               << "50"
                               << "";
    QTest::newRow("HDL zero") << "200"
                              << "0"
                              << "120";
    QTest::newRow("total rounds to zero") << "0.4"
                                          << "50"
                                          << "120";
}

void tst_LabWork::requiredResults()
{
    QFETCH(QString, total);
    QFETCH(QString, hdl);
    QFETCH(QString, ldl);
    frmLabWork window;
    window.Init(QStringLiteral("O'Hara, Ann"), 1);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    for (const char* box : {"txtLp_a", "txtTriglyc", "txtHMCYST", "txtCRP", "txtSGOTAST",
                            "txtSGPTALT", "txtCPK", "txtTSH"})
        Type(window, box, QStringLiteral("7"));
    Type(window, "txtOverallCL", total);
    Type(window, "txtHDL", hdl);
    Type(window, "txtLDL", ldl);
    QTest::mouseClick(Child<QPushButton>(window, "cmdSave"), Qt::LeftButton);
    QCOMPARE(bed->notices, QStringList{kRequired});
    QVERIFY(bed->questions.isEmpty());
    QVERIFY(window.isVisible());
    QCOMPARE(ListWindowTestbed::Value(QStringLiteral("SELECT count(*) FROM LabVisits")).toInt(), 0);
}

// Two visits entered in one sitting through the list; identifiers count over all patients.
void tst_LabWork::enterAnotherLoopAndList()
{
    AddVisit(7, 2, QStringLiteral("1/1/2020"), 180, 40, 100);
    frmPsBW list;
    list.Init(1, QStringLiteral("O'Hara, Ann"));
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    QCOMPARE(Child<QTableWidget>(list, "gridResults")->rowCount(), 0);
    QVERIFY(!Child<QPushButton>(list, "cmdEdit")->isEnabled());

    bed->Answer({true, false});
    bed->OnWindow(QStringLiteral("frmLabWork"), [&](QDialog& window) {
        QCOMPARE(window.windowTitle(), QStringLiteral("Lab Work Results"));
        QCOMPARE(Child<QLabel>(window, "lblFullName")->text(), QStringLiteral("O'Hara, Ann"));
        QCOMPARE(Child<QLabel>(window, "lblID")->text(), QStringLiteral("8"));
        Child<QDateEdit>(window, "DTLabDate")->setDate(QDate(2024, 3, 4));
        Type(window, "txtOverallCL", QStringLiteral("200"));
        Type(window, "txtHDL", QStringLiteral("50"));
        Type(window, "txtLDL", QStringLiteral("120.5"));
        Child<QPlainTextEdit>(window, "txtInterventionNotes")
            ->setPlainText(QStringLiteral("  Patient's diet  "));
        QTest::mouseClick(Child<QPushButton>(window, "cmdSave"), Qt::LeftButton);
        QVERIFY(window.isVisible());
        QCOMPARE(Child<QLabel>(window, "lblID")->text(), QStringLiteral("9"));
        QCOMPARE(Child<QLineEdit>(window, "txtOverallCL")->text(), QString());
        QCOMPARE(Child<QLabel>(window, "lblCh_LDL_Ratio")->text(), QString());
        QCOMPARE(Child<QDateEdit>(window, "DTLabDate")->date(), QDate::currentDate());
        Child<QDateEdit>(window, "DTLabDate")->setDate(QDate(2024, 11, 5));
        Type(window, "txtOverallCL", QStringLiteral("190"));
        Type(window, "txtHDL", QStringLiteral("55"));
        Type(window, "txtLDL", QStringLiteral("110"));
        QTest::mouseClick(Child<QPushButton>(window, "cmdSave"), Qt::LeftButton);
        QVERIFY(!window.isVisible());
    });
    QTest::mouseClick(Child<QPushButton>(list, "cmdAddLV"), Qt::LeftButton);
    QVERIFY(bed->AllWindowsSeen());
    QCOMPARE(bed->questions, (QStringList{kAnother, kAnother}));

    auto* grid = Child<QTableWidget>(list, "gridResults");
    QCOMPARE(grid->rowCount(), 2);
    QCOMPARE(RowTexts(*grid, 0), (QStringList{"9", "11/5/2024", "190", "55", "110"}));
    QCOMPARE(RowTexts(*grid, 1), (QStringList{"8", "3/4/2024", "200", "50", "120"}));
    QCOMPARE(ListWindowTestbed::Value(
                 QStringLiteral("SELECT the_intervention FROM LabVisits WHERE id = 8")),
             QVariant(QStringLiteral("Patient's diet")));
    QCOMPARE(ListWindowTestbed::Value(QStringLiteral("SELECT hmcyst FROM LabVisits WHERE id = 8")),
             QVariant(0));
    QCOMPARE(ListWindowTestbed::Value(QStringLiteral("SELECT ptid FROM LabVisits WHERE id = 9")),
             QVariant(1));
    QCOMPARE(ListWindowTestbed::Value(QStringLiteral("SELECT adddate FROM LabVisits WHERE id = 9"))
                 .toDateTime()
                 .date(),
             QDate::currentDate());
}

void tst_LabWork::editRowThroughList()
{
    AddVisit(1, 1, QStringLiteral("3/4/2024"), 200, 50, 120);
    AddVisit(2, 1, QStringLiteral("6/7/2024"), 210, 45, 130);
    frmPsBW list;
    list.Init(1, QStringLiteral("O'Hara, Ann"));
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    auto* grid = Child<QTableWidget>(list, "gridResults");

    bed->OnWindow(QStringLiteral("frmLabWork"), [&](QDialog& window) {
        QCOMPARE(Child<QLabel>(window, "lblID")->text(), QStringLiteral("1"));
        QCOMPARE(Child<QLineEdit>(window, "txtHMCYST")->text(), QString());
        QCOMPARE(Child<QLabel>(window, "lblCh_LDL_Ratio")->text(), QStringLiteral("4"));
        QCOMPARE(Child<QPlainTextEdit>(window, "txtInterventionNotes")->toPlainText(),
                 QStringLiteral("none"));
        Type(window, "txtLDL", QStringLiteral("99"));
        Type(window, "txtHMCYST", QStringLiteral("8"));
        QTest::mouseClick(Child<QPushButton>(window, "cmdSave"), Qt::LeftButton);
        QVERIFY(!window.isVisible());
    });
    DoubleClickRow(*grid, 1);
    QVERIFY(bed->AllWindowsSeen());
    QVERIFY(bed->questions.isEmpty());
    QCOMPARE(RowTexts(*grid, 1), (QStringList{"1", "3/4/2024", "200", "50", "99"}));
    QCOMPARE(ListWindowTestbed::Value(QStringLiteral("SELECT hmcyst FROM LabVisits WHERE id = 1")),
             QVariant(8));
    QCOMPARE(ListWindowTestbed::Value(QStringLiteral("SELECT count(*) FROM LabVisits")).toInt(), 2);
    // The edited visit stays selected, so Edit opens it again.
    QVERIFY(Child<QPushButton>(list, "cmdEdit")->isEnabled());
    bed->OnWindow(QStringLiteral("frmLabWork"), [&](QDialog& window) {
        QCOMPARE(Child<QLabel>(window, "lblID")->text(), QStringLiteral("1"));
        QTest::mouseClick(Child<QPushButton>(window, "cmdCancel"), Qt::LeftButton);
    });
    QTest::mouseClick(Child<QPushButton>(list, "cmdEdit"), Qt::LeftButton);
    QVERIFY(bed->AllWindowsSeen());
}

void tst_LabWork::unsavedChangesQuestion()
{
    AddVisit(1, 1, QStringLiteral("3/4/2024"), 200, 50, 120);
    frmLabWork window;
    window.Init(QStringLiteral("O'Hara, Ann"), 1, 1);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    // An unchanged result typed again with decimals is the same stored number.
    Type(window, "txtOverallCL", QStringLiteral("200.4"));
    QTest::mouseClick(Child<QPushButton>(window, "cmdCancel"), Qt::LeftButton);
    QVERIFY(!window.isVisible());
    QVERIFY(bed->questions.isEmpty());

    window.Init(QStringLiteral("O'Hara, Ann"), 1, 1);
    window.show();
    Child<QDateEdit>(window, "DTLabDate")->setDate(QDate(2024, 3, 5));
    bed->Answer({false, true});
    QTest::mouseClick(Child<QPushButton>(window, "cmdCancel"), Qt::LeftButton);
    QVERIFY(window.isVisible());
    window.close();
    QVERIFY(!window.isVisible());
    QCOMPARE(bed->questions, (QStringList{kUnsaved, kUnsaved}));

    // A new, untouched form closes without a question, also after "enter another".
    bed->questions.clear();
    window.Init(QStringLiteral("O'Hara, Ann"), 1);
    window.show();
    Type(window, "txtOverallCL", QStringLiteral("200"));
    Type(window, "txtHDL", QStringLiteral("50"));
    Type(window, "txtLDL", QStringLiteral("120"));
    bed->Answer({true});
    QTest::mouseClick(Child<QPushButton>(window, "cmdSave"), Qt::LeftButton);
    QTest::keyClick(&window, Qt::Key_Escape);
    QVERIFY(!window.isVisible());
    QCOMPARE(bed->questions, QStringList{kAnother});
}

void tst_LabWork::deleteQuestionAndReload()
{
    AddVisit(1, 1, QStringLiteral("3/4/2024"), 200, 50, 120);
    AddVisit(2, 1, QStringLiteral("6/7/2024"), 210, 45, 130);
    AddVisit(3, 2, QStringLiteral("6/7/2024"), 210, 45, 130);
    frmPsBW list;
    list.Init(1, QStringLiteral("O'Hara, Ann"));
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    auto* grid = Child<QTableWidget>(list, "gridResults");
    auto* menu = Child<QMenu>(list, "mnuItems");
    auto* deleteOpt = Child<QAction>(list, "mnuDeleteOpt");

    PressRow(*grid, 1, Qt::RightButton);
    QVERIFY(menu->isVisible());
    menu->hide();
    bed->Answer({false});
    deleteOpt->trigger();
    QCOMPARE(bed->questions, QStringList{"Remove Lab Visit '3/4/2024' for this Patient?"});
    QCOMPARE(grid->rowCount(), 2);

    PressRow(*grid, 1, Qt::RightButton);
    menu->hide();
    bed->Answer({true});
    deleteOpt->trigger();
    QCOMPARE(grid->rowCount(), 1);
    QCOMPARE(RowTexts(*grid, 0).first(), QStringLiteral("2"));
    QCOMPARE(ListWindowTestbed::Value(QStringLiteral("SELECT count(*) FROM LabVisits")).toInt(), 2);

    // After the reload no row is selected: Edit and Delete do nothing.
    QVERIFY(!Child<QPushButton>(list, "cmdEdit")->isEnabled());
    deleteOpt->trigger();
    Child<QAction>(list, "mnuEditOpt")->trigger();
    QCOMPARE(bed->questions.size(), 2);
    QCOMPARE(grid->rowCount(), 1);
}

void tst_LabWork::pressesSelectRows()
{
    AddVisit(1, 1, QStringLiteral("3/4/2024"), 200, 50, 120);
    frmPsBW list;
    list.Init(1, QStringLiteral("O'Hara, Ann"));
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    auto* grid = Child<QTableWidget>(list, "gridResults");
    auto* cmdEdit = Child<QPushButton>(list, "cmdEdit");
    auto* menu = Child<QMenu>(list, "mnuItems");

    PressRow(*grid, 0);
    QVERIFY(cmdEdit->isEnabled());
    QVERIFY(!menu->isVisible());
    const QPoint belowRows(5, grid->viewport()->height() - 3);
    QTest::mousePress(grid->viewport(), Qt::RightButton, {}, belowRows);
    QVERIFY(!cmdEdit->isEnabled());
    QVERIFY(!menu->isVisible());
    PressRow(*grid, 0);
    QTest::mousePress(grid->horizontalHeader()->viewport(), Qt::RightButton, {}, QPoint(5, 5));
    QVERIFY(!cmdEdit->isEnabled());
    QVERIFY(!menu->isVisible());
    // A double click on no row opens nothing.
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, belowRows);
    QVERIFY(bed->AllWindowsSeen());
}

// A visit deleted on another workstation meanwhile.
void tst_LabWork::vanishedVisit()
{
    frmLabWork window;
    window.Init(QStringLiteral("O'Hara, Ann"), 1, 42);
    QCOMPARE(bed->notices.size(), 1);
    QVERIFY(!Child<QPushButton>(window, "cmdSave")->isEnabled());
    QVERIFY(!Child<QLineEdit>(window, "txtOverallCL")->isEnabled());

    AddVisit(1, 1, QStringLiteral("3/4/2024"), 200, 50, 120);
    window.Init(QStringLiteral("O'Hara, Ann"), 1, 1);
    window.show();
    QVERIFY(Child<QPushButton>(window, "cmdSave")->isEnabled());
    ListWindowTestbed::Exec(QStringLiteral("DELETE FROM LabVisits WHERE id = 1"));
    Type(window, "txtLDL", QStringLiteral("99"));
    QTest::mouseClick(Child<QPushButton>(window, "cmdSave"), Qt::LeftButton);
    QCOMPARE(bed->notices.size(), 2);
    QVERIFY(window.isVisible());
    QCOMPARE(ListWindowTestbed::Value(QStringLiteral("SELECT count(*) FROM LabVisits")).toInt(), 0);
    bed->Answer({true});
    window.close();
}

QTEST_MAIN(tst_LabWork)
#include "tst_LabWork.moc"
