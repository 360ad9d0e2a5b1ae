#include "DbError.h"
#include "PatientRowReader.h"
#include "ScratchDatabase.h"
#include "clsPatient.h"
#include "common.h"

#include <QTest>
#include <sqlite3.h>

namespace {

// The six tables that refer to a patient, and the patients themselves.
const QStringList kPatientTables = {"Communications", "LabVisits", "PatientFactors",
                                    "PatientsDoctors", "PrintLog", "Schedule"};
const QStringList kPatientRows = kPatientTables + QStringList{"Patients"};

// The patients, each with one row in every table that refers to a patient.
void addPatients(ScratchDatabase& s, const QStringList& ids)
{
    for (const QString& id : ids) {
        QStringList rows = {"INSERT INTO Patients (ptid, lname) VALUES (%1, 'P%1')"};
        for (const QString& table : kPatientTables)
            rows.append("INSERT INTO " + table + " (PtId) VALUES (%1)");
        s.ExecuteAll(rows.replaceInStrings(QStringLiteral("%1"), id));
    }
}

// Runs SQLite text directly on the file, beside the engine.
void raw(Database& db, const QString& sql)
{
    QCOMPARE(sqlite3_exec(db.Handle(), qPrintable(sql), nullptr, nullptr, nullptr), SQLITE_OK);
}

using TextRoutine = QString (*)(const QString&);
using Deletion = void (*)(Database&, const QString&);

} // namespace

Q_DECLARE_METATYPE(TextRoutine)

class tst_Common : public QObject {
    Q_OBJECT

private slots:
    void textRoutines_data();
    void textRoutines();
    void fieldTextGivesPlainValues();
    void patientRowReaderTakesEveryStoredValue();
    void runReportingErrorsShowsTheEngineError();
    void deletionsRefuseAnIdThatIsNoNumber();
    void deletePatientIsAllOrNothing();
};

void tst_Common::textRoutines_data()
{
    QTest::addColumn<TextRoutine>("routine");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("result"); // null: refused
    const TextRoutine numberOrZero = [](const QString& t) { return NumberOrZero(t).toString(); };
    QTest::newRow("trim blanks alone") << &TrimText << " \tSmith\r\n " << "\tSmith\r\n";
    QTest::newRow("quote") << &SqlQuote << "O'Brien" << "O''Brien";
    QTest::newRow("zero in blanks") << &BlankIfZero << " 0 " << "";
    QTest::newRow("number, blanks") << numberOrZero << "   " << "0";
    QTest::newRow("number, largest") << numberOrZero << "2147483647" << "2147483647";
    QTest::newRow("number, too large") << numberOrZero << "2147483648" << QString();
    QTest::newRow("number, digits and letters") << numberOrZero << "12a" << QString();
}

void tst_Common::textRoutines()
{
    QFETCH(TextRoutine, routine);
    QFETCH(QString, text);
    QFETCH(QString, result);
    if (result.isNull())
        QVERIFY_THROWS_EXCEPTION(DbError, routine(text));
    else
        QCOMPARE(routine(text), result);
}

// Nulls read as the empty text, 0 or the no-date day; texts come trimmed. Fields are asked
// for by name in order, as a long listing reads them. A snapshot keeps its values and reads
// them afterwards; a forward-only recordset reads straight from the statement: both alike.
void tst_Common::fieldTextGivesPlainValues()
{
    ScratchDatabase s;
    s.ExecuteAll({"INSERT INTO Patients (ptid) VALUES (1)",
                  "INSERT INTO Communications (ID) VALUES (1)",
                  "INSERT INTO Communications (ID, PtId, CallDate, Result, Complete) VALUES "
                  "(40000, 7, #03/05/2004#, '  left a message  ', True)"});
    for (const int kind : {int(dbOpenSnapshot), int(dbOpenForwardOnly)}) {
        QStringList read;
        for (auto rs = s.db().OpenRecordset("SELECT c.*, goal_chol, comment FROM "
                                            "Communications c, Patients ORDER BY c.ID", kind);
             !rs->Eof(); rs->MoveNext()) {
            for (const char* name :
                 {"ID", "PtId", "CallDate", "Result", "Complete", "goal_chol", "comment"})
                read << FieldText(rs->Fields()[name]).toString();
        }
        QCOMPARE(read, QStringList({"1", "0", "1900-01-01T00:00:00.000Z", "", "0", "0", "",
                                    "40000", "7", "2004-03-05T00:00:00.000Z", "left a message",
                                    "true", "0", ""}));
    }
}

// Every field from its own column (Nulls read as FieldText reads them).
void tst_Common::patientRowReaderTakesEveryStoredValue()
{
    ScratchDatabase scratch;
    scratch.db().Execute(
        "INSERT INTO Patients (ptid, fname, lname, mi, birthdate, address1, address2, city, st, "
        "zip, phone, cellphone, email, sex, calldate, goal_chol, goal_ldl, systolic, diastolic) "
        "VALUES (7, 'Ann', 'O''Hara', 'B', #3/5/1961#, '1 Main St', 'Apt 2', 'Dover', 'DE', "
        "'19901', '555-0100', '555-0199', 'ann@example.org', 'F', #12/24/2026#, 200, 130, 120, 80)",
        dbFailOnError);
    auto rs = scratch.db().OpenRecordset(QStringLiteral("SELECT * from Patients ORDER BY ptid"),
                                         dbOpenForwardOnly);
    const PatientRowReader reader(rs->Fields());
    QStringList read;
    for (; !rs->Eof(); rs->MoveNext()) {
        const clsPatient p = reader.Read();
        read << QStringList({p.FirstName(), p.LastName(), p.MI(), p.BirthDate(), p.Address1(),
                             p.Address2(), p.City(), p.ST(), p.Zip(), p.Phone(), p.CellPhone(),
                             p.EMail(), p.Sex(), p.CallDate(), QString::number(p.ID()),
                             QString::number(p.GoalChol()), QString::number(p.GoalLDL()),
                             QString::number(p.Systolic()), QString::number(p.Diastolic())})
                    .join(u'|');
    }
    QCOMPARE(read, QStringList("Ann|O'Hara|B|03/05/1961|1 Main St|Apt 2|Dover|DE|19901|555-0100|"
                               "555-0199|ann@example.org|F|12/24/2026|7|200|130|120|80"));
}

// The Attention box names the engine's error and the statement; the window learns it failed.
void tst_Common::runReportingErrorsShowsTheEngineError()
{
    ScratchDatabase s;
    QStringList shown;
    SetMessageHook([&](MessageKind kind, const QString& prompt) {
        shown << (kind == MessageKind::Attention ? "Attention: " : "Question: ") + prompt;
        return true;
    });
    const QString bad = QStringLiteral("INSERT INTO Patients (ptid, lname) VALUES ('x', 'Smith')");
    QVERIFY(!RunReportingErrors([&] { s.db().Execute(bad, dbFailOnError); }));
    QVERIFY(RunReportingErrors(
        [&] { s.db().Execute("INSERT INTO Patients (ptid) VALUES (1)", dbFailOnError); }));
    SetMessageHook([](MessageKind, const QString&) { return false; });
    QCOMPARE(shown, QStringList("Attention: Data type mismatch: 'x' cannot be stored in the Long "
                                "Integer field 'ptid'.\n\nStatement:\n" + bad));
}

// An identifier that is not a number alone is refused before anything is deleted.
void tst_Common::deletionsRefuseAnIdThatIsNoNumber()
{
    ScratchDatabase s;
    addPatients(s, {"1", "2"});
    s.ExecuteAll({"INSERT INTO Doctors (DoctorID) VALUES (1)",
                  "INSERT INTO Drugs (DrugID) VALUES (1)"});
    const QStringList tables = kPatientRows + QStringList{"Doctors", "Drugs", "HealthFactors"};
    const QString before = s.EveryRow(tables);
    for (const Deletion deletion : {Deletion(&DeletePatient), Deletion(&DeleteDoctor),
                                    Deletion(&DeleteDrug), Deletion(&DeleteHealthFactor)}) {
        for (const QString id : {"", "1 OR 1=1", "1; DELETE FROM Doctors"})
            QVERIFY_THROWS_EXCEPTION(DbError, deletion(s.db(), id));
    }
    QCOMPARE(s.EveryRow(tables), before);
}

// The patient row goes last: a trigger refuses it while any row still refers to it. A cascade
// failing part way (at PrintLog, the fifth table) applies nothing and leaves no transaction
// open. (How a failure inside the caller's transaction ends is the identifier tests' concern:
// both go through one write transaction.)
void tst_Common::deletePatientIsAllOrNothing()
{
    ScratchDatabase s, onlyTwo;
    addPatients(s, {"1", "2"});
    addPatients(onlyTwo, {"2"});
    QStringList referring;
    for (const QString& table : kPatientTables)
        referring.append("SELECT 1 FROM " + table + " WHERE PtId = old.ptid");
    raw(s.db(), "CREATE TRIGGER dependents_first BEFORE DELETE ON Patients WHEN EXISTS (" +
                    referring.join(" UNION ALL ") +
                    ") BEGIN SELECT RAISE(ABORT, 'still referred to'); END");
    raw(s.db(), "CREATE TRIGGER keep_log BEFORE DELETE ON PrintLog WHEN old.PtId = 2 "
                "BEGIN SELECT RAISE(ABORT, 'print log is locked'); END");
    const QString before = s.EveryRow(kPatientRows);
    SetAppDatabase(s.OpenAgain());
    QVERIFY_THROWS_EXCEPTION(DbError, DeletePatient(QStringLiteral("2")));
    QCOMPARE(s.EveryRow(kPatientRows), before);
    DeletePatient(s.db(), QStringLiteral("1"));
    AppDatabase().Close();
    QCOMPARE(s.EveryRow(kPatientRows), onlyTwo.EveryRow(kPatientRows));
    QCOMPARE(s.OpenAgain().OpenRecordset("SELECT ptid FROM Patients")->RecordCount(), 1);
}

QTEST_GUILESS_MAIN(tst_Common)
#include "tst_Common.moc"
