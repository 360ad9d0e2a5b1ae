#include "DbError.h"
#include "Schema.h"
#include "ScratchDatabase.h"

#include <QDir>
#include <QFile>
#include <QTest>
#include <sqlite3.h>

namespace
{

const QString kPatients = QStringLiteral("SELECT * FROM Patients ORDER BY ptid");

// Written out apart from the schema builder, so that a slip in either shows. Each field is
// name:type and DAO size, with T text, M memo, D date, I integer, L long, B boolean.
const QList<std::pair<QString, QString>> kTables = {
    {"Company", "Name:T40 address1:T40 address2:T40 city:T20 st:T2 zip:T10 email:T40 phone:T16 "
                "fax:T16 letterbody:M0 sendername:T40"},
    {"Patients", "Address1:T40 Address2:T40 birthdate:D8 CallDate:D8 cellphone:T16 city:T20 "
                 "email:T40 fname:T20 goal_chol:I2 goal_ldl:I2 systolic:I2 diastolic:I2 ptid:L4 "
                 "lname:T20 MI:T1 phone:T16 sex:T1 st:T2 zip:T10 Comment:M0"},
    {"Doctors", "DoctorID:L4 LName:T20 FName:T20 Classification:T20"},
    {"Drugs", "DrugID:L4 DrugDesc:T20"},
    {"HealthFactors", "CondID:L4 CondDesc:T50"},
    {"LabVisits", "ID:L4 PtID:L4 LabDate:D8 OverallCL:L4 HDL:L4 LDL:L4 Lp_a:L4 Triglycerides:L4 "
                  "HMCYST:L4 CRP:L4 SGOT_AST:L4 SGPT_ALT:L4 CPK:L4 TSH:L4 GLUC:L4 "
                  "The_Intervention:M0 AddDate:D8"},
    {"PrintLog", "ID:L4 PtId:L4 PrintDate:D8 CallDate:D8"},
    {"PatientFactors", "ID:L4 PtId:L4 CondID:L4 Comment:M0"},
    {"Schedule", "ID:L4 PtId:L4 DrugID:L4 Comment:M0"},
    {"Communications", "ID:L4 PtId:L4 CallDate:D8 CallTime:T8 Result:T60 Complete:B1"},
    {"PatientsDoctors", "ID:L4 PtId:L4 DoctorID:L4 Comment:M0"},
};

QString layout(const QString& name, int type, int size)
{
    static const QHash<int, QChar> letters = {{dbText, u'T'},    {dbMemo, u'M'}, {dbDate, u'D'},
                                              {dbInteger, u'I'}, {dbLong, u'L'}, {dbBoolean, u'B'}};
    return name + u':' + letters.value(type, u'?') + QString::number(size);
}

// Every field of a recordset as name:type and size, in order.
QString layout(const Recordset& rs)
{
    QStringList fields;
    for (int i = 0; i < rs.Fields().Count(); ++i)
        fields << layout(rs.Fields()[i].Name(), rs.Fields()[i].Type(), rs.Fields()[i].Size());
    return fields.join(u' ');
}

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestEngineRules : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase_data() { ScratchDatabase::AddBackEndRows(); }
    void init();

    void newDatabaseHoldsTheTablesAsWritten();
    void dialectRules_data();
    void dialectRules();
    void fieldsKeepTheirWrittenNamesTypesAndSizes();
    void rowsAddedOneByOneStoreTheirOwnValues();
    void failingStatementAppliesNothing_data();
    void failingStatementAppliesNothing();
    void recordsetsMoveWithinTheirRows();
    void queriesReadTheRowsOfTheirOpening();
    void longListingsReadEveryTextExactly();
    void eachCallTakesItsKindOfStatement();
    void otherFilesAreLeftAsTheyWere();

private:
    void seedPatients();

    std::unique_ptr<ScratchDatabase> m_scratch;
};

// Every rule holds on both back ends.
void TestEngineRules::init()
{
    QFETCH_GLOBAL(ScratchDatabase::BackEnd, backEnd);
    // The rules named for files hold for files alone.
    if (backEnd == ScratchDatabase::Server && strstr(QTest::currentTestFunction(), "File"))
        QSKIP("a rule of database files");
    if (backEnd == ScratchDatabase::Server && !ScratchDatabase::ServerMissing().isEmpty())
        QSKIP(qPrintable(ScratchDatabase::ServerMissing()));
    m_scratch = std::make_unique<ScratchDatabase>(backEnd);
}

void TestEngineRules::seedPatients()
{
    const QString patient = QStringLiteral("INSERT INTO Patients (ptid, lname, fname, birthdate, "
                                           "calldate, goal_chol, sex) VALUES (%1)");
    for (const char* values : {"1, 'Smith', 'Ann', #1/2/1960#, #12/1/2023#, 100, 'F'",
                               "2, 'Müller', 'Jörg', #10/20/1955#, #1/2/2024#, 200, 'M'",
                               "3, 'O''Hara', 'Bea', #3/4/1971#, #1/1/1900#, 2000, 'F'"})
        m_scratch->db().Execute(patient.arg(QString::fromUtf8(values)), dbFailOnError);
    const QStringList doctors = {"Smith", "Müller", "O''Hara", "SMYTH", "Room 7"};
    for (int id = 1; id <= doctors.size(); ++id)
        m_scratch->db().Execute(QStringLiteral("INSERT INTO Doctors (DoctorID, LName) VALUES "
                                               "(%1, '%2')").arg(id).arg(doctors[id - 1]), 0);
}

// As stored (seen by another connection: in the database itself) and as a table's recordset
// reads them; no field required, only texts may be empty (a text or memo field made to refuse
// the empty text keeps refusing it). The only rows: the company's with empty details and the
// default letter, and the four health factors.
void TestEngineRules::newDatabaseHoldsTheTablesAsWritten()
{
    Database other = m_scratch->OpenAgain();
    QStringList names;
    QList<int> rows;
    for (const auto& [table, fields] : kTables) {
        names << table;
        rows << m_scratch->Count("SELECT * FROM " + table);
        QStringList stored;
        for (const FieldDef& f : other.GetTableDef(table).fields)
            stored << layout(f.name, f.type, f.size) + (f.required ? "!" : "") +
                          (f.allowZeroLength != (f.type == dbText || f.type == dbMemo) ? "?" : "");
        QCOMPARE(stored.join(u' '), fields);
        QCOMPARE(layout(*m_scratch->db().OpenRecordset(table, dbOpenTable)), fields);
    }
    QCOMPARE(other.TableNames(), names);
    QCOMPARE(rows, QList<int>({1, 0, 0, 0, 4, 0, 0, 0, 0, 0, 0}));
    QCOMPARE(m_scratch->Dump(QStringLiteral("SELECT * FROM Company")),
             QStringLiteral("|||||||||Enter the body of letter here..  Something like :  This "
                            "letter is to serve as a reminder for your next set of blood work "
                            "tests.  Please call within the next three business days to schedule "
                            "an appointment.|Enter name of sender"));
    QCOMPARE(m_scratch->Dump("SELECT CondID, CondDesc FROM HealthFactors ORDER BY CondID"),
             QStringLiteral("1|Smoking\n2|Family History\n3|Overweight\n4|Sedintery lifestyle"));
    m_scratch->db().AppendTable(
        {"Notes", {{"Title", dbText, 20, false, false}, {"Body", dbMemo, 0, false, false}}});
    for (const QString field : {"Title", "Body"})
        QVERIFY_THROWS_EXCEPTION(DbError, m_scratch->db().Execute(
                                              "INSERT INTO Notes (" + field + ") VALUES ('')", 0));
}

// Each rule of the dialect as one query's whole result, after the statements of its row.
void TestEngineRules::dialectRules_data()
{
    QTest::addColumn<QStringList>("statements");
    QTest::addColumn<QString>("query");
    QTest::addColumn<QString>("result");

    const auto row = [](const char* name, const QString& query, const QString& result,
                        const QStringList& statements = {}) {
        QTest::newRow(name) << statements << query << result;
    };
    row("date literals in every form",
        "SELECT ptid FROM Patients WHERE calldate = #2024-01-02# OR birthdate = #01/02/60# "
        "ORDER BY ptid",
        "1\n2");
    row("BETWEEN takes both ends",
        "SELECT ptid FROM Patients WHERE birthdate BETWEEN #10/20/1955# AND #1/2/1960# "
        "ORDER BY birthdate DESC",
        "1\n2");
    // =, <>, LIKE, UCase, ORDER BY and GROUP BY all ignore letter case, beyond ASCII too.
    row("=, <>, LIKE and UCase ignore case",
        "SELECT DoctorID FROM Doctors WHERE LName <> 'smyTH' AND (LName = 'sMITH' OR DoctorID = 4 "
        "OR UCase(LName) = 'müller' OR LName LIKE 'o''HARA') ORDER BY DoctorID",
        "1\n2\n3");
    // Binary order would put SMYTH before Smith.
    row("ORDER BY ignores case", "SELECT DoctorID FROM Doctors ORDER BY LName", "2\n3\n5\n1\n4");
    const QString doctor = QStringLiteral("INSERT INTO Doctors (DoctorID, LName) VALUES (%1)");
    row("GROUP BY ignores case",
        "SELECT MIN(DoctorID), COUNT(*) FROM Doctors GROUP BY LName ORDER BY 1",
        "1|2\n2|1\n3|1\n4|1\n5|1\n7|2",
        {doctor.arg("6, 'sMITH'"), doctor.arg("7, 'Иванов'"), doctor.arg("8, 'иВАНОВ'")});
    row("a date made by the query", "SELECT MAX(calldate) AS last FROM Patients", "01/02/2024");
    // Text order would put 1/2/2024 before 12/1/2023; value order does not.
    row("TOP takes the first rows of the order, dates by value",
        "SELECT TOP 2 ptid FROM Patients ORDER BY calldate DESC", "2\n1");
    row("a column named by its number", "SELECT ptid, lname FROM Patients ORDER BY 2",
        "2|Müller\n3|O'Hara\n1|Smith");
    row("TOP in a sub-query",
        "SELECT lname FROM Patients WHERE ptid IN (SELECT TOP 1 ptid FROM Patients ORDER BY "
        "birthdate) ORDER BY lname",
        "Müller");
    // The call list's join: a patient printed for an older call date is not printed for this one.
    row("LEFT JOIN on two conditions",
        "SELECT patients.ptid, printlog.printdate FROM patients LEFT JOIN printlog ON patients."
        "ptid=printlog.ptid AND patients.calldate=printlog.calldate ORDER BY patients.ptid",
        "1|12/02/2023\n2|<null>\n3|<null>",
        {"INSERT INTO printlog (ptid, calldate, printdate) VALUES (1, #12/1/2023#, #12/2/2023#)",
         "INSERT INTO printlog (ptid, calldate, printdate) VALUES (2, #6/1/2023#, #6/2/2023#)"});
    const QString like = QStringLiteral("SELECT DoctorID FROM Doctors WHERE LName LIKE '%1' "
                                        "ORDER BY LName");
    row("LIKE, one character and any run", like.arg("s?*h"), "1\n4");
    row("LIKE, digit", like.arg("Room #"), "5");
    row("LIKE, not in set", like.arg("[!mos]*"), "5");
    row("LIKE, quote", like.arg("o''*"), "3");
    row("LIKE, non-ASCII in the other case", like.arg("*ÜLLER"), "2");
    row("names match in any case",
        "select pAtIeNtS.[FName], [LNAME] from [patients] where patients.PtId IN (1, 4) "
        "ORDER BY PTID",
        "Anne|Smith\n<null>|Lee",
        {"UPDATE PATIENTS SET FNAME = 'Anne' WHERE PTID = 1",
         "insert into patients (PTID, LNAME) values (4, 'Lee')"});
    row("True and False read back as booleans",
        "SELECT complete FROM Communications ORDER BY id", "True\nFalse\n<null>",
        {"INSERT INTO Communications (id, ptid, complete) VALUES (1, 1, True)",
         "INSERT INTO Communications (id, ptid, complete) VALUES (2, 1, False)",
         "INSERT INTO Communications (id, ptid) VALUES (3, 1)"});
    row("omitted fields are Null, empty texts are not; UCase of Null is Null",
        "SELECT fname, comment, MI, UCase(MI), birthdate, goal_chol FROM Patients WHERE ptid > 6",
        "<null>|<null>|<null>|<null>|<null>|<null>\n||<null>|<null>|<null>|<null>",
        {"INSERT INTO Patients (ptid, lname) VALUES (7, 'Lee')",
         "INSERT INTO Patients (ptid, fname, comment) VALUES (8, '', '')"});
    row("long text is cut to its column", "SELECT sex, MI, lname FROM Patients WHERE ptid = 9",
        "M|J|" + QString(20, u'ü'),
        {"INSERT INTO Patients (ptid, sex, MI, lname) VALUES (9, 'Male', 'Jo', '" +
         QString(25, u'ü') + "')"});
    // Converted on the way in, a value exactly at its field's limit still fits; an update cuts
    // texts too, but a memo field has no width.
    row("an update stores values at their fields' limits",
        "SELECT ptid, goal_chol, goal_ldl, sex, st, comment FROM Patients WHERE goal_chol = 32767",
        "2147483647|32767|-32768|F|Te|" + QString(10000, u'n'),
        {"UPDATE Patients SET ptid = '2147483647', goal_chol = '32767', goal_ldl = '-32768', sex "
         "= 'Female', st = 'Texas', comment = '" + QString(10000, u'n') + "' WHERE ptid = 1"});
}

void TestEngineRules::dialectRules()
{
    QFETCH(QStringList, statements);
    QFETCH(QString, query);
    QFETCH(QString, result);
    seedPatients();
    m_scratch->ExecuteAll(statements);
    QCOMPARE(m_scratch->Dump(query), result);
}

// Names as the query writes them, Expr1000 on for expressions without one; a text the query
// makes has no width of its own: a Text field's largest. Two columns of one name from a join
// are told apart by their tables.
void TestEngineRules::fieldsKeepTheirWrittenNamesTypesAndSizes()
{
    seedPatients();
    const QList<std::pair<const char*, const char*>> layouts = {
        {"SELECT lname AS [Last Name], PTID, Patients.LNAME, UCASE(lname) AS Big, lname & fname, "
         "comment FROM Patients WHERE ptid = 2",
         "Last Name:T20 PTID:L4 LNAME:T20 Big:T255 Expr1000:T255 comment:M0"},
        {"SELECT COUNT(*), MAX(goal_chol), max(birthdate) AS latest FROM Patients",
         "Expr1000:L4 Expr1001:I2 latest:D8"},
        {"SELECT True AS yes, False FROM Company", "yes:B1 Expr1000:B1"},
        {"SELECT * FROM Drugs INNER JOIN Schedule ON Drugs.DrugID = Schedule.DrugID",
         "Drugs.DrugID:L4 DrugDesc:T20 ID:L4 PtId:L4 Schedule.DrugID:L4 Comment:M0"}};
    for (const auto& [sql, fields] : layouts)
        QCOMPARE(layout(*m_scratch->db().OpenRecordset(sql)), fields);
    const auto accented =
        m_scratch->db().OpenRecordset("SELECT lname AS [Größe] FROM Patients WHERE ptid = 1");
    QCOMPARE(accented->Fields()["gRÖße"].Value().toString(), QStringLiteral("Smith"));
}

// Inserts that differ only in their values run through one kept statement: each row must
// get its own values, Nulls in any place, a refused row must leave the statement usable,
// and no lock may stay behind between runs.
void TestEngineRules::rowsAddedOneByOneStoreTheirOwnValues()
{
    const QString insert = QStringLiteral("INSERT INTO Communications (ID, PtId, CallDate, "
                                          "CallTime, Result, Complete) VALUES (%1)");
    // A text too long is cut to its field, as each row needs.
    const QString x70(70, u'x');
    for (const QString& values : QStringList{"1, 10, #1/2/2024#, '9:15', 'O''Hara, call back', True",
                               "2, 20, Null, '10:00', '" + x70 + "', False",
                               "3, 30, #3/4/2025 13:45:00#, Null, 'Third', True",
                               "4, 40, #1/1/2024#, 'x', 'y', 'maybe'",
                               "4, 2147483647, #5/6/2026#, '11:30', 'Fourth', False"}) {
        try {
            m_scratch->db().Execute(insert.arg(values), dbFailOnError);
        } catch (const DbError&) { // 'maybe' is no boolean: that row is refused
        }
    }
    QCOMPARE(m_scratch->db().RecordsAffected(), 1);
    // Another workstation writes at once: nothing of ours still holds the file.
    m_scratch->OpenAgain().Execute(insert.arg("5, 50, Null, Null, 'Other', False"), dbFailOnError);
    QCOMPARE(m_scratch->Dump("SELECT * FROM Communications ORDER BY ID"),
             "1|10|01/02/2024|9:15|O'Hara, call back|True\n2|20|<null>|10:00|" + x70.left(60) +
                 "|False\n3|30|03/04/2025 13:45:00|<null>|Third|True\n"
                 "4|2147483647|05/06/2026|11:30|Fourth|False\n5|50|<null>|<null>|Other|False");
}

// Failures found while the statement runs, with or without dbFailOnError.
void TestEngineRules::failingStatementAppliesNothing_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<int>("options");

    const QList<std::pair<const char*, QString>> statements = {
        {"wrong kind for a number", "INSERT INTO Patients (ptid, goal_chol) VALUES (9, 'abc')"},
        {"wrong kind for a date", "INSERT INTO Patients (ptid, birthdate) VALUES (9, 'someday')"},
        {"Integer overflow", "INSERT INTO Patients (ptid, goal_chol) VALUES (9, 32768)"},
        {"Integer underflow", "INSERT INTO Patients (ptid, goal_chol) VALUES (9, -32769)"},
        {"Long overflow", "INSERT INTO Patients (ptid) VALUES (3000000000)"},
        {"multi-row update failing on a later row",
         "UPDATE Patients SET goal_chol = goal_chol * 20"},
        {"second value wrong", "UPDATE Patients SET lname = 'x', goal_ldl = 'y'"},
        {"delete with unknown field", "DELETE FROM Patients WHERE nosuchfield = 1"},
    };
    for (const auto& [kind, sql] : statements) {
        QTest::addRow("%s, fail on error", kind) << sql << int(dbFailOnError);
        QTest::addRow("%s, no options", kind) << sql << 0;
    }
}

void TestEngineRules::failingStatementAppliesNothing()
{
    QFETCH(QString, sql);
    QFETCH(int, options);
    seedPatients();
    const QString before = m_scratch->Dump(kPatients);
    QVERIFY_THROWS_EXCEPTION(DbError, m_scratch->db().Execute(sql, options));
    QCOMPARE(m_scratch->Dump(kPatients), before);
}

// A snapshot moves both ways and counts its rows without moving; forward-only refuses to go
// back; an empty result is Bof and Eof and has no current row.
void TestEngineRules::recordsetsMoveWithinTheirRows()
{
    for (const int type : {int(dbOpenSnapshot), int(dbOpenForwardOnly)}) {
        const auto rs = m_scratch->db().OpenRecordset("SELECT * FROM Patients", type);
        QVERIFY(rs->Bof() && rs->Eof() && rs->RecordCount() == 0);
        QVERIFY_THROWS_EXCEPTION(DbError, rs->Fields()["lname"].Value());
        QVERIFY_THROWS_EXCEPTION(DbError, rs->MoveNext());
    }
    seedPatients();
    const auto rs = m_scratch->db().OpenRecordset(kPatients);
    QStringList seen;
    const auto see = [&] {
        seen << (rs->Bof() ? "Bof" : rs->Eof() ? "Eof" : rs->Fields()["ptid"].Value().toString());
    };
    see(), rs->MoveNext(), see(), rs->MoveLast(), see(), rs->MoveNext(), see();
    rs->MovePrevious(), see(), rs->MoveFirst(), rs->MovePrevious(), see();
    QVERIFY_THROWS_EXCEPTION(DbError, rs->MovePrevious());
    rs->MoveNext(), rs->MoveNext(), see(), seen << QString::number(rs->RecordCount()), see();
    QCOMPARE(seen, QStringList({"1", "2", "3", "Eof", "3", "Bof", "2", "3", "2"}));
    const auto forward = m_scratch->db().OpenRecordset(kPatients, dbOpenForwardOnly);
    forward->MoveNext();
    QVERIFY_THROWS_EXCEPTION(DbError, forward->MovePrevious());
    QVERIFY_THROWS_EXCEPTION(DbError, forward->MoveFirst());
    QCOMPARE(forward->Fields()["ptid"].Value(), QVariant(2));
}

// A snapshot keeps the rows of its opening while this or another connection writes. A query
// opened again while it is still open reads on its own; closed, it is kept ready for its next
// opening, which sees rows written since, and holds no lock in between. Queries that differ
// only in the number they compare with share one translation but read their own rows.
void TestEngineRules::queriesReadTheRowsOfTheirOpening()
{
    seedPatients();
    const QString query = QStringLiteral("SELECT lname FROM Patients ORDER BY ptid");
    const auto snapshot = m_scratch->db().OpenRecordset(kPatients);
    auto first = m_scratch->db().OpenRecordset(query, dbOpenForwardOnly);
    first->MoveNext();
    QCOMPARE(m_scratch->Column(query), (QVariantList{"Smith", "Müller", "O'Hara"}));
    QCOMPARE(first->Fields()[0].Value(), QVariant("Müller"));
    first.reset();
    m_scratch->OpenAgain().Execute("DELETE FROM Patients WHERE ptid = 3", dbFailOnError);
    m_scratch->ExecuteAll({"INSERT INTO Patients (ptid, lname) VALUES (4, 'Lee')",
                           "UPDATE Patients SET lname = 'Changed' WHERE ptid = 2"});
    QVariantList names;
    for (; !snapshot->Eof(); snapshot->MoveNext())
        names.append(snapshot->Fields()["lname"].Value());
    QCOMPARE(names, (QVariantList{"Smith", "Müller", "O'Hara"}));
    QCOMPARE(m_scratch->Column(query), (QVariantList{"Smith", "Changed", "Lee"}));
    const QString byId = QStringLiteral("SELECT lname FROM Patients WHERE ptid = %1");
    QCOMPARE(m_scratch->Dump(byId.arg(1)) + m_scratch->Dump(byId.arg(2)), "SmithChanged");
}

// Long listings share the strings of texts a column repeats: every row must still read back
// exactly what was stored, whether its column repeats, never repeats or holds non-ASCII text,
// and texts of one length that differ in a single letter (first, middle or last) are hashed
// alike but for that letter.
void TestEngineRules::longListingsReadEveryTextExactly()
{
    const QStringList names = {"Smith",  "Jones", "Müller", "Lee",   "smith",
                               "Smith ", "1a",    "1b",     "a1234", "b1234",
                               "12345678abcdefgh", "12345678abcdefgi"};
    QStringList statements, rows;
    for (int i = 1; i <= 1500; ++i) {
        const QString city = i % 7 == 0 ? QStringLiteral("Zoë") : QStringLiteral("Salem");
        statements << QStringLiteral("INSERT INTO Patients (ptid, lname, city) VALUES (%1, '%2', "
                                     "'%3')").arg(i).arg(names[i % names.size()], city);
        rows << names[i % names.size()] + u'|' + city;
    }
    m_scratch->db().BeginTrans();
    m_scratch->ExecuteAll(statements);
    m_scratch->db().CommitTrans();
    for (const int type : {dbOpenForwardOnly, dbOpenSnapshot}) {
        QStringList read;
        auto rs =
            m_scratch->db().OpenRecordset("SELECT lname, city FROM Patients ORDER BY ptid", type);
        for (; !rs->Eof(); rs->MoveNext())
            read << rs->Value(0).toString() + u'|' + rs->Value(1).toString();
        QCOMPARE(read, rows);
    }
}

// Execute takes actions, OpenRecordset queries or a table's name as written in any form.
void TestEngineRules::eachCallTakesItsKindOfStatement()
{
    seedPatients();
    Database& db = m_scratch->db();
    QVERIFY_THROWS_EXCEPTION(DbError, db.Execute("SELECT * FROM Patients", dbFailOnError));
    QVERIFY_THROWS_EXCEPTION(DbError, db.OpenRecordset("DELETE FROM Patients"));
    QVERIFY_THROWS_EXCEPTION(DbError, db.OpenRecordset("Nowhere", dbOpenTable));
    for (const char* name : {"patients", "[Patients]", " PATIENTS "})
        QCOMPARE(db.OpenRecordset(name, dbOpenTable)->RecordCount(), 3);
}

// Opening a text file or a missing one is refused with a message naming it; creating over an
// existing file is refused; another program's SQLite file (in rollback-journal mode) opens
// and reads without its journal mode switched. Every file stays as it was, nothing beside it.
void TestEngineRules::otherFilesAreLeftAsTheyWere()
{
    const QDir dir(m_scratch->folder());
    const QString ours = m_scratch->db().Name(), text = dir.filePath("notes.txt"),
                  foreign = dir.filePath("foreign.db"), missing = dir.filePath("missing.mdb");
    m_scratch->db().Close();
    QFile csv(text);
    QVERIFY(csv.open(QIODevice::WriteOnly) && csv.write("Last,First\nSmith,Ann\n") > 0);
    csv.close();
    sqlite3* raw = nullptr;
    QCOMPARE(sqlite3_open(QFile::encodeName(foreign).constData(), &raw), SQLITE_OK);
    QCOMPARE(sqlite3_exec(raw, "CREATE TABLE Notes (body TEXT); INSERT INTO Notes VALUES ('x')",
                          nullptr, nullptr, nullptr),
             SQLITE_OK);
    sqlite3_close(raw);
    const QList<QByteArray> before = {contents(ours), contents(text), contents(foreign)};
    for (const QString& path : {text, missing}) {
        const QString message = MessageOf([&] { Database::Open(path); });
        QVERIFY2(message.contains(path), qPrintable(message));
    }
    for (const QString& path : {ours, text})
        QVERIFY_THROWS_EXCEPTION(DbError, Database::Create(path));
    {
        Database db = Database::Open(foreign);
        QCOMPARE(db.TableNames(), QStringList{"Notes"});
        QCOMPARE(db.OpenRecordset("SELECT * FROM Notes")->RecordCount(), 1);
    }
    QCOMPARE(QList<QByteArray>({contents(ours), contents(text), contents(foreign)}), before);
    QCOMPARE(dir.entryList(QDir::Files), QStringList({"brevoxal.mdb", "foreign.db", "notes.txt"}));
}

QTEST_GUILESS_MAIN(TestEngineRules)
#include "tst_EngineRules.moc"
