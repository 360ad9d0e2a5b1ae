#include "Catalog.h"
#include "DbError.h"
#include "JetDate.h"
#include "JetPattern.h"
#include "JetTranslator.h"
#include "Schema.h"
#include "ScratchDatabase.h"

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

// Refused with any message.
const QString kRefused = QStringLiteral("refused");

} // namespace

class TestJetTranslator : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void readsDates_data();
    void readsDates();
    void translates_data();
    void translates();
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

// A date as typed between '#' signs, as stored, or as a number counting days from 12/30/1899
// (before it, the fraction still counts the time forward from midnight).
void TestJetTranslator::readsDates_data()
{
    QTest::addColumn<QVariant>("written");
    QTest::addColumn<QDateTime>("date"); // invalid: refused

    const auto utc = [](int y, int m, int d, int h = 0, int min = 0, int sec = 0) {
        return QDateTime(QDate(y, m, d), QTime(h, min, sec), Qt::UTC);
    };
    const auto typed = [](const char* text) { return QVariant(QString::fromUtf8(text)); };
    const auto stored = [](const char* text) { return QVariant(QByteArray(text)); };
    QTest::newRow("yy 29") << typed("3/4/29") << utc(2029, 3, 4);
    QTest::newRow("yy 30") << typed("3/4/30") << utc(1930, 3, 4);
    QTest::newRow("iso with time") << typed("2000-01-02 08:30:15") << utc(2000, 1, 2, 8, 30, 15);
    QTest::newRow("PM") << typed("1/2/1960 1:05:09 PM") << utc(1960, 1, 2, 13, 5, 9);
    QTest::newRow("12 AM is midnight") << typed("1/2/1960 12:00 AM") << utc(1960, 1, 2);
    QTest::newRow("29 Feb of a common year") << typed("2/29/2001") << QDateTime();
    QTest::newRow("three-digit year") << typed("1/2/123") << QDateTime();
    QTest::newRow("mixed separators") << typed("1/2-1960") << QDateTime();
    QTest::newRow("13 PM") << typed("1/2/1960 13:00 PM") << QDateTime();
    QTest::newRow("typed empty") << typed("") << QDateTime();
    QTest::newRow("stored date and time") << stored("2004-03-05 13:45:59")
                                          << utc(2004, 3, 5, 13, 45, 59);
    QTest::newRow("stored date only") << stored("2024-02-29") << utc(2024, 2, 29);
    QTest::newRow("stored 1900 is no leap year") << stored("1900-02-29 00:00:00") << QDateTime();
    QTest::newRow("stored month 13") << stored("2004-13-01 00:00:00") << QDateTime();
    QTest::newRow("stored empty") << stored("") << QDateTime();
    QTest::newRow("serial before day zero") << QVariant(-1.25) << utc(1899, 12, 29, 6);
    QTest::newRow("serial of year 100") << QVariant(-657434.0) << utc(100, 1, 1);
    QTest::newRow("serial before year 100") << QVariant(-657435.0) << QDateTime();
    QTest::newRow("serial after 9999") << QVariant(2958466.0) << QDateTime();
    QTest::newRow("serial not a number") << QVariant(std::nan("")) << QDateTime();
}

void TestJetTranslator::readsDates()
{
    QFETCH(QVariant, written);
    QFETCH(QDateTime, date);
    const QByteArray bytes = written.toByteArray();
    const auto read = written.typeId() == QMetaType::Double ? JetDate::FromSerial(written.toDouble())
                      : written.typeId() == QMetaType::QString
                          ? JetDate::Parse(written.toString())
                          : JetDate::FromStorage(bytes.constData(), int(bytes.size()));
    QCOMPARE(read.value_or(QDateTime()), date);
}

void TestJetTranslator::translates_data()
{
    QTest::addColumn<QString>("jet");
    QTest::addColumn<QString>("sqlite");

    // Texts in either quote with the quote doubled, names in brackets, numbers in any form.
    QTest::newRow("tokens")
        << "SELECT [First Name] FROM Patients WHERE lname = \"say \"\"hi\"\"\" OR fname<>'O''Hara' "
           "AND ptid<=3.5 AND ptid>=.5 AND ptid < 1e3"
        << "SELECT \"First Name\" AS \"First Name\" FROM Patients WHERE lname COLLATE JETTEXT = "
           "'say \"hi\"' COLLATE JETTEXT OR fname COLLATE JETTEXT <> 'O''Hara' COLLATE JETTEXT AND "
           "ptid <= 3.5 AND ptid >= .5 AND ptid < 1e3";
    // The file declares no collation: text fields are made case-blind where they are compared,
    // ordered or aggregated, and nowhere else.
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
    QTest::addColumn<QString>("refusal"); // null: either outcome

    // Refused as a whole, also when the second statement hides behind a quote.
    const QString stacked = QStringLiteral("Characters found after end of SQL statement.");
    QTest::newRow("stacked statements") << "SELECT * FROM Patients;;" << stacked;
    QTest::newRow("stacked behind a quote") << "SELECT * FROM Patients WHERE lname = 'x'; DELETE "
                                               "FROM Patients WHERE 'a' = 'a'" << stacked;
    QTest::newRow("number run into letters") << "SELECT * FROM Drugs WHERE DrugID = 12abc"
                                             << kRefused;
    QTest::newRow("quote doubled at the end") << "SELECT * FROM Drugs WHERE DrugDesc = 'abc''"
                                              << kRefused;
    QTest::newRow("unterminated date") << "SELECT * FROM Patients WHERE calldate = #1/1/2000"
                                       << kRefused;
    QTest::newRow("question mark") << "SELECT * FROM Drugs WHERE DrugID ? 1" << kRefused;
    QTest::newRow("unbalanced (") << "SELECT * FROM Patients WHERE (ptid = 1" << kRefused;
    QTest::newRow("no fields") << "SELECT FROM Patients" << kRefused;
    QTest::newRow("unbalanced )") << "SELECT * FROM Patients WHERE ptid = 1)" << kRefused;
    QTest::newRow("unknown table, update") << "UPDATE Nowhere SET a = 1" << kRefused;
    QTest::newRow("unknown field, insert") << "INSERT INTO Drugs (Nope) VALUES (1)" << kRefused;
    QTest::newRow("unknown field, update") << "UPDATE Drugs SET nope = 1" << kRefused;
    QTest::newRow("no values") << "INSERT INTO Drugs (DrugID) VALUES ()" << kRefused;
    QTest::newRow("too few values") << "INSERT INTO Drugs (DrugID, DrugDesc) VALUES (1)" << kRefused;
    QTest::newRow("make-table") << "SELECT lname INTO Copy FROM Patients" << kRefused;
    QTest::newRow("huge number for Long")
        << "INSERT INTO Drugs (DrugID, DrugDesc) VALUES (99999999999999999999, 'x')" << kRefused;
    QTest::newRow("unclosed pattern set")
        << "SELECT * FROM HealthFactors WHERE conddesc LIKE '[ab'" << kRefused;
    QTest::newRow("deep nesting") << "SELECT * FROM Patients WHERE " + QString(5000, u'(') +
                                         "ptid = 1" + QString(5000, u')') << kRefused;
    QTest::newRow("long operator run")
        << "SELECT * FROM Patients WHERE ptid = " + QString(5000, u'-') + "1" << kRefused;

    // Found by fuzzing (fuzz/fuzz_translator.cpp): statements the translator passed to SQLite
    // without fitting their values to the fields, and text hard on the lexer and SQLite.
    QTest::newRow("update with a table alias")
        << "UPDATE Patients AS p SET goal_chol = 99999" << kRefused;
    QTest::newRow("update or ignore") << "UPDATE OR IGNORE Patients SET goal_chol = 99999" << kRefused;
    QTest::newRow("update not indexed")
        << "UPDATE Patients NOT INDEXED SET diastolic = 70000" << kRefused;
    QTest::newRow("insert from select, Integer overflow")
        << "INSERT INTO Patients (ptid, goal_chol) SELECT 5, 99999" << kRefused;
    QTest::newRow("insert from select, text for a date")
        << "INSERT INTO Patients (ptid, birthdate) SELECT 6, 'soon'" << kRefused;
    QTest::newRow("insert from select, long text")
        << "INSERT INTO Patients (ptid, lname) SELECT 7, 'abcdefghijabcdefghijabcdefghij'" << QString();
    QTest::newRow("update with alias, long text")
        << "UPDATE Drugs AS d SET DrugDesc = 'abcdefghijabcdefghijabcdefghij'" << QString();
    QTest::newRow("NUL inside a text")
        << "INSERT INTO Drugs (DrugID, DrugDesc) VALUES (9, 'a" + QString(QChar(0)) + "b')"
        << QString();
    QTest::newRow("NUL before a second statement")
        << "DELETE FROM Drugs WHERE DrugID = 5" + QString(QChar(0)) + "; DELETE FROM Drugs"
        << kRefused;
    QTest::newRow("recursive query")
        << "SELECT * FROM Drugs WHERE DrugID IN (WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL "
           "SELECT x + 1 FROM n) SELECT x FROM n)" << kRefused;
    QTest::newRow("insert from select, checked values stored")
        << "INSERT INTO Patients (ptid, lname, goal_chol) SELECT 8, 'Ng' AS who, 12.5" << QString();
    QTest::newRow("insert from select star") << "INSERT INTO Drugs SELECT * FROM Drugs" << kRefused;
    QTest::newRow("deep nesting in the field list")
        << "SELECT " + QString(5000, u'(') + u'1' + QString(5000, u')') + " FROM Drugs" << QString();
    QTest::newRow("lone surrogate")
        << "SELECT * FROM Drugs WHERE DrugDesc = '" + QString(QChar(0xD800)) + u'\'' << QString();
}

// Any text ends in a result or a DbError; a failing statement changes nothing, and no
// statement stores a value that does not fit its field.
void TestJetTranslator::statementEndsInAResultOrAnError()
{
    QFETCH(QString, sql);
    QFETCH(QString, refusal);
    const QString before = m_scratch->EveryRow(SchemaTableNames());
    const QString message = MessageOf([&] {
        if (sql.trimmed().startsWith(u"SELECT", Qt::CaseInsensitive))
            m_scratch->db().OpenRecordset(sql)->MoveLast();
        else
            m_scratch->db().Execute(sql, dbFailOnError);
    });
    const bool failed = !message.isEmpty();
    QVERIFY2(failed || refusal.isNull(), "the statement was accepted");
    if (!refusal.isNull() && refusal != kRefused)
        QCOMPARE(message, refusal);
    if (failed)
        QCOMPARE(m_scratch->EveryRow(SchemaTableNames()), before);
    QCOMPARE(misfits(*m_scratch), QStringList());
}

QTEST_GUILESS_MAIN(TestJetTranslator)
#include "tst_JetTranslator.moc"
