#include "DbError.h"
#include "ScratchDatabase.h"
#include "StatementRun.h"
#include "common.h"

#include <QTest>
#include <sqlite3.h>

namespace {

// Answers every box as the test says and keeps what was shown.
struct RecordedBoxes {
    QList<std::pair<MessageKind, QString>> shown;
    bool answer = false;

    RecordedBoxes()
    {
        SetMessageHook([this](MessageKind kind, const QString& prompt) {
            shown.append({kind, prompt});
            return kind == MessageKind::Question ? answer : true;
        });
    }
    ~RecordedBoxes() { SetMessageHook([](MessageKind, const QString&) { return false; }); }
};

// The six tables that refer to a patient, and the patients themselves.
const QStringList kPatientTables = {"Communications", "LabVisits", "PatientFactors",
                                    "PatientsDoctors", "PrintLog", "Schedule"};
const QStringList kPatientRows = kPatientTables + QStringList{"Patients"};

// Patients 1 and 2, each with one row in every table that refers to a patient.
void addTwoPatients(ScratchDatabase& s)
{
    for (const QString id : {"1", "2"}) {
        QStringList rows = {"INSERT INTO Patients (ptid, lname) VALUES (%1, 'P%1')"};
        for (const QString& table : kPatientTables)
            rows.append("INSERT INTO " + table + " (PtId) VALUES (%1)");
        s.ExecuteAll(rows.replaceInStrings(QStringLiteral("%1"), id));
    }
}

// The patient each table's rows refer to, in table order.
QStringList patientsOf(ScratchDatabase& s, const QStringList& tables)
{
    QStringList rows;
    for (const QString& table : tables)
        rows.append(table + u':' + s.Dump("SELECT ptid FROM " + table + " ORDER BY ptid"));
    return rows;
}

QStringList eachTableHolds(const QStringList& tables, const QString& rows)
{
    QStringList expected;
    for (const QString& table : tables)
        expected.append(table + u':' + rows);
    return expected;
}

// Runs SQLite text directly on the file, beside the engine.
void raw(Database& db, const char* sql)
{
    QCOMPARE(sqlite3_exec(db.Handle(), sql, nullptr, nullptr, nullptr), SQLITE_OK);
}

using TextRoutine = QString (*)(const QString&);
using Deletion = void (*)(Database&, const QString&);

} // namespace

Q_DECLARE_METATYPE(TextRoutine)
Q_DECLARE_METATYPE(Deletion)

class tst_Common : public QObject {
    Q_OBJECT

private slots:
    void textRoutines_data();
    void textRoutines();
    void numberOrZero_data();
    void numberOrZero();
    void fieldTextGivesPlainValues_data();
    void fieldTextGivesPlainValues();
    void messageBoxesGoThroughTheHook();
    void runReportingErrorsShowsTheEngineError();
    void routinesWithoutADatabaseUseTheAppDatabase();
    void deletePatientRemovesOnlyThatPatient();
    void deleteReferenceRemovesItsLinks_data();
    void deleteReferenceRemovesItsLinks();
    void cascadeIsAllOrNothing();
    void cascadeRefusesNonNumericId_data();
    void cascadeRefusesNonNumericId();
};

void tst_Common::textRoutines_data()
{
    QTest::addColumn<TextRoutine>("routine");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("result");
    QTest::newRow("trim") << &TrimText << "  Smith Jones  " << "Smith Jones";
    QTest::newRow("trim blanks") << &TrimText << "   " << "";
    QTest::newRow("quote") << &SqlQuote << "O'Brien" << "O''Brien";
    QTest::newRow("quote at the ends") << &SqlQuote << "'a''b'" << "''a''''b''";
    QTest::newRow("no quote") << &SqlQuote << "Smith" << "Smith";
    QTest::newRow("zero") << &BlankIfZero << "0" << "";
    QTest::newRow("zero in blanks") << &BlankIfZero << " 0 " << "";
    QTest::newRow("ten") << &BlankIfZero << "10" << "10";
    QTest::newRow("nothing") << &BlankIfZero << "" << "";
}

void tst_Common::textRoutines()
{
    QFETCH(TextRoutine, routine);
    QFETCH(QString, text);
    QFETCH(QString, result);
    QCOMPARE(routine(text), result);
}

void tst_Common::numberOrZero_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QVariant>("number"); // invalid: refused
    QTest::newRow("blanks") << "   " << QVariant(0);
    QTest::newRow("empty") << QString() << QVariant(0);
    QTest::newRow("number in blanks") << " 42 " << QVariant(42);
    QTest::newRow("negative") << "-7" << QVariant(-7);
    QTest::newRow("largest") << "2147483647" << QVariant(2147483647);
    QTest::newRow("too large") << "2147483648" << QVariant();
    QTest::newRow("letters") << "abc" << QVariant();
    QTest::newRow("digits and letters") << "12a" << QVariant();
    QTest::newRow("inner blank") << "4 2" << QVariant();
    QTest::newRow("sql") << "1; DELETE FROM Patients" << QVariant();
}

void tst_Common::numberOrZero()
{
    QFETCH(QString, text);
    QFETCH(QVariant, number);
    if (number.isValid())
        QCOMPARE(NumberOrZero(text), number);
    else
        QVERIFY_THROWS_EXCEPTION(DbError, NumberOrZero(text));
}

// A snapshot keeps its values and reads them afterwards; a forward-only recordset reads
// straight from the statement: both must read alike.
void tst_Common::fieldTextGivesPlainValues_data()
{
    QTest::addColumn<int>("kind");
    QTest::newRow("snapshot") << int(dbOpenSnapshot);
    QTest::newRow("forward-only") << int(dbOpenForwardOnly);
}

// Nulls read as the empty text, 0 or the no-date day; texts come trimmed. The later rows are
// read as a long listing reads them.
void tst_Common::fieldTextGivesPlainValues()
{
    QFETCH(int, kind);
    ScratchDatabase s;
    QStringList rows = {"INSERT INTO Patients (ptid) VALUES (1)",
                        "INSERT INTO Communications (ID) VALUES (1)"};
    for (const QString id : {"40000", "40001", "40002"})
        rows.append("INSERT INTO Communications (ID, CallDate, Result, Complete) VALUES (" + id +
                    ", #03/05/2004#, '  left a message  ', True)");
    s.ExecuteAll(rows);
    const auto patient = s.db().OpenRecordset(QStringLiteral("SELECT * FROM Patients"), kind);
    QCOMPARE(FieldText(patient->Fields()["goal_chol"]), QVariant(0));
    QCOMPARE(FieldText(patient->Fields()["Comment"]), QVariant(QString()));
    QVERIFY(!patient->Fields()["Comment"].Value().isValid());
    const auto rs = s.db().OpenRecordset("SELECT * FROM Communications ORDER BY ID", kind);
    QCOMPARE(FieldText(rs->Fields()["Result"]), QVariant(QString()));
    QCOMPARE(FieldText(rs->Fields()["CallDate"]),
             QVariant(QDateTime(QDate(1900, 1, 1), QTime(0, 0), Qt::UTC)));
    QCOMPARE(FieldText(rs->Fields()["PtId"]), QVariant(0));
    QCOMPARE(FieldText(rs->Fields()["Complete"]), QVariant(0));
    rs->MoveNext();
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
    QVERIFY(!AskQuestion(QStringLiteral("Delete this doctor?")));
    boxes.answer = true;
    QVERIFY(AskQuestion(QStringLiteral("Enter another Doctor?")));
    ShowAttention(QStringLiteral("Please enter a last name."));
    const QList<std::pair<MessageKind, QString>> expected = {
        {MessageKind::Question, "Delete this doctor?"},
        {MessageKind::Question, "Enter another Doctor?"},
        {MessageKind::Attention, "Please enter a last name."}};
    QVERIFY(boxes.shown == expected);
}

// The box names the engine's error and the statement; the window learns it failed.
void tst_Common::runReportingErrorsShowsTheEngineError()
{
    ScratchDatabase s;
    RecordedBoxes boxes;
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
    QVERIFY2(boxes.shown[0].second.contains(engineMessage) && boxes.shown[0].second.contains(bad),
             qPrintable(boxes.shown[0].second));
    QVERIFY(RunReportingErrors(
        [&] { s.db().Execute("INSERT INTO Patients (ptid) VALUES (1)", dbFailOnError); }));
    QCOMPARE(boxes.shown.size(), 1);
    QCOMPARE(s.Count(QStringLiteral("SELECT * FROM Patients")), 1);
}

void tst_Common::routinesWithoutADatabaseUseTheAppDatabase()
{
    ScratchDatabase s;
    SetAppDatabase(SecondConnection(s));
    QCOMPARE(NextId(IdSequence::HealthFactors), 5);
    const auto insert = [](qint32 id) {
        return QStringLiteral("INSERT INTO HealthFactors (CondID) VALUES (%1)").arg(id);
    };
    QCOMPARE(InsertWithNewId(IdSequence::HealthFactors, 5, insert, dbFailOnError), 5);
    DeleteHealthFactor(QStringLiteral("1"));
    QCOMPARE(s.Column(QStringLiteral("SELECT CondID FROM HealthFactors ORDER BY CondID")),
             QVariantList({2, 3, 4, 5}));
    AppDatabase().Close();
}

// The patient row goes last: the trigger refuses it while any row still refers to it.
void tst_Common::deletePatientRemovesOnlyThatPatient()
{
    ScratchDatabase s;
    addTwoPatients(s);
    QStringList referring;
    for (const QString& table : kPatientTables)
        referring.append("SELECT 1 FROM " + table + " WHERE PtId = old.ptid");
    raw(s.db(), qPrintable("CREATE TRIGGER dependents_first BEFORE DELETE ON Patients WHEN "
                           "EXISTS (" + referring.join(" UNION ALL ") +
                           ") BEGIN SELECT RAISE(ABORT, 'still referred to'); END"));
    DeletePatient(s.db(), QStringLiteral("1"));
    QCOMPARE(patientsOf(s, kPatientRows), eachTableHolds(kPatientRows, "2"));
}

void tst_Common::deleteReferenceRemovesItsLinks_data()
{
    QTest::addColumn<Deletion>("deletion");
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("links");
    QTest::newRow("doctor") << Deletion(&DeleteDoctor) << "Doctors" << "DoctorID"
                            << "PatientsDoctors";
    QTest::newRow("drug") << Deletion(&DeleteDrug) << "Drugs" << "DrugID" << "Schedule";
    QTest::newRow("health factor") << Deletion(&DeleteHealthFactor) << "HealthFactors" << "CondID"
                                   << "PatientFactors";
}

void tst_Common::deleteReferenceRemovesItsLinks()
{
    QFETCH(Deletion, deletion);
    QFETCH(QString, table);
    QFETCH(QString, field);
    QFETCH(QString, links);
    ScratchDatabase s;
    s.db().Execute("DELETE FROM " + table, dbFailOnError);
    for (const QString id : {"1", "2"}) {
        s.ExecuteAll({"INSERT INTO " + table + " (" + field + ") VALUES (" + id + ")",
                      "INSERT INTO " + links + " (PtId, " + field + ") VALUES (1, " + id + ")",
                      "INSERT INTO " + links + " (PtId, " + field + ") VALUES (2, " + id + ")"});
    }
    deletion(s.db(), QStringLiteral("1"));
    QCOMPARE(s.Dump(QStringLiteral("SELECT %1 FROM %2").arg(field, table)), QStringLiteral("2"));
    QCOMPARE(s.Dump(QStringLiteral("SELECT PtId, %1 FROM %2 ORDER BY PtId").arg(field, links)),
             QStringLiteral("1|2\n2|2"));
}

// A cascade failing part way applies nothing and leaves no transaction open; inside the
// caller's transaction a failed cascade undoes only itself. PrintLog is the fifth table.
void tst_Common::cascadeIsAllOrNothing()
{
    ScratchDatabase s;
    addTwoPatients(s);
    raw(s.db(), "CREATE TRIGGER keep_log BEFORE DELETE ON PrintLog WHEN old.PtId = 2 "
                "BEGIN SELECT RAISE(ABORT, 'print log is locked'); END");
    const QString before = EveryRow(s, kPatientRows);
    QVERIFY_THROWS_EXCEPTION(DbError, DeletePatient(s.db(), QStringLiteral("2")));
    QCOMPARE(EveryRow(s, kPatientRows), before);
    s.db().BeginTrans();
    DeletePatient(s.db(), QStringLiteral("1"));
    QVERIFY_THROWS_EXCEPTION(DbError, DeletePatient(s.db(), QStringLiteral("2")));
    s.db().CommitTrans();
    QCOMPARE(patientsOf(s, kPatientRows), eachTableHolds(kPatientRows, "2"));
    QCOMPARE(SecondConnection(s).OpenRecordset("SELECT ptid FROM Patients")->RecordCount(), 1);
}

void tst_Common::cascadeRefusesNonNumericId_data()
{
    QTest::addColumn<QString>("id");
    QTest::newRow("empty") << QString();
    QTest::newRow("word") << "one";
    QTest::newRow("condition") << "1 OR 1=1";
    QTest::newRow("second statement") << "1; DELETE FROM Doctors";
}

void tst_Common::cascadeRefusesNonNumericId()
{
    QFETCH(QString, id);
    ScratchDatabase s;
    addTwoPatients(s);
    s.ExecuteAll({"INSERT INTO Doctors (DoctorID) VALUES (1)",
                  "INSERT INTO Drugs (DrugID) VALUES (1)"});
    const QStringList tables = kPatientRows + QStringList{"Doctors", "Drugs", "HealthFactors"};
    const QString before = EveryRow(s, tables);
    for (const Deletion remove : {Deletion(&DeletePatient), Deletion(&DeleteDoctor),
                                  Deletion(&DeleteDrug), Deletion(&DeleteHealthFactor)})
        QVERIFY_THROWS_EXCEPTION(DbError, remove(s.db(), id));
    QCOMPARE(EveryRow(s, tables), before);
}

QTEST_GUILESS_MAIN(tst_Common)
#include "tst_Common.moc"
