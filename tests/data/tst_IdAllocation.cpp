#include "DbError.h"
#include "ScratchDatabase.h"
#include "common.h"

#include <QCoreApplication>
#include <QProcess>
#include <QTest>
#include <cstdio>

namespace {

// The test program started again with "worker", a file and a number becomes one workstation
// adding rows.
constexpr int kWorkers = 3;
constexpr int kRowsPerWorker = 150;

// Saves a new row as the windows do, under the shown identifier or the next free one, with
// more fields after the identifier when given.
qint32 save(Database& db, const IdSequence& sequence, qint32 shown, const QString& fields = {},
            const QString& values = {})
{
    const auto insert = [&](qint32 id) {
        return QStringLiteral("INSERT INTO %1 (%2%3) VALUES (%4%5)")
            .arg(sequence.table, sequence.field, fields, QString::number(id), values);
    };
    return InsertWithNewId(db, sequence, shown, insert, dbFailOnError);
}

// Adds lab visits as the lab work window does: the identifier is shown when the window
// opens and the row is saved a moment later, while other workstations do the same.
int runWorker(const QString& file, int worker)
{
    try {
        Database db = Database::Open(file);
        for (int i = 0; i < kRowsPerWorker; ++i) {
            const qint32 shown = NextId(db, IdSequence::LabVisits);
            const QString values = QStringLiteral(", %1, %2").arg(worker).arg(i);
            save(db, IdSequence::LabVisits, shown, QStringLiteral(", PtID, HDL"), values);
        }
        return 0;
    } catch (const DbError& error) {
        std::fprintf(stderr, "worker %d: %s\n", worker, qPrintable(error.Description()));
        return 1;
    }
}

} // namespace

class tst_IdAllocation : public QObject {
    Q_OBJECT

private slots:
    void concurrentWorkstationsNeverStoreOneIdTwice();
    void shownIdTakenMeanwhileIsReplaced();
    void failedInsertUndoesOnlyItself();
};

void tst_IdAllocation::concurrentWorkstationsNeverStoreOneIdTwice()
{
    ScratchDatabase s;
    std::vector<std::unique_ptr<QProcess>> workers;
    for (int w = 1; w <= kWorkers; ++w) {
        auto& process = workers.emplace_back(std::make_unique<QProcess>());
        process->setProcessChannelMode(QProcess::ForwardedChannels);
        process->start(QCoreApplication::applicationFilePath(),
                       {"worker", s.db().Name(), QString::number(w)});
    }
    for (const auto& process : workers) {
        QVERIFY(process->waitForFinished(240000));
        QCOMPARE(std::pair(process->exitStatus(), process->exitCode()),
                 std::pair(QProcess::NormalExit, 0));
    }
    QVariantList expected;
    for (int id = 1; id <= kWorkers * kRowsPerWorker; ++id)
        expected.append(id);
    QCOMPARE(s.Column(QStringLiteral("SELECT ID FROM LabVisits ORDER BY ID")), expected);
    QCOMPARE(s.Dump("SELECT PtID, COUNT(*) FROM LabVisits GROUP BY PtID ORDER BY PtID"),
             QStringLiteral("1|150\n2|150\n3|150"));
}

// 1 for an empty table, then the largest stored value plus one, not the count of rows. A shown
// identifier still free is kept; none shown takes the next one. The other workstation goes
// through the application's database, as the windows do.
void tst_IdAllocation::shownIdTakenMeanwhileIsReplaced()
{
    ScratchDatabase s;
    SetAppDatabase(s.OpenAgain());
    const IdSequence& patients = IdSequence::Patients;
    const qint32 shown = NextId(s.db(), patients);
    QCOMPARE(std::pair(shown, NextId(patients)), std::pair(1, 1));
    QCOMPARE(InsertWithNewId(patients, shown,
                             [](qint32 id) {
                                 return QStringLiteral("INSERT INTO Patients (ptid, lname) "
                                                       "VALUES (%1, 'There')").arg(id);
                             }, 0), 1);
    QCOMPARE(save(s.db(), patients, shown, ", lname", ", 'Here'"), 2);
    QCOMPARE(save(s.db(), patients, 5, ", lname", ", 'Free'"), 5);
    QCOMPARE(save(AppDatabase(), patients, 0, ", lname", ", 'Unshown'"), 6);
    QCOMPARE(s.Dump(QStringLiteral("SELECT ptid, lname FROM Patients ORDER BY ptid")),
             QStringLiteral("1|There\n2|Here\n5|Free\n6|Unshown"));
    AppDatabase().Close();
}

// Refused at the largest identifier with a message naming the table and the limit. Inside the
// caller's transaction only the failed insert is undone; on its own a failure leaves no write
// transaction behind, so another workstation writes at once.
void tst_IdAllocation::failedInsertUndoesOnlyItself()
{
    ScratchDatabase s;
    const IdSequence &patients = IdSequence::Patients, &visits = IdSequence::LabVisits;
    s.db().Execute("INSERT INTO LabVisits (ID) VALUES (2147483646)", dbFailOnError);
    QCOMPARE(save(s.db(), visits, 0), 2147483647);
    const QString message = MessageOf([&] { NextId(s.db(), visits); });
    QVERIFY2(message.contains(u"LabVisits") && message.contains(u"2147483647"),
             qPrintable(message));
    s.db().BeginTrans();
    s.db().Execute("INSERT INTO Patients (ptid, lname) VALUES (1, 'Caller')", dbFailOnError);
    QCOMPARE(save(s.db(), patients, 1, ", lname", ", 'Inner'"), 2);
    QVERIFY_THROWS_EXCEPTION(DbError, save(s.db(), patients, 0, ", goal_chol", ", 'high'"));
    s.db().CommitTrans();
    for (qint32 shown : {0, 2147483647})
        QVERIFY_THROWS_EXCEPTION(DbError, save(s.db(), visits, shown));
    QVERIFY_THROWS_EXCEPTION(DbError, save(s.db(), patients, 3, ", birthdate", ", 'not a date'"));
    Database other = s.OpenAgain();
    QCOMPARE(save(other, patients, 3, ", lname", ", 'Next'"), 3);
    QCOMPARE(s.Dump(QStringLiteral("SELECT ptid, lname FROM Patients ORDER BY ptid")),
             QStringLiteral("1|Caller\n2|Inner\n3|Next"));
    QCOMPARE(s.Column("SELECT ID FROM LabVisits ORDER BY ID"),
             QVariantList({2147483646, 2147483647}));
}

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (argc == 4 && QByteArray(argv[1]) == "worker")
        return runWorker(QString::fromLocal8Bit(argv[2]), QByteArray(argv[3]).toInt());
    tst_IdAllocation test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_IdAllocation.moc"
