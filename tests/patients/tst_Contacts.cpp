// Contacts with a patient as staff log them: the entry window and the patient's contact log.

#include "ListWindowTestbed.h"
#include "frmComm.h"
#include "frmPsComms.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTimeEdit>
#include <QtTest>

namespace
{

const QString kUnsaved =
    QStringLiteral("There are unsaved changes.  Are you sure you want to quit?");
const QString kAnother = QStringLiteral("Enter another Contact Entry?");

void AddContact(int id, int ptid, const QString& date, const QString& time, const QString& result,
                bool complete)
{
    ListWindowTestbed::Exec(
        QStringLiteral("INSERT INTO Communications (id, ptid, calldate, "
                       "calltime, result, complete) VALUES (%1, %2, #%3#, "
                       "'%4', '%5', %6)")
            .arg(id)
            .arg(ptid)
            .arg(date, time, result, complete ? QStringLiteral("True") : QStringLiteral("False")));
}

QString PatientCallDate()
{
    return ListWindowTestbed::Value(QStringLiteral("SELECT calldate FROM Patients WHERE ptid = 1"))
        .toDateTime()
        .date()
        .toString(Qt::ISODate);
}

} // namespace

class tst_Contacts : public QObject
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

    void newEntriesThroughLog();
    void outcomeCutAndQuoted();
    void logShowsEntriesInDatabaseOrder();
    void editEntryAndUnsavedQuestion();
    void removeQuestion();
    void vanishedEntry();

private:
    std::unique_ptr<ListWindowTestbed> bed;
};

// Two entries in one sitting: the stored time, "False" for an unticked box, identifiers over
// all patients, and the patient's call date left alone.
void tst_Contacts::newEntriesThroughLog()
{
    AddContact(4, 2, QStringLiteral("1/2/2024"), QStringLiteral("09:00:00"), QString(), true);
    frmPsComms log;
    log.Init(1, QStringLiteral("O'Hara, Ann"));
    log.show();
    QVERIFY(QTest::qWaitForWindowExposed(&log));
    QCOMPARE(log.windowTitle(), QStringLiteral("Contact log for Patient"));

    bed->Answer({true, false});
    bed->OnWindow(QStringLiteral("frmComm"), [&](QDialog& window) {
        QCOMPARE(window.windowTitle(), QStringLiteral("Patient Contact Entry"));
        QCOMPARE(Child<QLabel>(window, "lblID")->text(), QStringLiteral("5"));
        QCOMPARE(Child<QDateEdit>(window, "dtCallDate")->date(), QDate::currentDate());
        QVERIFY(qAbs(Child<QTimeEdit>(window, "dtcalltime")->time().secsTo(QTime::currentTime())) <
                60);
        Child<QTimeEdit>(window, "dtcalltime")->setTime(QTime(14, 5, 9));
        QTest::mouseClick(Child<QPushButton>(window, "cmdSave"), Qt::LeftButton);
        QVERIFY(window.isVisible());
        QCOMPARE(Child<QLabel>(window, "lblID")->text(), QStringLiteral("6"));
        QCOMPARE(Child<QLineEdit>(window, "txtResult")->text(), QString());
        Child<QDateEdit>(window, "dtCallDate")->setDate(QDate(2024, 3, 4));
        Child<QTimeEdit>(window, "dtcalltime")->setTime(QTime(8, 30, 0));
        QTest::keyClicks(Child<QLineEdit>(window, "txtResult"), QStringLiteral("  Reached  "));
        Child<QCheckBox>(window, "chkSuccess")->setChecked(true);
        QTest::mouseClick(Child<QPushButton>(window, "cmdSave"), Qt::LeftButton);
        QVERIFY(!window.isVisible());
    });
    QTest::mouseClick(Child<QPushButton>(log, "cmdAssign"), Qt::LeftButton);
    QVERIFY(bed->AllWindowsSeen());
    QCOMPARE(bed->questions, (QStringList{kAnother, kAnother}));

    const auto value = [](const char* sql) {
        return ListWindowTestbed::Value(QString::fromLatin1(sql));
    };
    QCOMPARE(value("SELECT calltime FROM Communications WHERE id = 5"), QVariant("14:05:09"));
    QCOMPARE(value("SELECT result FROM Communications WHERE id = 5"), QVariant(QString()));
    QCOMPARE(value("SELECT complete FROM Communications WHERE id = 5"), QVariant(false));
    QCOMPARE(value("SELECT calldate FROM Communications WHERE id = 5").toDateTime().date(),
             QDate::currentDate());
    QCOMPARE(value("SELECT ptid FROM Communications WHERE id = 6"), QVariant(1));
    QCOMPARE(
        value("SELECT count(*) FROM Communications WHERE complete = True AND ptid = 1").toInt(), 1);
    QCOMPARE(PatientCallDate(), QStringLiteral("2025-02-03"));

    auto* grid = Child<QTableWidget>(log, "gridResults");
    QCOMPARE(grid->rowCount(), 2);
    QCOMPARE(RowTexts(*grid, 1), (QStringList{"6", "03/04/2024", "08:30:00", "Reached", "X"}));
    QCOMPARE(RowTexts(*grid, 0).last(), QString());
}

void tst_Contacts::outcomeCutAndQuoted()
{
    const QString outcome =
        QStringLiteral("Left a message with the patient's daughter; she will call back on Monday");
    frmComm window;
    window.Init(QStringLiteral("O'Hara, Ann"), 1);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QTest::keyClicks(Child<QLineEdit>(window, "txtResult"), outcome);
    bed->Answer({false});
    QTest::mouseClick(Child<QPushButton>(window, "cmdSave"), Qt::LeftButton);
    QVERIFY(!window.isVisible());
    QCOMPARE(ListWindowTestbed::Value(QStringLiteral("SELECT result FROM Communications")),
             QVariant(outcome.left(60)));
    QCOMPARE(PatientCallDate(), QStringLiteral("2025-02-03"));
}

void tst_Contacts::logShowsEntriesInDatabaseOrder()
{
    AddContact(5, 1, QStringLiteral("1/2/2024"), QStringLiteral("09:00:00"), QStringLiteral("a"),
               false);
    AddContact(2, 1, QStringLiteral("5/6/2024"), QStringLiteral("10:00:00"), QStringLiteral("b"),
               true);
    AddContact(9, 1, QStringLiteral("3/4/2024"), QStringLiteral("11:00:00"), QStringLiteral("c"),
               false);
    AddContact(3, 2, QStringLiteral("3/4/2024"), QStringLiteral("11:00:00"), QStringLiteral("d"),
               false);
    frmPsComms log;
    log.Init(1, QStringLiteral("O'Hara, Ann"));
    log.show();
    QVERIFY(QTest::qWaitForWindowExposed(&log));
    auto* grid = Child<QTableWidget>(log, "gridResults");
    QCOMPARE(grid->rowCount(), 3);
    QCOMPARE(RowTexts(*grid, 0), (QStringList{"5", "01/02/2024", "09:00:00", "a", ""}));
    QCOMPARE(RowTexts(*grid, 1), (QStringList{"2", "05/06/2024", "10:00:00", "b", "X"}));
    QCOMPARE(RowTexts(*grid, 2).first(), QStringLiteral("9"));
    QCOMPARE(grid->columnWidth(2), log.TwipsToPixels(1000));

    bed->Answer({false});
    bed->OnWindow(QStringLiteral("frmComm"), [](QDialog& window) {
        QTest::mouseClick(Child<QPushButton>(window, "cmdSave"), Qt::LeftButton);
    });
    QTest::mouseClick(Child<QPushButton>(log, "cmdAssign"), Qt::LeftButton);
    QVERIFY(bed->AllWindowsSeen());
    QCOMPARE(grid->rowCount(), 4);
    QCOMPARE(RowTexts(*grid, 3).first(), QStringLiteral("10"));
    QCOMPARE(grid->columnWidth(2), log.TwipsToPixels(760));
}

void tst_Contacts::editEntryAndUnsavedQuestion()
{
    AddContact(1, 1, QStringLiteral("1/2/2024"), QStringLiteral("09:15:30"), QStringLiteral("Busy"),
               true);
    frmPsComms log;
    log.Init(1, QStringLiteral("O'Hara, Ann"));
    log.show();
    QVERIFY(QTest::qWaitForWindowExposed(&log));
    auto* grid = Child<QTableWidget>(log, "gridResults");

    bed->OnWindow(QStringLiteral("frmComm"), [](QDialog& window) {
        QVERIFY(Child<QCheckBox>(window, "chkSuccess")->isChecked());
        QCOMPARE(Child<QTimeEdit>(window, "dtcalltime")->time(), QTime(9, 15, 30));
        QCOMPARE(Child<QDateEdit>(window, "dtCallDate")->date(), QDate(2024, 1, 2));
        QCOMPARE(Child<QLineEdit>(window, "txtResult")->text(), QStringLiteral("Busy"));
        QTest::mouseClick(Child<QPushButton>(window, "cmdCancel"), Qt::LeftButton);
    });
    DoubleClickRow(*grid, 0);
    QVERIFY(bed->AllWindowsSeen());
    QVERIFY(bed->questions.isEmpty());

    bed->Answer({false});
    bed->OnWindow(QStringLiteral("frmComm"), [&](QDialog& window) {
        Child<QCheckBox>(window, "chkSuccess")->setChecked(false);
        QTest::mouseClick(Child<QPushButton>(window, "cmdCancel"), Qt::LeftButton);
        QVERIFY(window.isVisible());
        QCOMPARE(bed->questions, QStringList{kUnsaved});
        auto* outcome = Child<QLineEdit>(window, "txtResult");
        outcome->clear();
        QTest::keyClicks(outcome, QStringLiteral("No answer"));
        QTest::mouseClick(Child<QPushButton>(window, "cmdSave"), Qt::LeftButton);
        QVERIFY(!window.isVisible());
    });
    QTest::mouseClick(Child<QPushButton>(log, "cmdEdit"), Qt::LeftButton);
    QVERIFY(bed->AllWindowsSeen());
    QCOMPARE(RowTexts(*grid, 0), (QStringList{"1", "01/02/2024", "09:15:30", "No answer", ""}));
    QCOMPARE(
        ListWindowTestbed::Value(QStringLiteral("SELECT count(*) FROM Communications")).toInt(), 1);
    QCOMPARE(PatientCallDate(), QStringLiteral("2025-02-03"));
}

void tst_Contacts::removeQuestion()
{
    AddContact(1, 1, QStringLiteral("1/2/2024"), QStringLiteral("09:15:30"), QString(), false);
    AddContact(2, 1, QStringLiteral("3/4/2024"), QStringLiteral("09:15:30"), QString(), false);
    frmPsComms log;
    log.Init(1, QStringLiteral("O'Hara, Ann"));
    log.show();
    QVERIFY(QTest::qWaitForWindowExposed(&log));
    auto* grid = Child<QTableWidget>(log, "gridResults");
    PressRow(*grid, 1, Qt::RightButton);
    Child<QMenu>(log, "mnuItems")->hide();
    bed->Answer({true});
    Child<QAction>(log, "mnuDeleteOpt")->trigger();
    QCOMPARE(bed->questions, QStringList{"Remove Entry '03/04/2024' for this Patient"});
    QCOMPARE(grid->rowCount(), 1);
    QCOMPARE(RowTexts(*grid, 0).first(), QStringLiteral("1"));
}

void tst_Contacts::vanishedEntry()
{
    frmComm window;
    window.Init(QStringLiteral("O'Hara, Ann"), 1, 12);
    QCOMPARE(bed->notices.size(), 1);
    QVERIFY(!Child<QPushButton>(window, "cmdSave")->isEnabled());
    QVERIFY(!Child<QLineEdit>(window, "txtResult")->isEnabled());
}

QTEST_MAIN(tst_Contacts)
#include "tst_Contacts.moc"
