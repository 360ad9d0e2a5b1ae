#include "DbError.h"
#include "RepeatedTexts.h"
#include "Schema.h"
#include "ScratchDatabase.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QTest>
#include <sqlite3.h>

namespace
{

const QString kPatients = QStringLiteral("SELECT * FROM Patients ORDER BY ptid");

QDateTime utc(int y, int m, int d)
{
    return QDateTime(QDate(y, m, d), QTime(0, 0), Qt::UTC);
}

QByteArray fileHash(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}

} // namespace

class TestEngineRules : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase_data();
    void init();
    void cleanup();

    void datesCompareByValue();
    void topTakesFirstRowsOfTheOrder();
    void likeTakesJetPatterns_data();
    void likeTakesJetPatterns();
    void textComparesWithoutCase_data();
    void textComparesWithoutCase();
    void everyLetterEqualsItsOtherCase();
    void upperCaseFunctions();
    void namesMatchInAnyCase();
    void leftJoinOnTwoConditions();
    void aggregatesWithAliases();
    void unaliasedExpressionsReadByIndexAndName();
    void trueReadsBackAsBoolean();
    void omittedFieldIsNull();
    void longTextIsCutToItsColumn();
    void rowsAddedOneByOneStoreTheirOwnValues();
    void failingStatementAppliesNothing_data();
    void failingStatementAppliesNothing();
    void valuesAtTheLimitsAreStored();
    void fieldMetadataFollowsTheTable();
    void fieldNamesAsWritten();
    void emptyResultIsBofAndEof();
    void snapshotMovesBothWays();
    void forwardOnlyRefusesMovingBack();
    void snapshotKeepsRowsOfItsOpening();
    void oneQueryOpenTwiceReadsTwice();
    void longListingsReadEveryTextExactly();
    void repeatedTextsNeverMistakeOneForAnother();
    void executeRefusesSelect();
    void tableNameOpensWholeTable();
    void openRefusesNonDatabaseFile_data();
    void openRefusesNonDatabaseFile();
    void openRefusesMissingFile();
    void readingAForeignFileLeavesItUnchanged();
    void createRefusesExistingFile();

private:
    void seedPatients();

    std::unique_ptr<ScratchDatabase> m_scratch;
};

// Every rule holds on both back ends.
void TestEngineRules::initTestCase_data()
{
    QTest::addColumn<ScratchDatabase::BackEnd>("backEnd");
    QTest::newRow("file") << ScratchDatabase::File;
    QTest::newRow("server") << ScratchDatabase::Server;
}

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

void TestEngineRules::cleanup()
{
    m_scratch.reset();
}

void TestEngineRules::seedPatients()
{
    m_scratch->ExecuteAll({
        "INSERT INTO Patients (ptid, lname, fname, birthdate, calldate, goal_chol, sex) VALUES "
        "(1, 'Smith', 'Ann', #1/2/1960#, #12/1/2023#, 100, 'F')",
        "INSERT INTO Patients (ptid, lname, fname, birthdate, calldate, goal_chol, sex) VALUES "
        "(2, 'Müller', 'Jörg', #10/20/1955#, #1/2/2024#, 200, 'M')",
        "INSERT INTO Patients (ptid, lname, fname, birthdate, calldate, goal_chol, sex) VALUES "
        "(3, 'O''Hara', 'Bea', #3/4/1971#, #1/1/1900#, 2000, 'F')",
    });
}

// Text order would put 1/2/2024 before 12/1/2023; value order does not.
void TestEngineRules::datesCompareByValue()
{
    seedPatients();
    QCOMPARE(m_scratch->Column("SELECT ptid FROM Patients ORDER BY calldate"),
             (QVariantList{3, 1, 2}));
    QCOMPARE(m_scratch->Column("SELECT ptid FROM Patients WHERE calldate < #1/1/2024# AND "
                               "calldate <> #1/1/1900#"),
             QVariantList{1});
    QCOMPARE(m_scratch->Column("SELECT ptid FROM Patients WHERE calldate = #2024-01-02#"),
             QVariantList{2});
    QCOMPARE(m_scratch->Column("SELECT ptid FROM Patients WHERE calldate = #01/02/24#"),
             QVariantList{2});
    QCOMPARE(m_scratch->Column("SELECT ptid FROM Patients WHERE birthdate BETWEEN #1/1/1955# "
                               "AND #12/31/1960# ORDER BY birthdate DESC"),
             (QVariantList{1, 2}));
    QCOMPARE(m_scratch->Scalar("SELECT birthdate FROM Patients WHERE ptid = 2"),
             QVariant(utc(1955, 10, 20)));
    QCOMPARE(m_scratch->Scalar("SELECT MAX(calldate) AS last FROM Patients"),
             QVariant(utc(2024, 1, 2)));
}

void TestEngineRules::topTakesFirstRowsOfTheOrder()
{
    seedPatients();
    QCOMPARE(m_scratch->Column("SELECT TOP 2 ptid FROM Patients ORDER BY calldate DESC"),
             (QVariantList{2, 1}));
    QCOMPARE(m_scratch->Column("SELECT Top 1 lname FROM Patients ORDER BY lname desc"),
             QVariantList{"Smith"});
    QCOMPARE(m_scratch->Count("SELECT TOP 10 * FROM Patients ORDER BY ptid"), 3);
    QCOMPARE(m_scratch->Column("SELECT lname FROM Patients WHERE ptid IN (SELECT TOP 1 ptid FROM "
                               "Patients ORDER BY birthdate) ORDER BY lname"),
             QVariantList{"Müller"});
}

void TestEngineRules::likeTakesJetPatterns_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QVariantList>("ids");

    QTest::newRow("starts with") << "sm*" << QVariantList{1, 4};
    QTest::newRow("contains") << "*ll*" << QVariantList{2};
    QTest::newRow("one character") << "Sm?th" << QVariantList{1, 4};
    QTest::newRow("digit") << "Room #" << QVariantList{5};
    QTest::newRow("set") << "[mo]*" << QVariantList{2, 3};
    QTest::newRow("not in set") << "[!mos]*" << QVariantList{5};
    QTest::newRow("range") << "[n-z]*" << QVariantList{3, 5, 1, 4};
    QTest::newRow("quote") << "o'*" << QVariantList{3};
    QTest::newRow("non-ASCII, other case") << "*ÜLLER" << QVariantList{2};
    QTest::newRow("no match") << "x*" << QVariantList{};
}

void TestEngineRules::likeTakesJetPatterns()
{
    QFETCH(QString, pattern);
    QFETCH(QVariantList, ids);
    m_scratch->ExecuteAll({
        "INSERT INTO Doctors (DoctorID, LName) VALUES (1, 'Smith')",
        "INSERT INTO Doctors (DoctorID, LName) VALUES (2, 'Müller')",
        "INSERT INTO Doctors (DoctorID, LName) VALUES (3, 'O''Hara')",
        "INSERT INTO Doctors (DoctorID, LName) VALUES (4, 'SMYTH')",
        "INSERT INTO Doctors (DoctorID, LName) VALUES (5, 'Room 7')",
    });
    QCOMPARE(m_scratch->Column(QStringLiteral("SELECT DoctorID FROM Doctors WHERE LName LIKE '%1' "
                                              "ORDER BY LName")
                                   .arg(QString(pattern).replace(u'\'', QStringLiteral("''")))),
             ids);
}

void TestEngineRules::textComparesWithoutCase_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("probe");

    QTest::newRow("ASCII") << "Smith"
                           << "sMITH";
    QTest::newRow("umlaut") << "Müller"
                            << "MÜLLER";
    QTest::newRow("Latin-1 letters") << "Ærøskøbing"
                                     << "æRØSKØBING";
    QTest::newRow("Latin Extended-A") << "Łódź"
                                      << "łÓDŹ";
    QTest::newRow("Greek") << "Ωμέγα"
                           << "ωΜΈΓΑ";
    QTest::newRow("Cyrillic") << "Иванов"
                              << "иВАНОВ";
}

// =, <>, LIKE and ORDER BY all ignore letter case, also for letters beyond ASCII.
void TestEngineRules::textComparesWithoutCase()
{
    QFETCH(QString, stored);
    QFETCH(QString, probe);
    m_scratch->ExecuteAll({
        QStringLiteral("INSERT INTO Doctors (DoctorID, LName, FName) VALUES (1, '%1', 'b')")
            .arg(stored),
        QStringLiteral("INSERT INTO Doctors (DoctorID, LName, FName) VALUES (2, '%1', 'C')")
            .arg(probe),
        QStringLiteral("INSERT INTO Doctors (DoctorID, LName, FName) VALUES (3, '%1', 'a')")
            .arg(stored),
    });
    const QString where =
        QStringLiteral("SELECT DoctorID FROM Doctors WHERE LName %1 '%2' ORDER BY DoctorID");
    QCOMPARE(m_scratch->Column(where.arg("=", probe)), (QVariantList{1, 2, 3}));
    QCOMPARE(m_scratch->Column(where.arg("<>", probe)), QVariantList{});
    QCOMPARE(m_scratch->Column(where.arg("LIKE", probe)), (QVariantList{1, 2, 3}));
    QCOMPARE(m_scratch->Column(where.arg("LIKE", probe.left(2) + u'*')), (QVariantList{1, 2, 3}));
    QCOMPARE(
        m_scratch->Count(
            QStringLiteral("SELECT DoctorID FROM Doctors WHERE UCASE(LName) = '%1'").arg(probe)),
        3);
    // Equal names leave the order to the first names: a, b, C (not C before a as in binary order).
    QCOMPARE(m_scratch->Column("SELECT DoctorID FROM Doctors ORDER BY LName, FName"),
             (QVariantList{3, 1, 2}));
    QCOMPARE(m_scratch->Column("SELECT FName FROM Doctors ORDER BY FName"),
             (QVariantList{"a", "b", "C"}));
    QCOMPARE(m_scratch->Count("SELECT DISTINCT LName FROM Doctors"), 1);
}

// Each letter beside its other case form: the two texts differ in letter case alone.
void TestEngineRules::everyLetterEqualsItsOtherCase()
{
    QString letters, others;
    for (char32_t c = 1; c < 0x10000; ++c) {
        const QChar ch(c);
        // Unicode's default caseless matching pairs I with i; the Turkish dotless i stays apart,
        // and so does the archaic long s (ſ, ẛ) under the server's ICU collation.
        if (ch.isSurrogate() || !ch.isLetter() || c == 0x131 || c == 0x17f || c == 0x1e9b)
            continue;
        for (const QChar other : {ch.toUpper(), ch.toLower()}) {
            if (other != ch)
                letters += ch, others += other;
        }
    }
    QVERIFY(letters.size() > 1000);
    const QString sql = QStringLiteral("SELECT * FROM Company WHERE '%1' = '%2'");
    QCOMPARE(m_scratch->Count(sql.arg(letters, others)), 1);
}

void TestEngineRules::upperCaseFunctions()
{
    seedPatients();
    const auto rs = m_scratch->db().OpenRecordset(
        "SELECT UCASE(lname) AS upper, UCase(fname) AS first, ucase(MI) AS middle FROM Patients "
        "WHERE ptid = 2");
    QCOMPARE(rs->Fields()["upper"].Value().toString(), QStringLiteral("MÜLLER"));
    QCOMPARE(rs->Fields()["first"].Value().toString(), QStringLiteral("JÖRG"));
    QVERIFY(rs->Fields()["middle"].Value().isNull());
    QCOMPARE(m_scratch->Column("SELECT ptid FROM Patients WHERE UCASE(lname) = 'O''HARA' AND "
                               "UCase(fname) = 'BEA'"),
             QVariantList{3});
}

void TestEngineRules::namesMatchInAnyCase()
{
    seedPatients();
    QCOMPARE(m_scratch->Column("select LNAME from PATIENTS where PtId = 1"), QVariantList{"Smith"});
    QCOMPARE(m_scratch->Column("SELECT [LName] FROM [patients] WHERE [PTID] = 1"),
             QVariantList{"Smith"});
    QCOMPARE(m_scratch->Column("SELECT pAtIeNtS.fname FROM patients WHERE patients.ptid = 3"),
             QVariantList{"Bea"});
    m_scratch->db().Execute("UPDATE PATIENTS SET FNAME = 'Anne' WHERE PTID = 1", dbFailOnError);
    m_scratch->db().Execute("insert into patients (PTID, LNAME) values (4, 'Lee')", dbFailOnError);
    const auto rs = m_scratch->db().OpenRecordset("SELECT * FROM Patients WHERE ptid = 1");
    QCOMPARE(rs->Fields()["FNAME"].Value().toString(), QStringLiteral("Anne"));
    QCOMPARE(rs->Fields()["Fname"].Value().toString(), QStringLiteral("Anne"));
    QCOMPARE(m_scratch->Count("SELECT * FROM Patients"), 4);
}

void TestEngineRules::leftJoinOnTwoConditions()
{
    seedPatients();
    m_scratch->ExecuteAll({
        // Patient 1 was printed for the current call date, patient 2 for an older one.
        "INSERT INTO printlog (ptid, calldate, printdate) VALUES (1, #12/1/2023#, #12/2/2023#)",
        "INSERT INTO printlog (ptid, calldate, printdate) VALUES (2, #6/1/2023#, #6/2/2023#)",
    });
    const auto rs = m_scratch->db().OpenRecordset(
        "SELECT patients.ptid, printlog.ptid AS logged, printlog.printdate FROM patients LEFT "
        "JOIN printlog ON patients.ptid=printlog.ptid AND patients.calldate=printlog.calldate "
        "ORDER BY patients.ptid");
    QCOMPARE(rs->Fields()["logged"].Value(), QVariant(1));
    rs->MoveNext();
    QCOMPARE(rs->Fields()[0].Value(), QVariant(2));
    QVERIFY(rs->Fields()["logged"].Value().isNull());
    QVERIFY(rs->Fields()["printdate"].Value().isNull());
    QCOMPARE(
        m_scratch->Column("SELECT patients.ptid FROM patients LEFT JOIN printlog ON "
                          "patients.ptid=printlog.ptid AND patients.calldate=printlog.calldate "
                          "WHERE printlog.ptid IS NULL ORDER BY patients.ptid"),
        (QVariantList{2, 3}));
}

void TestEngineRules::aggregatesWithAliases()
{
    QCOMPARE(m_scratch->Scalar("SELECT Count(ptid) as countid from Patients"), QVariant(0));
    QVERIFY(m_scratch->Scalar("SELECT MAX(ptid) as maxid from Patients").isNull());
    seedPatients();
    m_scratch->db().Execute("INSERT INTO Patients (lname) VALUES ('NoId')", dbFailOnError);
    const auto rs = m_scratch->db().OpenRecordset(
        "SELECT COUNT(*) AS rowsfound, count(ptid) AS countid, MAX(ptid) AS maxid, "
        "max(birthdate) as latest FROM Patients");
    QCOMPARE(rs->Fields()["ROWSFOUND"].Value(), QVariant(4));
    QCOMPARE(rs->Fields()["countid"].Value(), QVariant(3));
    QCOMPARE(rs->Fields()["MaxId"].Value(), QVariant(3));
    QCOMPARE(rs->Fields()["latest"].Value(), QVariant(utc(1971, 3, 4)));
    QCOMPARE(rs->Fields()["maxid"].Type(), int(dbLong));
    QCOMPARE(rs->Fields()["latest"].Type(), int(dbDate));
}

void TestEngineRules::unaliasedExpressionsReadByIndexAndName()
{
    seedPatients();
    const auto rs = m_scratch->db().OpenRecordset(
        "SELECT COUNT(*), MAX(goal_chol), lname FROM Patients WHERE ptid = 2 GROUP BY lname",
        dbOpenForwardOnly);
    QCOMPARE(rs->Fields().Count(), 3);
    QCOMPARE(rs->Fields()[0].Value(), QVariant(1));
    QCOMPARE(rs->Fields()["Expr1000"].Value(), QVariant(1));
    QCOMPARE(rs->Fields()[1].Name(), QStringLiteral("Expr1001"));
    QCOMPARE(rs->Fields()["expr1001"].Value(), QVariant(200));
    QCOMPARE(rs->Fields()[1].Type(), int(dbInteger));
    QCOMPARE(rs->Fields()[2].Name(), QStringLiteral("lname"));
    QCOMPARE(m_scratch->Scalar("SELECT COUNT(*) FROM Schedule WHERE ptid = 1"), QVariant(0));
}

void TestEngineRules::trueReadsBackAsBoolean()
{
    m_scratch->ExecuteAll({
        "INSERT INTO Communications (id, ptid, complete) VALUES (1, 1, True)",
        "INSERT INTO Communications (id, ptid, complete) VALUES (2, 1, False)",
        "INSERT INTO Communications (id, ptid) VALUES (3, 1)",
    });
    QCOMPARE(m_scratch->Dump("SELECT complete FROM Communications ORDER BY id"),
             QStringLiteral("True\nFalse\n<null>"));
    QCOMPARE(m_scratch->Column("SELECT id FROM Communications WHERE complete = True"),
             QVariantList{1});
    QCOMPARE(m_scratch->Column("SELECT id FROM Communications WHERE complete = FALSE"),
             QVariantList{2});
    m_scratch->db().Execute("UPDATE Communications SET complete = true WHERE id = 2",
                            dbFailOnError);
    QCOMPARE(m_scratch->Count("SELECT id FROM Communications WHERE complete = True"), 2);
    const auto rs = m_scratch->db().OpenRecordset("SELECT True AS yes, False FROM Company");
    QCOMPARE(rs->Fields()["yes"].Type(), int(dbBoolean));
    QCOMPARE(rs->Fields()["yes"].Value(), QVariant(true));
    QCOMPARE(rs->Fields()[1].Value(), QVariant(false));
}

void TestEngineRules::omittedFieldIsNull()
{
    m_scratch->db().Execute("INSERT INTO Patients (ptid, lname) VALUES (7, 'Lee')", dbFailOnError);
    const auto rs = m_scratch->db().OpenRecordset("SELECT * FROM Patients");
    int nulls = 0;
    for (int i = 0; i < rs->Fields().Count(); ++i) {
        const Field& f = rs->Fields()[i];
        if (f.Name() != u"ptid" && f.Name() != u"lname") {
            QVERIFY2(f.Value().isNull(), qPrintable(f.Name()));
            ++nulls;
        }
    }
    QCOMPARE(nulls, 18);
    QCOMPARE(m_scratch->Count("SELECT * FROM Patients WHERE birthdate IS NULL AND goal_chol IS "
                              "NULL AND fname IS NULL AND comment IS NULL"),
             1);
    // An empty text is a value, not Null.
    m_scratch->db().Execute("INSERT INTO Patients (ptid, fname) VALUES (8, '')", dbFailOnError);
    QCOMPARE(m_scratch->Scalar("SELECT fname FROM Patients WHERE ptid = 8"), QVariant(QString()));
    QVERIFY(!m_scratch->Scalar("SELECT fname FROM Patients WHERE ptid = 8").isNull());
}

void TestEngineRules::longTextIsCutToItsColumn()
{
    Database& db = m_scratch->db();
    const QString longName = QString(25, QChar(u'ü'));
    db.Execute(QStringLiteral("INSERT INTO Patients (ptid, sex, MI, lname) VALUES (1, 'Male', "
                              "'Jo', '%1')")
                   .arg(longName),
               dbFailOnError);
    QCOMPARE(m_scratch->Dump("SELECT sex, MI, lname FROM Patients"),
             QStringLiteral("M|J|") + QString(20, QChar(u'ü')));
    db.Execute("UPDATE Patients SET sex = 'Female', st = 'Texas' WHERE ptid = 1", dbFailOnError);
    QCOMPARE(m_scratch->Dump("SELECT sex, st FROM Patients"), QStringLiteral("F|Te"));
    QCOMPARE(db.RecordsAffected(), 1);
    // Memo fields have no width.
    const QString note = QString(10000, QChar(u'n'));
    db.Execute(QStringLiteral("UPDATE Patients SET comment = '%1'").arg(note), dbFailOnError);
    QCOMPARE(m_scratch->Scalar("SELECT comment FROM Patients").toString(), note);
}

// Inserts that differ only in their values run through one kept statement: each row must
// get its own values, Nulls in any place, a refused row must leave the statement usable,
// and no lock may stay behind between runs.
void TestEngineRules::rowsAddedOneByOneStoreTheirOwnValues()
{
    Database& db = m_scratch->db();
    const QString insert = QStringLiteral(
        "INSERT INTO Communications (ID, PtId, CallDate, CallTime, Result, Complete) "
        "VALUES (%1, %2, %3, %4, %5, %6)");
    db.Execute(insert.arg("1", "10", "#1/2/2024#", "'9:15'", "'O''Hara, call back'", "True"),
               dbFailOnError);
    db.Execute(insert.arg("2", "20", "Null", "'10:00'", "'Second'", "False"), dbFailOnError);
    db.Execute(insert.arg("3", "30", "#3/4/2025 13:45:00#", "Null", "'Third'", "True"),
               dbFailOnError);
    QVERIFY_THROWS_EXCEPTION(
        DbError, db.Execute(insert.arg("4", "40", "#1/1/2024#", "'x'", "'y'", "'maybe'"),
                            dbFailOnError));
    db.Execute(insert.arg("4", "2147483647", "#5/6/2026#", "'11:30'", "'Fourth'", "False"),
               dbFailOnError);
    QCOMPARE(db.RecordsAffected(), 1);
    QCOMPARE(m_scratch->Dump("SELECT ID, PtId, CallDate, CallTime, Result, Complete "
                             "FROM Communications ORDER BY ID"),
             QStringLiteral("1|10|01/02/2024|9:15|O'Hara, call back|True\n"
                            "2|20|<null>|10:00|Second|False\n"
                            "3|30|03/04/2025 13:45:00|<null>|Third|True\n"
                            "4|2147483647|05/06/2026|11:30|Fourth|False"));
    // Another workstation writes at once: nothing of ours still holds the file.
    m_scratch->OpenAgain().Execute(insert.arg("5", "50", "Null", "Null", "'Other'", "False"),
                                   dbFailOnError);
    QCOMPARE(m_scratch->Count("SELECT * FROM Communications"), 5);
}

void TestEngineRules::failingStatementAppliesNothing_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<int>("options");

    const QStringList statements = {
        "INSERT INTO Patients (ptid, goal_chol) VALUES (9, 'abc')",
        "INSERT INTO Patients (ptid, birthdate) VALUES (9, 'someday')",
        "INSERT INTO Patients (ptid, birthdate) VALUES (9, #2/30/2001#)",
        "INSERT INTO Patients (ptid, goal_chol) VALUES (9, 32768)",
        "INSERT INTO Patients (ptid, goal_chol) VALUES (9, -32769)",
        "INSERT INTO Patients (ptid) VALUES (3000000000)",
        "INSERT INTO Patients (ptid lname) VALUES (9, 'x')",
        "INSERT INTO Patients (ptid, nosuchfield) VALUES (9, 'x')",
        "UPDATE Patients SET goal_chol = goal_chol * 20",
        "UPDATE Patients SET birthdate = 'yesterday' WHERE ptid = 2",
        "UPDATE Patients SET lname = 'x', goal_ldl = 'y'",
        "UPDATE Patients SET lname = 'x' WHERE",
        "DELETE FROM Patients WHERE ptid = = 1",
        "DELETE FROM Patients WHERE nosuchfield = 1",
    };
    const QString kinds[] = {"wrong kind for a number",
                             "wrong kind for a date",
                             "impossible date",
                             "Integer overflow",
                             "Integer underflow",
                             "Long overflow",
                             "syntax error in field list",
                             "unknown field",
                             "multi-row update failing on a later row",
                             "update with wrong kind",
                             "second value wrong",
                             "WHERE with nothing",
                             "doubled operator",
                             "delete with unknown field"};
    for (qsizetype i = 0; i < statements.size(); ++i) {
        QTest::addRow("%s, fail on error", qPrintable(kinds[i]))
            << statements[i] << int(dbFailOnError);
        QTest::addRow("%s, no options", qPrintable(kinds[i])) << statements[i] << 0;
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

// Converted on the way in, a value exactly at its field's limit still fits.
void TestEngineRules::valuesAtTheLimitsAreStored()
{
    seedPatients();
    m_scratch->db().Execute("UPDATE Patients SET ptid = '2147483647', goal_chol = '32767', "
                            "goal_ldl = '-32768' WHERE ptid = 1",
                            dbFailOnError);
    QCOMPARE(m_scratch->Dump("SELECT ptid, goal_chol, goal_ldl FROM Patients WHERE goal_chol = 32767"),
             QStringLiteral("2147483647|32767|-32768"));
}

void TestEngineRules::fieldMetadataFollowsTheTable()
{
    for (const QString& table : SchemaTableNames()) {
        const TableDef def = m_scratch->db().GetTableDef(table);
        const auto rs = m_scratch->db().OpenRecordset(QStringLiteral("SELECT * FROM ") + table);
        QCOMPARE(rs->Fields().Count(), def.fields.size());
        for (int i = 0; i < rs->Fields().Count(); ++i) {
            const Field& f = rs->Fields()[i];
            QCOMPARE(f.Name(), def.fields[i].name);
            QCOMPARE(f.Type(), def.fields[i].type);
            const int size = f.Type() == dbText ? def.fields[i].size : DaoFixedSize(f.Type());
            QCOMPARE(f.Size(), size);
        }
    }
    const auto rs = m_scratch->db().OpenRecordset("SELECT * FROM Communications");
    QCOMPARE(rs->Fields()["Complete"].Type(), int(dbBoolean));
    QCOMPARE(rs->Fields()["Complete"].Size(), 1);
    QCOMPARE(rs->Fields()["CallTime"].Size(), 8);
    QCOMPARE(rs->Fields()["CallDate"].Size(), 8);
    const auto patients =
        m_scratch->db().OpenRecordset("SELECT goal_chol, comment, ptid FROM Patients");
    QCOMPARE(patients->Fields()[0].Type(), int(dbInteger));
    QCOMPARE(patients->Fields()[0].Size(), 2);
    QCOMPARE(patients->Fields()[1].Type(), int(dbMemo));
    QCOMPARE(patients->Fields()[2].Type(), int(dbLong));
    QCOMPARE(patients->Fields()[2].Size(), 4);
}

void TestEngineRules::fieldNamesAsWritten()
{
    seedPatients();
    const auto rs = m_scratch->db().OpenRecordset(
        "SELECT lname AS [Last Name], ptid AS Id, fname, UCASE(lname) AS Big, lname & fname AS Joined "
        "FROM Patients");
    QCOMPARE(rs->Fields()[0].Name(), QStringLiteral("Last Name"));
    QCOMPARE(rs->Fields()[0].Type(), int(dbText));
    QCOMPARE(rs->Fields()[0].Size(), 20);
    QCOMPARE(rs->Fields()[1].Name(), QStringLiteral("Id"));
    QCOMPARE(rs->Fields()[1].Type(), int(dbLong));
    QCOMPARE(rs->Fields()[2].Name(), QStringLiteral("fname"));
    QCOMPARE(rs->Fields()[3].Name(), QStringLiteral("Big"));
    QCOMPARE(rs->Fields()[3].Type(), int(dbText));
    // A text the query makes has no width of its own: a Text field's largest.
    QCOMPARE(rs->Fields()["Joined"].Type(), int(dbText));
    QCOMPARE(rs->Fields()["Joined"].Size(), 255);
    QCOMPARE(rs->Fields()["last name"].Value().toString(), QStringLiteral("Smith"));
    const auto upper = m_scratch->db().OpenRecordset("SELECT PTID, Patients.LNAME FROM Patients");
    QCOMPARE(upper->Fields()[0].Name(), QStringLiteral("PTID"));
    QCOMPARE(upper->Fields()[1].Name(), QStringLiteral("LNAME"));
    const auto accented =
        m_scratch->db().OpenRecordset("SELECT lname AS [Größe] FROM Patients WHERE ptid = 1");
    QCOMPARE(accented->Fields()["gRÖße"].Value().toString(), QStringLiteral("Smith"));
}

void TestEngineRules::emptyResultIsBofAndEof()
{
    for (const int type : {int(dbOpenSnapshot), int(dbOpenForwardOnly)}) {
        const auto rs = m_scratch->db().OpenRecordset("SELECT * FROM Patients", type);
        QVERIFY(rs->Bof());
        QVERIFY(rs->Eof());
        QCOMPARE(rs->RecordCount(), 0);
        QCOMPARE(rs->Fields().Count(), 20);
        QVERIFY_THROWS_EXCEPTION(DbError, rs->Fields()["lname"].Value());
        QVERIFY_THROWS_EXCEPTION(DbError, rs->MoveNext());
    }
    const auto rs = m_scratch->db().OpenRecordset("SELECT * FROM Patients");
    rs->MoveFirst();
    rs->MoveLast();
    QVERIFY(rs->Bof() && rs->Eof());
}

void TestEngineRules::snapshotMovesBothWays()
{
    seedPatients();
    const auto rs = m_scratch->db().OpenRecordset(kPatients);
    const auto id = [&rs] { return rs->Fields()["ptid"].Value().toInt(); };
    QVERIFY(!rs->Bof() && !rs->Eof());
    QCOMPARE(id(), 1);
    rs->MoveNext();
    QCOMPARE(id(), 2);
    rs->MoveNext();
    rs->MoveNext();
    QVERIFY(rs->Eof());
    QVERIFY_THROWS_EXCEPTION(DbError, rs->MoveNext());
    rs->MovePrevious();
    QVERIFY(!rs->Eof());
    QCOMPARE(id(), 3);
    rs->MoveFirst();
    QCOMPARE(id(), 1);
    rs->MovePrevious();
    QVERIFY(rs->Bof());
    QVERIFY_THROWS_EXCEPTION(DbError, rs->MovePrevious());
    rs->MoveNext();
    QCOMPARE(id(), 1);
    rs->MoveLast();
    QCOMPARE(id(), 3);
    rs->MovePrevious();
    QCOMPARE(id(), 2);
    QCOMPARE(rs->RecordCount(), 3);
    QCOMPARE(id(), 2);

    const auto fresh = m_scratch->db().OpenRecordset(kPatients);
    QCOMPARE(fresh->RecordCount(), 3);
    QCOMPARE(fresh->Fields()["ptid"].Value(), QVariant(1));
    fresh->Close();
    QVERIFY(fresh->Eof());
}

void TestEngineRules::forwardOnlyRefusesMovingBack()
{
    seedPatients();
    const auto rs = m_scratch->db().OpenRecordset(kPatients, dbOpenForwardOnly);
    QVariantList ids;
    for (; !rs->Eof(); rs->MoveNext())
        ids.append(rs->Fields()["ptid"].Value());
    QCOMPARE(ids, (QVariantList{1, 2, 3}));
    const auto again = m_scratch->db().OpenRecordset(kPatients, dbOpenForwardOnly);
    again->MoveNext();
    QVERIFY_THROWS_EXCEPTION(DbError, again->MovePrevious());
    QVERIFY_THROWS_EXCEPTION(DbError, again->MoveFirst());
    QCOMPARE(again->Fields()["ptid"].Value(), QVariant(2));
}

// Rows written while a snapshot is read, by this or another connection, stay out of it.
void TestEngineRules::snapshotKeepsRowsOfItsOpening()
{
    seedPatients();
    const auto rs = m_scratch->db().OpenRecordset(kPatients);
    Database other = m_scratch->OpenAgain();
    m_scratch->db().Execute("INSERT INTO Patients (ptid, lname) VALUES (4, 'Lee')", dbFailOnError);
    other.Execute("DELETE FROM Patients WHERE ptid = 3", dbFailOnError);
    m_scratch->db().Execute("UPDATE Patients SET lname = 'Changed' WHERE ptid = 2", dbFailOnError);
    QVariantList names;
    for (; !rs->Eof(); rs->MoveNext())
        names.append(rs->Fields()["lname"].Value());
    QCOMPARE(names, (QVariantList{"Smith", "Müller", "O'Hara"}));
    QCOMPARE(rs->RecordCount(), 3);
    QCOMPARE(m_scratch->Column(QString(kPatients).replace("*", "lname")),
             (QVariantList{"Smith", "Changed", "Lee"}));
}

// Long listings share the strings of texts a column repeats: every row must still read back
// exactly what was stored, whether its column repeats, never repeats or holds non-ASCII text.
// A query opened again while it is still open reads on its own; closed, it is kept ready for
// its next opening, which sees rows added since, and holds no lock in between.
void TestEngineRules::oneQueryOpenTwiceReadsTwice()
{
    seedPatients();
    Database& db = m_scratch->db();
    const QString query = QStringLiteral("SELECT ptid FROM Patients ORDER BY ptid");
    auto first = db.OpenRecordset(query, dbOpenForwardOnly);
    first->MoveNext();
    QVariantList second;
    for (auto rs = db.OpenRecordset(query, dbOpenForwardOnly); !rs->Eof(); rs->MoveNext())
        second << rs->Fields()[0].Value();
    QCOMPARE(second, (QVariantList{1, 2, 3}));
    QCOMPARE(first->Fields()[0].Value(), QVariant(2));
    first.reset();
    Database other = m_scratch->OpenAgain();
    other.Execute("INSERT INTO Patients (ptid, lname) VALUES (4, 'Later')", dbFailOnError);
    QCOMPARE(m_scratch->Column(query), (QVariantList{1, 2, 3, 4}));
    other.Execute("DELETE FROM Patients WHERE ptid = 1", dbFailOnError);
    QCOMPARE(m_scratch->Column(query), (QVariantList{2, 3, 4}));
}

void TestEngineRules::longListingsReadEveryTextExactly()
{
    const QStringList names = {"Smith", "Jones", "Müller", "Lee", "smith", "Smith "};
    QStringList statements;
    for (int i = 1; i <= 1500; ++i)
        statements << QStringLiteral("INSERT INTO Patients (ptid, lname, fname, city) VALUES "
                                     "(%1, '%2', 'F%1', '%3')")
                          .arg(i)
                          .arg(names[i % names.size()], i % 7 == 0 ? QStringLiteral("Zoë") : QStringLiteral("Salem"));
    m_scratch->db().BeginTrans();
    m_scratch->ExecuteAll(statements);
    m_scratch->db().CommitTrans();
    for (const int type : {dbOpenForwardOnly, dbOpenSnapshot}) {
        auto rs = m_scratch->db().OpenRecordset(
            QStringLiteral("SELECT ptid, lname, fname, city FROM Patients ORDER BY ptid"), type);
        int wrong = 0;
        for (int i = 1; !rs->Eof(); rs->MoveNext(), ++i) {
            const QString city = i % 7 == 0 ? QStringLiteral("Zoë") : QStringLiteral("Salem");
            wrong += rs->Fields()["lname"].Value().toString() != names[i % names.size()] ||
                     rs->Fields()["fname"].Value().toString() != QStringLiteral("F%1").arg(i) ||
                     rs->Fields()["city"].Value().toString() != city;
        }
        QCOMPARE(wrong, 0);
    }
}

// Texts of one length that differ in a single letter (in the first, a middle or the last eight
// bytes, or in a text shorter than four) are hashed alike but for that letter, and many share
// slots of the table; each must come back as itself, before and after the column stops looking
// for repeats.
void TestEngineRules::repeatedTextsNeverMistakeOneForAnother()
{
    RepeatedTexts texts;
    QStringList wrong;
    for (int round = 0; round < 40; ++round) {
        for (char letter = 'a'; letter <= 'z'; ++letter) {
            for (const QByteArray& text :
                 {QByteArray(1, letter), QByteArray("1") + letter, QByteArray("1") + letter + "3",
                  letter + QByteArray("1234"), QByteArray("1234") + letter,
                  QByteArray("1234567") + letter + "9", QByteArray("12345678abcdefg") + letter,
                  QByteArray("12345678abcdefgh") + letter}) {
                if (texts.Value(text.constData(), int(text.size())).toString() != QString::fromLatin1(text))
                    wrong << QString::fromLatin1(text);
            }
        }
    }
    const QByteArray accented = "Zo\xc3\xab";
    QCOMPARE(texts.Value(accented.constData(), int(accented.size())).toString(), QStringLiteral("Zoë"));
    QCOMPARE(wrong, QStringList());
}

void TestEngineRules::executeRefusesSelect()
{
    seedPatients();
    QVERIFY_THROWS_EXCEPTION(DbError,
                             m_scratch->db().Execute("SELECT * FROM Patients", dbFailOnError));
    QVERIFY_THROWS_EXCEPTION(DbError, m_scratch->db().OpenRecordset("DELETE FROM Patients"));
    QCOMPARE(m_scratch->Count("SELECT * FROM Patients"), 3);
}

void TestEngineRules::tableNameOpensWholeTable()
{
    seedPatients();
    for (const QString& name : {QStringLiteral("Patients"), QStringLiteral("patients"),
                                QStringLiteral("[Patients]"), QStringLiteral(" PATIENTS ")}) {
        const auto rs = m_scratch->db().OpenRecordset(name, dbOpenTable);
        QCOMPARE(rs->RecordCount(), 3);
        QCOMPARE(rs->Fields().Count(), 20);
        QCOMPARE(rs->Fields()[0].Name(), QStringLiteral("Address1"));
        QCOMPARE(rs->Fields()["lname"].Size(), 20);
        QCOMPARE(rs->Fields()[19].Type(), int(dbMemo));
    }
    QVERIFY_THROWS_EXCEPTION(DbError, m_scratch->db().OpenRecordset("Nowhere", dbOpenTable));
}

void TestEngineRules::openRefusesNonDatabaseFile_data()
{
    QTest::addColumn<QByteArray>("content");

    QTest::newRow("text") << QByteArray("Last,First\nSmith,Ann\n");
    QTest::newRow("binary page") << QByteArray(4096, '\x5a');
    QTest::newRow("empty file") << QByteArray();
}

void TestEngineRules::openRefusesNonDatabaseFile()
{
    QFETCH(QByteArray, content);
    const QString path = QDir(m_scratch->folder()).filePath("other/brevoxal.mdb");
    QVERIFY(QDir().mkpath(QFileInfo(path).path()));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
    file.close();
    try {
        Database::Open(path);
        QFAIL("a file that is no database was opened");
    } catch (const DbError& e) {
        QVERIFY2(e.Message().contains(path), qPrintable(e.Message()));
    }
    QCOMPARE(fileHash(path), QCryptographicHash::hash(content, QCryptographicHash::Sha256));
    QCOMPARE(QDir(QFileInfo(path).path()).entryList(QDir::Files), QStringList{"brevoxal.mdb"});
}

void TestEngineRules::readingAForeignFileLeavesItUnchanged()
{
    // Another program's SQLite file, in rollback-journal mode: opening it and reading its
    // tables must not switch its journal mode or touch a byte of it.
    const QString path = QDir(m_scratch->folder()).filePath("foreign.db");
    {
        sqlite3* raw = nullptr;
        QCOMPARE(sqlite3_open(QFile::encodeName(path).constData(), &raw), SQLITE_OK);
        QCOMPARE(sqlite3_exec(raw, "CREATE TABLE Notes (body TEXT); INSERT INTO Notes VALUES ('x')",
                              nullptr, nullptr, nullptr),
                 SQLITE_OK);
        sqlite3_close(raw);
    }
    const QByteArray before = fileHash(path);
    {
        Database db = Database::Open(path);
        QCOMPARE(db.TableNames(), QStringList{"Notes"});
        QCOMPARE(db.OpenRecordset("SELECT * FROM Notes")->RecordCount(), 1);
    }
    QCOMPARE(fileHash(path), before);
    QVERIFY(!QFileInfo::exists(path + "-wal"));
}

void TestEngineRules::openRefusesMissingFile()
{
    const QString path = QDir(m_scratch->folder()).filePath("missing.mdb");
    QVERIFY_THROWS_EXCEPTION(DbError, Database::Open(path));
    QVERIFY(!QFileInfo::exists(path));
    QVERIFY_THROWS_EXCEPTION(DbError, Database::Open(m_scratch->folder()));
}

void TestEngineRules::createRefusesExistingFile()
{
    seedPatients();
    const QString path = m_scratch->db().Name();
    m_scratch->db().Close();
    const QByteArray before = fileHash(path);
    QVERIFY_THROWS_EXCEPTION(DbError, Database::Create(path));
    QCOMPARE(fileHash(path), before);
    Database reopened = Database::Open(path);
    QCOMPARE(reopened.OpenRecordset("SELECT * FROM Patients")->RecordCount(), 3);

    const QString text = QDir(m_scratch->folder()).filePath("notes.txt");
    QFile file(text);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("keep me");
    file.close();
    QVERIFY_THROWS_EXCEPTION(DbError, Database::Create(text));
    QCOMPARE(fileHash(text), QCryptographicHash::hash("keep me", QCryptographicHash::Sha256));
}

QTEST_GUILESS_MAIN(TestEngineRules)
#include "tst_EngineRules.moc"
