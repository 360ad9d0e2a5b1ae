#include "Catalog.h"
#include "DbError.h"
#include "JetDate.h"
#include "JetLexer.h"
#include "JetPattern.h"
#include "JetTranslator.h"
#include "Schema.h"
#include "ScratchDatabase.h"
#include "StatementRun.h"

#include <QRegularExpression>
#include <QTest>

#include <cmath>

namespace
{

// Blanks around punctuation are not significant in SQL text; compare without them.
QString normalized(const QString& sql)
{
    static const QRegularExpression punctuation(QStringLiteral("\\s*([(),=<>*.|])\\s*"));
    return QString(sql).replace(punctuation, QStringLiteral("\\1")).simplified();
}

QString describe(const QList<JetToken>& tokens)
{
    static const char* const kinds[] = {"Word", "Name", "Text", "Number", "Date", "Symbol", "End"};
    QStringList parts;
    for (const JetToken& t : tokens)
        if (t.kind != JetToken::End)
            parts.append(QString::fromLatin1(kinds[t.kind]) + u':' + t.value);
    return parts.join(QStringLiteral(" | "));
}

// Ends a statement's text after the first character, so that only a NUL follows.
QString withNul(const char* before, const char* after)
{
    return QString::fromLatin1(before) + QChar(0) + QString::fromLatin1(after);
}

// Fields holding a number outside their range or a text wider than the field.
QStringList misfits(ScratchDatabase& scratch)
{
    const QHash<int, QString> outside = {{dbInteger, "[%1] < -32768 OR [%1] > 32767"},
                                         {dbLong, "[%1] < -2147483648 OR [%1] > 2147483647"},
                                         {dbText, "Len([%1]) > %2"}};
    QStringList found;
    for (const QString& table : SchemaTableNames()) {
        for (const FieldDef& f : scratch.db().GetTableDef(table).fields) {
            const QString where = QString(outside.value(f.type))
                                      .replace("%1", f.name).replace("%2", QString::number(f.size));
            if (!where.isEmpty() && scratch.Count("SELECT * FROM " + table + " WHERE " + where))
                found.append(table + u'.' + f.name);
        }
    }
    return found;
}

} // namespace

class TestJetTranslator : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void parsesDates_data();
    void parsesDates();
    void readsStoredDates_data();
    void readsStoredDates();
    void readsDateSerials_data();
    void readsDateSerials();
    void tokenizes_data();
    void tokenizes();
    void translates_data();
    void translates();
    void refusesStackedStatements();
    void matchesPatterns_data();
    void matchesPatterns();
    void statementEndsInAResultOrAnError_data();
    void statementEndsInAResultOrAnError();

private:
    std::unique_ptr<ScratchDatabase> m_scratch;
    Catalog m_catalog;
};

void TestJetTranslator::initTestCase()
{
    m_scratch = std::make_unique<ScratchDatabase>();
    m_scratch->ExecuteAll({
        "INSERT INTO Patients (ptid, lname, fname, goal_chol, systolic, birthdate) "
        "VALUES (1, 'Müller', 'Anna', 200, 120, #3/14/1950#)",
        "INSERT INTO Drugs (DrugID, DrugDesc) VALUES (1, 'Atorvastatin')",
        "INSERT INTO LabVisits (id, ptid, labdate, ldl) VALUES (1, 1, #2/1/2025#, 160)",
    });
    m_catalog.Load(m_scratch->db().Handle());
}

void TestJetTranslator::parsesDates_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("stored"); // empty: refused

    QTest::newRow("yy 29") << "3/4/29" << "2029-03-04 00:00:00";
    QTest::newRow("yy 30") << "3/4/30" << "1930-03-04 00:00:00";
    QTest::newRow("iso with time") << "2000-01-02 08:30:15" << "2000-01-02 08:30:15";
    QTest::newRow("PM") << "1/2/1960 1:05:09 PM" << "1960-01-02 13:05:09";
    QTest::newRow("12 AM is midnight") << "1/2/1960 12:00 AM" << "1960-01-02 00:00:00";

    QTest::newRow("29 Feb of a common year") << "2/29/2001" << "";
    QTest::newRow("three-digit year") << "1/2/123" << "";
    QTest::newRow("mixed separators") << "1/2-1960" << "";
    QTest::newRow("13 PM") << "1/2/1960 13:00 PM" << "";
    QTest::newRow("empty") << "" << "";
}

void TestJetTranslator::parsesDates()
{
    QFETCH(QString, text);
    QFETCH(QString, stored);
    const auto date = JetDate::Parse(text);
    QCOMPARE(date ? JetDate::ToStorage(*date) : QString(), stored);
}

void TestJetTranslator::readsStoredDates_data()
{
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<QDateTime>("date"); // invalid: not a stored date

    const auto utc = [](int y, int m, int d, int h = 0, int min = 0, int sec = 0) {
        return QDateTime(QDate(y, m, d), QTime(h, min, sec), Qt::UTC);
    };
    QTest::newRow("date and time") << QByteArray("2004-03-05 13:45:59") << utc(2004, 3, 5, 13, 45, 59);
    QTest::newRow("date only") << QByteArray("2024-02-29") << utc(2024, 2, 29);
    QTest::newRow("1900 is no leap year") << QByteArray("1900-02-29 00:00:00") << QDateTime();
    QTest::newRow("month 13") << QByteArray("2004-13-01 00:00:00") << QDateTime();
    QTest::newRow("empty") << QByteArray() << QDateTime();
}

void TestJetTranslator::readsStoredDates()
{
    QFETCH(QByteArray, stored);
    QFETCH(QDateTime, date);
    const auto read = JetDate::FromStorage(stored.constData(), int(stored.size()));
    QCOMPARE(read.value_or(QDateTime()), date);
}

// A number stored as a date counts days from 12/30/1899; before it, the fraction still
// counts the time forward from midnight.
void TestJetTranslator::readsDateSerials_data()
{
    QTest::addColumn<double>("serial");
    QTest::addColumn<QDateTime>("date"); // invalid: out of range

    const auto utc = [](int y, int m, int d, int h = 0) {
        return QDateTime(QDate(y, m, d), QTime(h, 0), Qt::UTC);
    };
    QTest::newRow("before day zero") << -1.25 << utc(1899, 12, 29, 6);
    QTest::newRow("first day of year 100") << -657434.0 << utc(100, 1, 1);
    QTest::newRow("before year 100") << -657435.0 << QDateTime();
    QTest::newRow("after 9999") << 2958466.0 << QDateTime();
    QTest::newRow("not a number") << std::nan("") << QDateTime();
}

void TestJetTranslator::readsDateSerials()
{
    QFETCH(double, serial);
    QFETCH(QDateTime, date);
    QCOMPARE(JetDate::FromSerial(serial).value_or(QDateTime()), date);
}

void TestJetTranslator::tokenizes_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QString>("tokens"); // "refused": DbError naming the text

    QTest::newRow("doubled single quote") << "'O''Hara'" << "Text:O'Hara";
    QTest::newRow("double quotes") << "\"say \"\"hi\"\"\"" << "Text:say \"hi\"";
    QTest::newRow("bracketed name with blank") << "[First Name]" << "Name:First Name";
    QTest::newRow("two-character operators")
        << "a<>b<=c>=d"
        << "Word:a | Symbol:<> | Word:b | Symbol:<= | Word:c | Symbol:>= | Word:d";
    QTest::newRow("numbers") << "42 3.5 .5 1e3" << "Number:42 | Number:3.5 | Number:.5 | Number:1e3";
    QTest::newRow("number run into letters") << "12abc" << "refused";
    QTest::newRow("unbalanced single quote") << "lname = 'abc" << "refused";
    QTest::newRow("quote doubled at the end") << "'abc''" << "refused";
    QTest::newRow("unterminated date") << "#1/1/2000" << "refused";
    QTest::newRow("question mark") << "a ? b" << "refused";
}

void TestJetTranslator::tokenizes()
{
    QFETCH(QString, sql);
    QFETCH(QString, tokens);
    try {
        QCOMPARE(describe(JetLexer::Tokenize(sql)), tokens);
    } catch (const DbError& e) {
        QCOMPARE(QStringLiteral("refused"), tokens);
        QCOMPARE(e.Statement(), sql);
    }
}

void TestJetTranslator::translates_data()
{
    QTest::addColumn<QString>("jet");
    QTest::addColumn<QString>("sqlite");

    QTest::newRow("top with order by")
        << "SELECT TOP 5 lname FROM Patients ORDER BY lname"
        << "SELECT lname AS \"lname\" FROM Patients ORDER BY lname COLLATE JETTEXT LIMIT 5";
    // The file declares no collation: text fields are made case-blind where they are compared,
    // ordered or aggregated, and nowhere else.
    QTest::newRow("text fields ordered and compared, others bare")
        << "SELECT ptid, lname FROM Patients WHERE fname = lname AND ptid > 1 ORDER BY lname, "
           "calldate DESC"
        << "SELECT ptid AS \"ptid\", lname AS \"lname\" FROM Patients WHERE fname COLLATE "
           "JETTEXT = lname COLLATE JETTEXT AND ptid > 1 ORDER BY lname COLLATE JETTEXT, calldate "
           "DESC";
    QTest::newRow("joins, aliases and qualified names")
        << "SELECT d.lname FROM Doctors AS d INNER JOIN PatientsDoctors pd ON pd.Comment = "
           "d.lname WHERE Doctors.x = 1 OR d!fname IN ('A', 'b')"
        << "SELECT d.lname AS \"lname\" FROM Doctors AS d INNER JOIN PatientsDoctors pd ON "
           "pd.Comment COLLATE JETTEXT = d.lname COLLATE JETTEXT WHERE Doctors.x = 1 OR d.fname "
           "COLLATE JETTEXT IN ('A' COLLATE JETTEXT, 'b' COLLATE JETTEXT)";
    QTest::newRow("aggregates and correlated sub-queries")
        << "SELECT MAX(lname) FROM Patients p WHERE EXISTS (SELECT * FROM Doctors WHERE "
           "Doctors.lname = p.fname) GROUP BY city"
        << "SELECT MAX(lname COLLATE JETTEXT) AS Expr1000 FROM Patients p WHERE EXISTS (SELECT * "
           "FROM Doctors WHERE Doctors.lname COLLATE JETTEXT = p.fname COLLATE JETTEXT) GROUP BY "
           "city COLLATE JETTEXT";
    QTest::newRow("action conditions")
        << "UPDATE Patients SET lname = fname WHERE city = st"
        << "UPDATE Patients SET lname = jet_store(fname, 10, 20, 'lname') WHERE city COLLATE "
           "JETTEXT = st COLLATE JETTEXT";
    QTest::newRow("no comments in the dialect")
        << "SELECT ptid FROM Patients WHERE ptid = 1 -- 1 /* x */"
        << "SELECT ptid AS \"ptid\" FROM Patients WHERE ptid = 1 - - 1 / * x * /";
    QTest::newRow("DELETE *") << "DELETE * FROM Patients WHERE ptid = 1"
                              << "DELETE FROM Patients WHERE ptid = 1";
    QTest::newRow("DISTINCTROW") << "SELECT DISTINCTROW lname FROM Patients"
                                 << "SELECT DISTINCT lname COLLATE JETTEXT AS \"lname\" FROM Patients";
}

void TestJetTranslator::translates()
{
    QFETCH(QString, jet);
    QFETCH(QString, sqlite);
    QCOMPARE(normalized(JetTranslator::Translate(jet, m_catalog).sql), normalized(sqlite));
}

// Refused as a whole, also when the second statement hides behind a quote.
void TestJetTranslator::refusesStackedStatements()
{
    for (const char* sql : {"SELECT * FROM Patients;;",
                            "SELECT * FROM Patients WHERE lname = 'x'; DELETE FROM Patients WHERE 'a' = 'a'"}) {
        QString message;
        try {
            JetTranslator::Translate(sql, m_catalog);
        } catch (const DbError& e) {
            message = e.Message();
        }
        QCOMPARE(message, QStringLiteral("Characters found after end of SQL statement."));
    }
}

void TestJetTranslator::matchesPatterns_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("matches");

    QTest::newRow("* back-tracking") << "a*b*c" << "aXbYbc" << true;
    QTest::newRow("* not enough") << "a*b*c" << "aXbY" << false;
    QTest::newRow("no wildcard is whole text") << "Smith" << "Smiths" << false;
    QTest::newRow("? not zero") << "Sm?th" << "Smth" << false;
    QTest::newRow("? beyond the BMP") << "a?b" << QString::fromUtf8("a\xF0\x9F\x98\x80" "b") << true;
    QTest::newRow("# a digit") << "Room ##" << "Room 09" << true;
    QTest::newRow("[abc] other") << "[abc]x" << "dx" << false;
    QTest::newRow("[!abc] in set") << "[!abc]x" << "ax" << false;
    QTest::newRow("[a-z] outside") << "[a-m]*" << "Zane" << false;
    QTest::newRow("case, Cyrillic") << "иван*" << "ИВАНОВ" << true;
    QTest::newRow("empty pattern, text") << "" << "a" << false;
}

void TestJetTranslator::matchesPatterns()
{
    QFETCH(QString, pattern);
    QFETCH(QString, text);
    QFETCH(bool, matches);
    const auto compiled = JetPattern::Compile(pattern);
    QVERIFY(compiled);
    QCOMPARE(compiled->Matches(text), matches);
}

void TestJetTranslator::statementEndsInAResultOrAnError_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<bool>("fails"); // false: either outcome

    QTest::newRow("keyword alone") << "SELECT" << true;
    QTest::newRow("unbalanced (") << "SELECT * FROM Patients WHERE (ptid = 1" << true;
    QTest::newRow("no fields") << "SELECT FROM Patients" << true;
    QTest::newRow("unbalanced )") << "SELECT * FROM Patients WHERE ptid = 1)" << true;
    QTest::newRow("unknown table, update") << "UPDATE Nowhere SET a = 1" << true;
    QTest::newRow("unknown field, insert") << "INSERT INTO Drugs (Nope) VALUES (1)" << true;
    QTest::newRow("unknown field, update") << "UPDATE Drugs SET nope = 1" << true;
    QTest::newRow("no values") << "INSERT INTO Drugs (DrugID) VALUES ()" << true;
    QTest::newRow("too few values") << "INSERT INTO Drugs (DrugID, DrugDesc) VALUES (1)" << true;
    QTest::newRow("unknown table") << "SELECT * FROM Nowhere" << true;
    QTest::newRow("unknown field") << "SELECT nothing FROM Patients" << true;
    QTest::newRow("make-table") << "SELECT lname INTO Copy FROM Patients" << true;
    QTest::newRow("huge number for Long")
        << "INSERT INTO Drugs (DrugID, DrugDesc) VALUES (99999999999999999999, 'x')" << true;
    QTest::newRow("unclosed pattern set")
        << "SELECT * FROM HealthFactors WHERE conddesc LIKE '[ab'" << true;
    QTest::newRow("deep nesting") << "SELECT * FROM Patients WHERE " + QString(5000, u'(') +
                                         "ptid = 1" + QString(5000, u')') << true;
    QTest::newRow("long operator run")
        << "SELECT * FROM Patients WHERE ptid = " + QString(5000, u'-') + "1" << true;

    // Found by fuzzing (fuzz/fuzz_translator.cpp): statements the translator passed to SQLite
    // without fitting their values to the fields, and text hard on the lexer and SQLite.
    QTest::newRow("update with a table alias")
        << "UPDATE Patients AS p SET goal_chol = 99999" << true;
    QTest::newRow("update or ignore") << "UPDATE OR IGNORE Patients SET goal_chol = 99999" << true;
    QTest::newRow("update or replace")
        << "UPDATE OR REPLACE Patients SET systolic = 40000 WHERE ptid = 1" << true;
    QTest::newRow("update not indexed")
        << "UPDATE Patients NOT INDEXED SET diastolic = 70000" << true;
    QTest::newRow("insert from select, Integer overflow")
        << "INSERT INTO Patients (ptid, goal_chol) SELECT 5, 99999" << true;
    QTest::newRow("insert from select, Long overflow")
        << "INSERT INTO Drugs (DrugID, DrugDesc) SELECT 2147483648, 'x'" << true;
    QTest::newRow("insert from select, text for a date")
        << "INSERT INTO Patients (ptid, birthdate) SELECT 6, 'soon'" << true;
    QTest::newRow("insert from select, long text")
        << "INSERT INTO Patients (ptid, lname) SELECT 7, 'abcdefghijabcdefghijabcdefghij'" << false;
    QTest::newRow("update with alias, long text")
        << "UPDATE Drugs AS d SET DrugDesc = 'abcdefghijabcdefghijabcdefghij'" << false;
    QTest::newRow("NUL inside a text")
        << withNul("INSERT INTO Drugs (DrugID, DrugDesc) VALUES (9, 'a", "b')") << false;
    QTest::newRow("NUL before a second statement")
        << withNul("DELETE FROM Drugs WHERE DrugID = 5", "; DELETE FROM Drugs") << true;
    QTest::newRow("recursive query")
        << "SELECT * FROM Drugs WHERE DrugID IN (WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL "
           "SELECT x + 1 FROM n) SELECT x FROM n)" << true;
    QTest::newRow("insert from select, checked values stored")
        << "INSERT INTO Patients (ptid, lname, goal_chol) SELECT 8, 'Ng' AS who, 12.5" << false;
    QTest::newRow("insert from select star") << "INSERT INTO Drugs SELECT * FROM Drugs" << true;
    QTest::newRow("deep nesting in the field list")
        << "SELECT " + QString(5000, u'(') + u'1' + QString(5000, u')') + " FROM Drugs" << false;
    QTest::newRow("lone surrogate")
        << "SELECT * FROM Drugs WHERE DrugDesc = '" + QString(QChar(0xD800)) + u'\'' << false;
}

// Any text ends in a result or a DbError; a failing statement changes nothing, and no
// statement stores a value that does not fit its field.
void TestJetTranslator::statementEndsInAResultOrAnError()
{
    QFETCH(QString, sql);
    QFETCH(bool, fails);
    const QString before = EveryRow(*m_scratch, SchemaTableNames());
    bool failed = false;
    try {
        RunStatement(m_scratch->db(), sql);
    } catch (const DbError& e) {
        failed = !e.Message().isEmpty();
    }
    QVERIFY2(failed || !fails, "the statement was accepted");
    if (failed)
        QCOMPARE(EveryRow(*m_scratch, SchemaTableNames()), before);
    QCOMPARE(misfits(*m_scratch), QStringList());
}

QTEST_GUILESS_MAIN(TestJetTranslator)
#include "tst_JetTranslator.moc"
