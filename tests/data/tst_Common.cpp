#include "DbError.h"
#include "ScratchDatabase.h"
#include "common.h"

#include <QTest>
#include <sqlite3.h>

namespace {

// Answers every box as the test says and keeps what was shown.
struct RecordedBoxes {
    QList<std::pair<MessageKind, QString>> shown;
    bool answer = false;

    ~RecordedBoxes()
    {
        SetMessageHook([](MessageKind, const QString&) { return false; });
    }

    void Install()
    {
        SetMessageHook([this](MessageKind kind, const QString& prompt) {
            shown.append({kind, prompt});
            return kind == MessageKind::Question ? answer : true;
        });
    }
};

// The six sequences by the table they allocate for, so that test rows can name them.
const IdSequence& sequenceOf(const QString& table)
{
    for (const IdSequence* s : {&IdSequence::Patients, &IdSequence::Doctors, &IdSequence::Drugs,
                                &IdSequence::HealthFactors, &IdSequence::LabVisits,
                                &IdSequence::Communications}) {
        if (s->table == table)
            return *s;
    }
    qFatal("no sequence for %s", qPrintable(table));
}

// The six tables that refer to a patient.
const QStringList kPatientTables = {
    QStringLiteral("Communications"), QStringLiteral("LabVisits"),
    QStringLiteral("PatientFactors"), QStringLiteral("PatientsDoctors"),
    QStringLiteral("PrintLog"),       QStringLiteral("Schedule")};

// Patients 1 and 2, each with one row in every table that refers to a patient.
void addTwoPatients(ScratchDatabase& s)
{
    for (const char* pt : {"1", "2"}) {
        const QString id = QString::fromLatin1(pt);
        s.db().Execute(QStringLiteral("INSERT INTO Patients (ptid, lname) VALUES (%1, 'P%1')").arg(id),
                       dbFailOnError);
        for (const QString& table : kPatientTables)
            s.db().Execute(QStringLiteral("INSERT INTO %1 (PtId) VALUES (%2)").arg(table, id),
                           dbFailOnError);
    }
}

int rowsOf(ScratchDatabase& s, const QString& table, const QString& where)
{
    return s.Scalar(QStringLiteral("SELECT COUNT(*) AS n FROM %1 WHERE %2").arg(table, where)).toInt();
}

// Runs SQLite text directly on the file; returns SQLite's error, empty on success.
QByteArray raw(Database& db, const char* sql)
{
    char* message = nullptr;
    sqlite3_exec(db.Handle(), sql, nullptr, nullptr, &message);
    const QByteArray text(message);
    sqlite3_free(message);
    return text;
}

// Every row of the given tables, as text to compare before and after.
QString dumpTables(ScratchDatabase& s, const QStringList& tables)
{
    QString text;
    for (const QString& table : tables)
        text += table + u':' + s.Dump(QStringLiteral("SELECT * FROM ") + table) + u'\n';
    return text;
}

} // namespace

class tst_Common : public QObject {
    Q_OBJECT

private slots:
    void textRoutines();
    void numberOrZero();
    void numberOrZeroRefusesOtherText_data();
    void numberOrZeroRefusesOtherText();
    void fieldTextOfNullValues_data();
    void fieldTextOfNullValues();
    void fieldTextOfPresentValues_data();
    void fieldTextOfPresentValues();
    void messageBoxesGoThroughTheHook();
    void runReportingErrorsShowsTheEngineError();
    void nextId_data();
    void nextId();
    void nextIdThroughTheAppDatabase();
    void deletePatientRemovesOnlyThatPatient();
    void deleteReferenceRemovesItsLinks_data();
    void deleteReferenceRemovesItsLinks();
    void cascadeFailingPartWayAppliesNothing();
    void cascadeInsideTheCallersTransaction();
    void cascadeRefusesNonNumericId_data();
    void cascadeRefusesNonNumericId();
};

void tst_Common::textRoutines()
{
    QCOMPARE(TrimText(QStringLiteral("  Smith Jones  ")), QStringLiteral("Smith Jones"));
    QCOMPARE(TrimText(QStringLiteral("   ")), QString());
    QCOMPARE(SqlQuote(QStringLiteral("O'Brien")), QStringLiteral("O''Brien"));
    QCOMPARE(SqlQuote(QStringLiteral("'a''b'")), QStringLiteral("''a''''b''"));
    QCOMPARE(SqlQuote(QStringLiteral("Smith")), QStringLiteral("Smith"));
    QCOMPARE(SqlQuote(QString()), QString());
    QCOMPARE(BlankIfZero(QStringLiteral("0")), QString());
    QCOMPARE(BlankIfZero(QStringLiteral(" 0 ")), QString());
    QCOMPARE(BlankIfZero(QStringLiteral("10")), QStringLiteral("10"));
    QCOMPARE(BlankIfZero(QString()), QString());

    // A quoted name goes into SQL and comes back as typed.
    ScratchDatabase s;
    const QString name = QStringLiteral("  O'Neil-D'Arcy ");
    s.db().Execute(QStringLiteral("INSERT INTO Doctors (DoctorID, LName) VALUES (1, '") +
                       SqlQuote(TrimText(name)) + QStringLiteral("')"),
                   dbFailOnError);
    QCOMPARE(s.Scalar(QStringLiteral("SELECT LName FROM Doctors WHERE DoctorID = 1")).toString(),
             QStringLiteral("O'Neil-D'Arcy"));
}

void tst_Common::numberOrZero()
{
    QCOMPARE(NumberOrZero(QStringLiteral("   ")), QVariant(0));
    QCOMPARE(NumberOrZero(QString()), QVariant(0));
    QCOMPARE(NumberOrZero(QStringLiteral("42")), QVariant(42));
    QCOMPARE(NumberOrZero(QStringLiteral(" 42 ")), QVariant(42));
    QCOMPARE(NumberOrZero(QStringLiteral("-7")), QVariant(-7));
    QCOMPARE(NumberOrZero(QStringLiteral("2147483647")), QVariant(2147483647));
}

void tst_Common::numberOrZeroRefusesOtherText_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("letters") << QStringLiteral("abc");
    QTest::newRow("digits and letters") << QStringLiteral("12a");
    QTest::newRow("inner blank") << QStringLiteral("4 2");
    QTest::newRow("too large") << QStringLiteral("2147483648");
    QTest::newRow("sql") << QStringLiteral("1; DELETE FROM Patients");
}

void tst_Common::numberOrZeroRefusesOtherText()
{
    QFETCH(QString, text);
    QVERIFY_THROWS_EXCEPTION(DbError, NumberOrZero(text));
}

// A snapshot keeps its values and reads them afterwards; a forward-only recordset reads
// straight from the statement: both must read alike.
static void recordsetKinds()
{
    QTest::addColumn<int>("kind");
    QTest::newRow("snapshot") << int(dbOpenSnapshot);
    QTest::newRow("forward-only") << int(dbOpenForwardOnly);
}

void tst_Common::fieldTextOfNullValues_data()
{
    recordsetKinds();
}

void tst_Common::fieldTextOfNullValues()
{
    QFETCH(int, kind);
    ScratchDatabase s;
    s.db().Execute(QStringLiteral("INSERT INTO Communications (ID) VALUES (1)"), dbFailOnError);
    s.db().Execute(QStringLiteral("INSERT INTO Patients (ptid) VALUES (1)"), dbFailOnError);
    const auto comm = s.db().OpenRecordset(QStringLiteral("SELECT * FROM Communications"), kind);
    const QVariant result = FieldText(comm->Fields()["Result"]);
    QCOMPARE(result.typeId(), QMetaType::QString);
    QCOMPARE(result.toString(), QString());
    QCOMPARE(FieldText(comm->Fields()["CallDate"]).toDateTime(),
             QDateTime(QDate(1900, 1, 1), QTime(0, 0), Qt::UTC));
    QCOMPARE(FieldText(comm->Fields()["PtId"]), QVariant(0));
    QCOMPARE(FieldText(comm->Fields()["Complete"]), QVariant(0));
    const auto patient = s.db().OpenRecordset(QStringLiteral("SELECT * FROM Patients"), kind);
    QCOMPARE(FieldText(patient->Fields()["goal_chol"]), QVariant(0));
    QCOMPARE(FieldText(patient->Fields()["Comment"]).toString(), QString());
    QVERIFY(!patient->Fields()["Comment"].Value().isValid());
}

void tst_Common::fieldTextOfPresentValues_data()
{
    recordsetKinds();
}

// Three rows, so that the later ones are read as a long listing reads them.
void tst_Common::fieldTextOfPresentValues()
{
    QFETCH(int, kind);
    ScratchDatabase s;
    for (int id : {40000, 40001, 40002}) {
        s.db().Execute(
            QStringLiteral("INSERT INTO Communications (ID, CallDate, Result, Complete) "
                           "VALUES (%1, #03/05/2004#, '  left a message  ', True)")
                .arg(id),
            dbFailOnError);
    }
    const auto rs = s.db().OpenRecordset(
        QStringLiteral("SELECT ID, CallDate, Result, Complete FROM Communications ORDER BY ID"), kind);
    for (int id = 40000; !rs->Eof(); rs->MoveNext(), ++id) {
        QCOMPARE(FieldText(rs->Fields()["Result"]).toString(), QStringLiteral("left a message"));
        QCOMPARE(rs->Fields()["Result"].Value().toString(), QStringLiteral("  left a message  "));
        QCOMPARE(FieldText(rs->Fields()["ID"]).toInt(), id);
        QCOMPARE(FieldText(rs->Fields()["CallDate"]).toDateTime().date(), QDate(2004, 3, 5));
        QCOMPARE(FieldText(rs->Fields()["Complete"]).toBool(), true);
    }
}

void tst_Common::messageBoxesGoThroughTheHook()
{
    RecordedBoxes boxes;
    boxes.Install();
    boxes.answer = false;
    QVERIFY(!AskQuestion(QStringLiteral("Delete this doctor?")));
    boxes.answer = true;
    QVERIFY(AskQuestion(QStringLiteral("Enter another Doctor?")));
    ShowAttention(QStringLiteral("Please enter a last name."));
    const QList<std::pair<MessageKind, QString>> expected = {
        {MessageKind::Question, QStringLiteral("Delete this doctor?")},
        {MessageKind::Question, QStringLiteral("Enter another Doctor?")},
        {MessageKind::Attention, QStringLiteral("Please enter a last name.")}};
    QVERIFY(boxes.shown == expected);
}

void tst_Common::runReportingErrorsShowsTheEngineError()
{
    ScratchDatabase s;
    RecordedBoxes boxes;
    boxes.Install();
    const QString bad = QStringLiteral("INSERT INTO Patients (ptid, lname) VALUES ('x', 'Smith')");
    QString engineMessage;
    try {
        s.db().Execute(bad, dbFailOnError);
    } catch (const DbError& error) {
        engineMessage = error.Message();
    }
    QVERIFY(!engineMessage.isEmpty());

    QVERIFY(!RunReportingErrors([&] { s.db().Execute(bad, dbFailOnError); }));
    QCOMPARE(boxes.shown.size(), 1);
    QVERIFY(boxes.shown[0].first == MessageKind::Attention);
    QVERIFY2(boxes.shown[0].second.contains(engineMessage), qPrintable(boxes.shown[0].second));
    QVERIFY2(boxes.shown[0].second.contains(bad), qPrintable(boxes.shown[0].second));
    QCOMPARE(s.Count(QStringLiteral("SELECT * FROM Patients")), 0);

    QVERIFY(RunReportingErrors([&] {
        s.db().Execute(QStringLiteral("INSERT INTO Patients (ptid) VALUES (1)"), dbFailOnError);
    }));
    QCOMPARE(boxes.shown.size(), 1);
    QCOMPARE(s.Count(QStringLiteral("SELECT * FROM Patients")), 1);
}

void tst_Common::nextId_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("field");
    QTest::newRow("Patients") << QStringLiteral("Patients") << QStringLiteral("ptid");
    QTest::newRow("Doctors") << QStringLiteral("Doctors") << QStringLiteral("DoctorID");
    QTest::newRow("Drugs") << QStringLiteral("Drugs") << QStringLiteral("DrugID");
    QTest::newRow("HealthFactors") << QStringLiteral("HealthFactors") << QStringLiteral("CondID");
    QTest::newRow("LabVisits") << QStringLiteral("LabVisits") << QStringLiteral("ID");
    QTest::newRow("Communications") << QStringLiteral("Communications") << QStringLiteral("ID");
}

void tst_Common::nextId()
{
    QFETCH(QString, table);
    QFETCH(QString, field);
    const IdSequence& sequence = sequenceOf(table);
    ScratchDatabase s;
    const auto insert = [&](int id) {
        s.db().Execute(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)").arg(table, field).arg(id),
                       dbFailOnError);
    };
    s.db().Execute(QStringLiteral("DELETE FROM ") + table, dbFailOnError);
    QCOMPARE(NextId(s.db(), sequence), 1);
    for (int id : {2, 7, 5})
        insert(id);
    QCOMPARE(NextId(s.db(), sequence), 8);
    s.db().Execute(QStringLiteral("DELETE FROM %1 WHERE %2 < 7").arg(table, field), dbFailOnError);
    QCOMPARE(NextId(s.db(), sequence), 8);
    s.db().Execute(QStringLiteral("DELETE FROM %1 WHERE %2 = 7").arg(table, field), dbFailOnError);
    QCOMPARE(NextId(s.db(), sequence), 1);
}

void tst_Common::nextIdThroughTheAppDatabase()
{
    ScratchDatabase s;
    SetAppDatabase(Database::Open(s.folder() + QStringLiteral("/brevoxal.mdb")));
    QCOMPARE(NextId(IdSequence::HealthFactors), 5);
    QCOMPARE(InsertWithNewId(IdSequence::HealthFactors, 5,
                             [](qint32 id) {
                                 return QStringLiteral("INSERT INTO HealthFactors (CondID, CondDesc) "
                                                       "VALUES (%1, 'Diabetes')")
                                     .arg(id);
                             },
                             dbFailOnError),
             5);
    DeleteHealthFactor(QStringLiteral("1"));
    QCOMPARE(s.Column(QStringLiteral("SELECT CondID FROM HealthFactors ORDER BY CondID")),
             QVariantList({2, 3, 4, 5}));
    AppDatabase().Close();
}

void tst_Common::deletePatientRemovesOnlyThatPatient()
{
    ScratchDatabase s;
    addTwoPatients(s);
    // The patient row goes last: the file refuses it while any row still refers to it.
    QCOMPARE(raw(s.db(), "CREATE TRIGGER dependents_first BEFORE DELETE ON Patients "
                         "WHEN EXISTS (SELECT 1 FROM Communications WHERE PtId = old.ptid "
                         "UNION ALL SELECT 1 FROM LabVisits WHERE PtId = old.ptid "
                         "UNION ALL SELECT 1 FROM PatientFactors WHERE PtId = old.ptid "
                         "UNION ALL SELECT 1 FROM PatientsDoctors WHERE PtId = old.ptid "
                         "UNION ALL SELECT 1 FROM PrintLog WHERE PtId = old.ptid "
                         "UNION ALL SELECT 1 FROM Schedule WHERE PtId = old.ptid) "
                         "BEGIN SELECT RAISE(ABORT, 'rows still refer to the patient'); END"),
             QByteArray());
    DeletePatient(s.db(), QStringLiteral("1"));
    for (const QString& table : kPatientTables + QStringList{QStringLiteral("Patients")}) {
        QVERIFY2(rowsOf(s, table, QStringLiteral("ptid = 1")) == 0, qPrintable(table));
        QVERIFY2(rowsOf(s, table, QStringLiteral("ptid = 2")) == 1, qPrintable(table));
    }
}

void tst_Common::deleteReferenceRemovesItsLinks_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("links");
    QTest::newRow("doctor") << QStringLiteral("Doctors") << QStringLiteral("DoctorID")
                            << QStringLiteral("PatientsDoctors");
    QTest::newRow("drug") << QStringLiteral("Drugs") << QStringLiteral("DrugID")
                          << QStringLiteral("Schedule");
    QTest::newRow("health factor") << QStringLiteral("HealthFactors") << QStringLiteral("CondID")
                                   << QStringLiteral("PatientFactors");
}

void tst_Common::deleteReferenceRemovesItsLinks()
{
    QFETCH(QString, table);
    QFETCH(QString, field);
    QFETCH(QString, links);
    const QHash<QString, void (*)(Database&, const QString&)> deleters = {
        {QStringLiteral("Doctors"), &DeleteDoctor},
        {QStringLiteral("Drugs"), &DeleteDrug},
        {QStringLiteral("HealthFactors"), &DeleteHealthFactor}};
    ScratchDatabase s;
    s.db().Execute(QStringLiteral("DELETE FROM ") + table, dbFailOnError);
    for (int id : {1, 2}) {
        s.db().Execute(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)").arg(table, field).arg(id),
                       dbFailOnError);
        for (int patient : {1, 2})
            s.db().Execute(QStringLiteral("INSERT INTO %1 (PtId, %2) VALUES (%3, %4)")
                               .arg(links, field)
                               .arg(patient)
                               .arg(id),
                           dbFailOnError);
    }
    deleters.value(table)(s.db(), QStringLiteral("1"));
    const QString first = field + QStringLiteral(" = 1");
    const QString second = field + QStringLiteral(" = 2");
    QCOMPARE(rowsOf(s, table, first), 0);
    QCOMPARE(rowsOf(s, links, first), 0);
    QCOMPARE(rowsOf(s, table, second), 1);
    QCOMPARE(rowsOf(s, links, second), 2);
}

void tst_Common::cascadeFailingPartWayAppliesNothing()
{
    ScratchDatabase s;
    addTwoPatients(s);
    const QStringList tables = kPatientTables + QStringList{QStringLiteral("Patients")};
    const QString before = dumpTables(s, tables);
    // The fifth statement of the cascade fails after four have run.
    QCOMPARE(raw(s.db(), "CREATE TRIGGER keep_log BEFORE DELETE ON PrintLog "
                         "BEGIN SELECT RAISE(ABORT, 'print log is locked'); END"),
             QByteArray());
    QVERIFY_THROWS_EXCEPTION(DbError, DeletePatient(s.db(), QStringLiteral("1")));
    QCOMPARE(dumpTables(s, tables), before);
    for (const QString& table : kPatientTables)
        QVERIFY2(rowsOf(s, table, QStringLiteral("ptid = 1")) == 1, qPrintable(table));

    // The failed cascade left no transaction open: the next one runs and commits.
    QCOMPARE(raw(s.db(), "DROP TRIGGER keep_log"), QByteArray());
    DeletePatient(s.db(), QStringLiteral("1"));
    QCOMPARE(rowsOf(s, QStringLiteral("Patients"), QStringLiteral("ptid = 1")), 0);
    Database other = Database::Open(s.folder() + QStringLiteral("/brevoxal.mdb"));
    QCOMPARE(other.OpenRecordset(QStringLiteral("SELECT ptid FROM Patients"))->RecordCount(), 1);
}

void tst_Common::cascadeInsideTheCallersTransaction()
{
    ScratchDatabase s;
    addTwoPatients(s);
    QCOMPARE(raw(s.db(), "CREATE TRIGGER keep_log BEFORE DELETE ON PrintLog WHEN old.PtId = 2 "
                         "BEGIN SELECT RAISE(ABORT, 'print log is locked'); END"),
             QByteArray());
    s.db().BeginTrans();
    DeletePatient(s.db(), QStringLiteral("1"));
    QVERIFY_THROWS_EXCEPTION(DbError, DeletePatient(s.db(), QStringLiteral("2")));
    s.db().CommitTrans();
    // The first cascade stays done, the failed one left patient 2 whole.
    QCOMPARE(s.Column(QStringLiteral("SELECT ptid FROM Patients")), QVariantList{2});
    for (const QString& table : kPatientTables)
        QVERIFY2(s.Column(QStringLiteral("SELECT PtId FROM ") + table) == QVariantList{2},
                 qPrintable(table));
}

void tst_Common::cascadeRefusesNonNumericId_data()
{
    QTest::addColumn<QString>("id");
    QTest::newRow("empty") << QString();
    QTest::newRow("word") << QStringLiteral("one");
    QTest::newRow("condition") << QStringLiteral("1 OR 1=1");
    QTest::newRow("second statement") << QStringLiteral("1; DELETE FROM Doctors");
}

void tst_Common::cascadeRefusesNonNumericId()
{
    QFETCH(QString, id);
    ScratchDatabase s;
    addTwoPatients(s);
    s.db().Execute(QStringLiteral("INSERT INTO Doctors (DoctorID) VALUES (1)"), dbFailOnError);
    s.db().Execute(QStringLiteral("INSERT INTO Drugs (DrugID) VALUES (1)"), dbFailOnError);
    const QStringList tables = kPatientTables + QStringList{QStringLiteral("Patients"),
                                                            QStringLiteral("Doctors"),
                                                            QStringLiteral("Drugs"),
                                                            QStringLiteral("HealthFactors")};
    const QString before = dumpTables(s, tables);
    QVERIFY_THROWS_EXCEPTION(DbError, DeletePatient(s.db(), id));
    QVERIFY_THROWS_EXCEPTION(DbError, DeleteDoctor(s.db(), id));
    QVERIFY_THROWS_EXCEPTION(DbError, DeleteDrug(s.db(), id));
    QVERIFY_THROWS_EXCEPTION(DbError, DeleteHealthFactor(s.db(), id));
    QCOMPARE(dumpTables(s, tables), before);
}

QTEST_GUILESS_MAIN(tst_Common)
#include "tst_Common.moc"
