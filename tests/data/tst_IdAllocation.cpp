#include "DbError.h"
#include "IdSequence.h"
#include "ScratchDatabase.h"

#include <QCoreApplication>
#include <QProcess>
#include <QSet>
#include <QTest>
#include <cstdio>

namespace {

// The test program started again with these set becomes one workstation adding rows.
constexpr char kWorkerFile[] = "VELMORA_ID_WORKER_FILE";
constexpr char kWorkerNumber[] = "VELMORA_ID_WORKER_NUMBER";
constexpr int kWorkers = 3;
constexpr int kRowsPerWorker = 150;

QString labVisitInsert(qint32 id, int patient, int hdl)
{
    return QStringLiteral("INSERT INTO LabVisits (ID, PtID, HDL) VALUES (%1, %2, %3)")
        .arg(id)
        .arg(patient)
        .arg(hdl);
}

// Adds lab visits as the lab work window does: the identifier is shown when the window
// opens and the row is saved a moment later, while other workstations do the same.
int runWorker(const QString& file, int worker)
{
    try {
        Database db = Database::Open(file);
        for (int i = 0; i < kRowsPerWorker; ++i) {
            const qint32 shown = NextId(db, IdSequence::LabVisits);
            InsertWithNewId(
                db, IdSequence::LabVisits, shown,
                [&](qint32 id) { return labVisitInsert(id, worker, i); }, dbFailOnError);
        }
        return 0;
    } catch (const DbError& error) {
        std::fprintf(stderr, "worker %d: %s\n", worker, qPrintable(error.Description()));
        return 1;
    }
}

QString databaseFile(const ScratchDatabase& s)
{
    return s.folder() + QStringLiteral("/brevoxal.mdb");
}

std::function<QString(qint32)> patientInsert(const QString& lastName)
{
    return [lastName](qint32 id) {
        return QStringLiteral("INSERT INTO Patients (ptid, lname) VALUES (%1, '%2')").arg(id).arg(lastName);
    };
}

} // namespace

class tst_IdAllocation : public QObject {
    Q_OBJECT

private slots:
    void concurrentWorkstationsNeverStoreOneIdTwice();
    void shownIdTakenMeanwhileIsReplaced();
    void failedInsertLeavesTheFileFree();
    void insertInsideTheCallersTransaction();
    void refusedAtTheLargestId();
    void idsBeyond16BitsAreAllocated_data();
    void idsBeyond16BitsAreAllocated();
};

void tst_IdAllocation::concurrentWorkstationsNeverStoreOneIdTwice()
{
    ScratchDatabase s;
    std::vector<std::unique_ptr<QProcess>> workers;
    for (int w = 1; w <= kWorkers; ++w) {
        auto process = std::make_unique<QProcess>();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QString::fromLatin1(kWorkerFile), databaseFile(s));
        env.insert(QString::fromLatin1(kWorkerNumber), QString::number(w));
        process->setProcessEnvironment(env);
        process->setProcessChannelMode(QProcess::ForwardedChannels);
        process->start(QCoreApplication::applicationFilePath(), QStringList());
        workers.push_back(std::move(process));
    }
    for (const auto& process : workers) {
        QVERIFY(process->waitForFinished(240000));
        QCOMPARE(process->exitStatus(), QProcess::NormalExit);
        QCOMPARE(process->exitCode(), 0);
    }

    const QVariantList ids = s.Column(QStringLiteral("SELECT ID FROM LabVisits ORDER BY ID"));
    QCOMPARE(ids.size(), kWorkers * kRowsPerWorker);
    QSet<int> distinct;
    for (const QVariant& id : ids)
        distinct.insert(id.toInt());
    QCOMPARE(distinct.size(), ids.size());
    QCOMPARE(ids.first().toInt(), 1);
    QCOMPARE(ids.last().toInt(), kWorkers * kRowsPerWorker);
    for (int w = 1; w <= kWorkers; ++w) {
        const QString sql = QStringLiteral("SELECT HDL FROM LabVisits WHERE PtID = %1 ORDER BY HDL").arg(w);
        const QVariantList rows = s.Column(sql);
        QCOMPARE(rows.size(), kRowsPerWorker);
        QCOMPARE(rows.last().toInt(), kRowsPerWorker - 1);
    }
}

void tst_IdAllocation::shownIdTakenMeanwhileIsReplaced()
{
    ScratchDatabase s;
    Database other = Database::Open(databaseFile(s));
    const qint32 shownHere = NextId(s.db(), IdSequence::Patients);
    const qint32 shownThere = NextId(other, IdSequence::Patients);
    QCOMPARE(shownHere, 1);
    QCOMPARE(shownThere, 1);
    QCOMPARE(InsertWithNewId(other, IdSequence::Patients, shownThere, patientInsert("There"),
                             dbFailOnError),
             1);
    QCOMPARE(InsertWithNewId(s.db(), IdSequence::Patients, shownHere, patientInsert("Here"),
                             dbFailOnError),
             2);
    // A shown identifier that is still free is kept; none shown takes the next one.
    QCOMPARE(InsertWithNewId(s.db(), IdSequence::Patients, 5, patientInsert("Free"), dbFailOnError), 5);
    QCOMPARE(InsertWithNewId(other, IdSequence::Patients, 0, patientInsert("Unshown"), dbFailOnError), 6);
    QCOMPARE(s.Dump(QStringLiteral("SELECT ptid, lname FROM Patients ORDER BY ptid")),
             QStringLiteral("1|There\n2|Here\n5|Free\n6|Unshown"));
}

void tst_IdAllocation::failedInsertLeavesTheFileFree()
{
    ScratchDatabase s;
    Database other = Database::Open(databaseFile(s));
    QVERIFY_THROWS_EXCEPTION(
        DbError, InsertWithNewId(s.db(), IdSequence::Patients, 1,
                                 [](qint32 id) {
                                     return QStringLiteral("INSERT INTO Patients (ptid, birthdate) "
                                                           "VALUES (%1, 'not a date')")
                                         .arg(id);
                                 },
                                 dbFailOnError));
    // No write transaction was left behind: the other workstation writes at once.
    QCOMPARE(InsertWithNewId(other, IdSequence::Patients, 1, patientInsert("Next"), dbFailOnError), 1);
    QCOMPARE(s.Dump(QStringLiteral("SELECT ptid, lname FROM Patients")), QStringLiteral("1|Next"));
}

void tst_IdAllocation::insertInsideTheCallersTransaction()
{
    ScratchDatabase s;
    s.db().BeginTrans();
    s.db().Execute(QStringLiteral("INSERT INTO Patients (ptid, lname) VALUES (1, 'Caller')"),
                   dbFailOnError);
    QCOMPARE(InsertWithNewId(s.db(), IdSequence::Patients, 1, patientInsert("Inner"), dbFailOnError), 2);
    QVERIFY_THROWS_EXCEPTION(
        DbError, InsertWithNewId(s.db(), IdSequence::Patients, 0,
                                 [](qint32 id) {
                                     return QStringLiteral("INSERT INTO Patients (ptid, goal_chol) "
                                                           "VALUES (%1, 'high')")
                                         .arg(id);
                                 },
                                 dbFailOnError));
    // Only the failed insert was undone; the caller's transaction is still open and whole.
    s.db().CommitTrans();
    QCOMPARE(s.Dump(QStringLiteral("SELECT ptid, lname FROM Patients ORDER BY ptid")),
             QStringLiteral("1|Caller\n2|Inner"));
}

void tst_IdAllocation::refusedAtTheLargestId()
{
    ScratchDatabase s;
    s.db().Execute(labVisitInsert(2147483646, 1, 0), dbFailOnError);
    QCOMPARE(NextId(s.db(), IdSequence::LabVisits), 2147483647);
    QCOMPARE(InsertWithNewId(s.db(), IdSequence::LabVisits, 2147483647,
                             [](qint32 id) { return labVisitInsert(id, 1, 1); }, dbFailOnError),
             2147483647);
    const QString before = s.Dump(QStringLiteral("SELECT ID, HDL FROM LabVisits ORDER BY ID"));

    try {
        NextId(s.db(), IdSequence::LabVisits);
        QFAIL("NextId gave an identifier beyond the largest one");
    } catch (const DbError& error) {
        QVERIFY2(error.Message().contains(QStringLiteral("LabVisits")), qPrintable(error.Message()));
        QVERIFY2(error.Message().contains(QStringLiteral("2147483647")), qPrintable(error.Message()));
    }
    for (qint32 shown : {0, 2147483647}) {
        QVERIFY_THROWS_EXCEPTION(DbError,
                                 InsertWithNewId(s.db(), IdSequence::LabVisits, shown,
                                                 [](qint32 id) { return labVisitInsert(id, 1, 2); },
                                                 dbFailOnError));
    }
    QCOMPARE(s.Dump(QStringLiteral("SELECT ID, HDL FROM LabVisits ORDER BY ID")), before);
    // The refusal left the file writable for everyone.
    Database other = Database::Open(databaseFile(s));
    QCOMPARE(InsertWithNewId(other, IdSequence::Patients, 0, patientInsert("After"), dbFailOnError), 1);
}

void tst_IdAllocation::idsBeyond16BitsAreAllocated_data()
{
    QTest::addColumn<int>("largest");
    QTest::newRow("16-bit limit") << 32767;
    QTest::newRow("unsigned 16-bit limit") << 65535;
    QTest::newRow("a million") << 1000000;
}

void tst_IdAllocation::idsBeyond16BitsAreAllocated()
{
    QFETCH(int, largest);
    ScratchDatabase s;
    s.db().Execute(QStringLiteral("INSERT INTO Communications (ID, PtId) VALUES (%1, 1)").arg(largest),
                   dbFailOnError);
    QCOMPARE(NextId(s.db(), IdSequence::Communications), largest + 1);
    for (int i = 1; i <= 2; ++i) {
        const qint32 stored = InsertWithNewId(
            s.db(), IdSequence::Communications, 0,
            [](qint32 id) {
                return QStringLiteral("INSERT INTO Communications (ID, PtId) VALUES (%1, 1)").arg(id);
            },
            dbFailOnError);
        QCOMPARE(stored, largest + i);
    }
    QCOMPARE(s.Column(QStringLiteral("SELECT ID FROM Communications ORDER BY ID")),
             QVariantList({largest, largest + 1, largest + 2}));
}

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QString workerFile = qEnvironmentVariable(kWorkerFile);
    if (!workerFile.isEmpty())
        return runWorker(workerFile, qEnvironmentVariableIntValue(kWorkerNumber));
    tst_IdAllocation test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_IdAllocation.moc"
