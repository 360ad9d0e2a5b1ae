#include "CascadeDeletes.h"
#include "DbError.h"
#include "IdSequence.h"
#include "ScratchDatabase.h"
#include "ServerCopy.h"

#include <QProcess>
#include <QTest>

namespace
{

const char kAddPatients[] = "VELMORA_ADD_PATIENTS";

// A workstation of its own: adds patients one by one, each under a new identifier.
int addPatients(const QString& connection, int count)
{
    try {
        Database db = Database::Connect(connection);
        for (int i = 0; i < count; ++i) {
            InsertWithNewId(
                db, IdSequence::Patients, 0,
                [](qint32 id) {
                    return QStringLiteral("INSERT INTO Patients (ptid, lname) VALUES (%1, 'P')")
                        .arg(id);
                },
                dbFailOnError);
        }
        return 0;
    } catch (const DbError& e) {
        qWarning("%s", qPrintable(e.Description()));
        return 1;
    }
}

} // namespace

// Several workstations at once on one database on a server.
class TestServerEngine : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void workstationsAddingAtOnceNeverShareAnIdentifier();
    void aDeleteThatFailsPartWayLeavesEverything();
    void aLostConnectionFailsOneWriteThenComesBack();
    void aCopyToTheServerHoldsEveryRowOrNothing();

private:
    std::unique_ptr<ScratchDatabase> m_scratch;
};

void TestServerEngine::init()
{
    if (!ScratchDatabase::ServerMissing().isEmpty())
        QSKIP(qPrintable(ScratchDatabase::ServerMissing()));
    m_scratch = std::make_unique<ScratchDatabase>(ScratchDatabase::Server);
}

void TestServerEngine::workstationsAddingAtOnceNeverShareAnIdentifier()
{
    constexpr int kWorkstations = 6, kEach = 40;
    std::vector<std::unique_ptr<QProcess>> workstations;
    for (int i = 0; i < kWorkstations; ++i) {
        auto process = std::make_unique<QProcess>();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(kAddPatients, m_scratch->Connection());
        process->setProcessEnvironment(env);
        process->setProcessChannelMode(QProcess::ForwardedChannels);
        process->start(QCoreApplication::applicationFilePath(), {QString::number(kEach)});
        workstations.push_back(std::move(process));
    }
    for (auto& process : workstations) {
        QVERIFY(process->waitForFinished(120000));
        QCOMPARE(process->exitCode(), 0);
    }
    QCOMPARE(m_scratch->Dump("SELECT COUNT(*), COUNT(ptid), MAX(ptid) FROM Patients"),
             QStringLiteral("%1|%1|%1").arg(kWorkstations * kEach));
    QCOMPARE(m_scratch->Count("SELECT DISTINCT ptid FROM Patients"), kWorkstations * kEach);
}

void TestServerEngine::aDeleteThatFailsPartWayLeavesEverything()
{
    m_scratch->ExecuteAll({"INSERT INTO Patients (ptid, lname) VALUES (1, 'Kept')",
                           "INSERT INTO Communications (id, ptid) VALUES (1, 1)",
                           "INSERT INTO LabVisits (id, ptid) VALUES (1, 1)"});
    // The delete of the schedule, late in the cascade, fails.
    m_scratch->db().ExecuteDirect("DROP TABLE \"Schedule\"");
    QVERIFY_THROWS_EXCEPTION(DbError, DeletePatient(m_scratch->db(), QStringLiteral("1")));
    QCOMPARE(m_scratch->Dump("SELECT (SELECT COUNT(*) FROM Communications), (SELECT COUNT(*) "
                             "FROM LabVisits), lname FROM Patients"),
             QStringLiteral("1|1|Kept"));
}

// The server ends our session (as when it stops or restarts): the next write fails, typed,
// having stored nothing; the one after it runs on a new connection.
void TestServerEngine::aLostConnectionFailsOneWriteThenComesBack()
{
    const auto addPatient = [this] {
        return InsertWithNewId(
            m_scratch->db(), IdSequence::Patients, 0,
            [](qint32 id) { return QStringLiteral("INSERT INTO Patients (ptid) VALUES (%1)").arg(id); },
            dbFailOnError);
    };
    addPatient();
    m_scratch->OpenAgain().ExecuteDirect(
        "SELECT pg_terminate_backend(pid) FROM pg_stat_activity WHERE application_name = "
        "'Velmora' AND datname = current_database() AND pid <> pg_backend_pid()");
    try {
        addPatient();
        QFAIL("a write on a lost connection succeeded");
    } catch (const DbError& e) {
        QCOMPARE(e.GetKind(), DbError::ConnectionLost);
    }
    QCOMPARE(addPatient(), 2);
    QCOMPARE(m_scratch->Count("SELECT * FROM Patients"), 2);
}

void TestServerEngine::aCopyToTheServerHoldsEveryRowOrNothing()
{
    ScratchDatabase file(ScratchDatabase::File);
    file.db().BeginTrans();
    for (int id = 1; id <= 5000; ++id) {
        file.ExecuteAll({QStringLiteral("INSERT INTO Patients (ptid, lname, birthdate, goal_chol) "
                                        "VALUES (%1, 'O''Name %1', #3/4/1950 10:30#, %1)")
                             .arg(id),
                         QStringLiteral("INSERT INTO LabVisits (id, ptid, hdl, the_intervention) "
                                        "VALUES (%1, %1, 40, 'Statin ü')")
                             .arg(id)});
    }
    file.db().CommitTrans();
    // The server's database already holds a practice: refused, and left as it was.
    m_scratch->db().Execute("INSERT INTO Patients (ptid) VALUES (1)", dbFailOnError);
    QVERIFY_THROWS_EXCEPTION(DbError, ServerCopy::Run(file.db(), m_scratch->Connection()));
    QCOMPARE(m_scratch->Count("SELECT * FROM Patients"), 1);

    Database admin = Database::Connect(ScratchDatabase::ServerConnection());
    admin.ExecuteDirect("DROP DATABASE IF EXISTS copy_target WITH (FORCE)");
    admin.ExecuteDirect("CREATE DATABASE copy_target");
    const QString target = ScratchDatabase::ServerConnection() + " dbname=copy_target";
    const auto counts = ServerCopy::Run(file.db(), target);
    QCOMPARE(counts.size(), file.db().TableNames().size());
    Database copy = Database::Connect(target);
    for (const ServerCopy::TableCount& count : counts) {
        const QString all = "SELECT * FROM " + count.table;
        QCOMPARE(count.rows, file.Count(all));
        QCOMPARE(copy.OpenRecordset(all)->RecordCount(), count.rows);
    }
    const QString sample = "SELECT * FROM Patients, LabVisits WHERE Patients.ptid = 4321 AND "
                           "LabVisits.ptid = 4321";
    auto original = file.db().OpenRecordset(sample), copied = copy.OpenRecordset(sample);
    for (int i = 0; i < original->Fields().Count(); ++i)
        QCOMPARE(copied->Value(i), original->Value(i));
    copy.Close();
    admin.ExecuteDirect("DROP DATABASE copy_target WITH (FORCE)");
}

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (qEnvironmentVariableIsSet(kAddPatients))
        return addPatients(qEnvironmentVariable(kAddPatients), QString(argv[1]).toInt());
    TestServerEngine test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_ServerEngine.moc"
