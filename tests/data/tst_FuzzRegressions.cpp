// Inputs found by fuzzing the engine (fuzz/fuzz_translator.cpp), kept so that each stays
// mended: any text ends in a result or a DbError, a failing statement changes nothing, and
// no statement stores a value that does not fit its field.
#include "DbError.h"
#include "Schema.h"
#include "ScratchDatabase.h"

#include <QTest>

namespace
{

enum class Outcome { Fails, Either };

// Ends a statement's text after the first character, so that only a NUL follows.
QString withNul(const char* before, const char* after)
{
    return QString::fromLatin1(before) + QChar(0) + QString::fromLatin1(after);
}

QString nested(int depth)
{
    return QStringLiteral("SELECT ") + QString(depth, u'(') + u'1' + QString(depth, u')') +
           QStringLiteral(" FROM Drugs");
}

} // namespace

Q_DECLARE_METATYPE(Outcome)

class TestFuzzRegressions : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void endsInResultOrError_data();
    void endsInResultOrError();

private:
    QString everyRow();
    QStringList misfits();

    std::unique_ptr<ScratchDatabase> m_scratch;
};

void TestFuzzRegressions::init()
{
    m_scratch = std::make_unique<ScratchDatabase>();
    m_scratch->ExecuteAll({
        QStringLiteral("INSERT INTO Patients (ptid, lname, fname, goal_chol, systolic, birthdate) "
                       "VALUES (1, 'Müller', 'Anna', 200, 120, #3/14/1950#)"),
        QStringLiteral("INSERT INTO Drugs (DrugID, DrugDesc) VALUES (1, 'Atorvastatin')"),
        QStringLiteral(
            "INSERT INTO LabVisits (id, ptid, labdate, ldl) VALUES (1, 1, #2/1/2025#, 160)"),
    });
}

void TestFuzzRegressions::cleanup()
{
    m_scratch.reset();
}

// Every value of every table, to tell whether a statement changed anything.
QString TestFuzzRegressions::everyRow()
{
    QString rows;
    for (const QString& table : SchemaTableNames())
        rows += table + u'\n' + m_scratch->Dump(QStringLiteral("SELECT * FROM ") + table) + u'\n';
    return rows;
}

// Fields holding a number outside their range or a text wider than the field.
QStringList TestFuzzRegressions::misfits()
{
    QStringList found;
    for (const QString& table : SchemaTableNames()) {
        for (const FieldDef& field : m_scratch->db().GetTableDef(table).fields) {
            QString outside;
            if (field.type == dbInteger)
                outside = QStringLiteral("[%1] < -32768 OR [%1] > 32767");
            else if (field.type == dbLong)
                outside = QStringLiteral("[%1] < -2147483648 OR [%1] > 2147483647");
            else if (field.type == dbText)
                outside = QStringLiteral("Len([%1]) > ") + QString::number(field.size);
            if (outside.isEmpty())
                continue;
            const QString sql = QStringLiteral("SELECT COUNT(*) AS n FROM %1 WHERE ").arg(table) +
                                outside.arg(field.name);
            if (m_scratch->Scalar(sql).toInt() > 0)
                found.append(table + u'.' + field.name);
        }
    }
    return found;
}

void TestFuzzRegressions::endsInResultOrError_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<Outcome>("outcome");

    // Statements the translator passed to SQLite without fitting their values to the fields.
    QTest::newRow("update with a table alias")
        << "UPDATE Patients AS p SET goal_chol = 99999" << Outcome::Fails;
    QTest::newRow("update or ignore")
        << "UPDATE OR IGNORE Patients SET goal_chol = 99999" << Outcome::Fails;
    QTest::newRow("update or replace")
        << "UPDATE OR REPLACE Patients SET systolic = 40000 WHERE ptid = 1" << Outcome::Fails;
    QTest::newRow("update not indexed") << "UPDATE Patients NOT INDEXED SET diastolic = 70000"
                                        << Outcome::Fails;
    QTest::newRow("insert from select, Integer overflow")
        << "INSERT INTO Patients (ptid, goal_chol) SELECT 5, 99999" << Outcome::Fails;
    QTest::newRow("insert from select, Long overflow")
        << "INSERT INTO Drugs (DrugID, DrugDesc) SELECT 2147483648, 'x'" << Outcome::Fails;
    QTest::newRow("insert from select, text for a date")
        << "INSERT INTO Patients (ptid, birthdate) SELECT 6, 'soon'" << Outcome::Fails;
    QTest::newRow("insert from select, long text")
        << "INSERT INTO Patients (ptid, lname) SELECT 7, 'abcdefghijabcdefghijabcdefghij'"
        << Outcome::Either;
    QTest::newRow("update with alias, long text")
        << "UPDATE Drugs AS d SET DrugDesc = 'abcdefghijabcdefghijabcdefghij'" << Outcome::Either;

    // Text that is hard on the lexer and on SQLite's parser.
    QTest::newRow("NUL inside a text")
        << withNul("INSERT INTO Drugs (DrugID, DrugDesc) VALUES (9, 'a", "b')") << Outcome::Either;
    QTest::newRow("NUL before a second statement")
        << withNul("DELETE FROM Drugs WHERE DrugID = 5", "; DELETE FROM Drugs") << Outcome::Fails;
    QTest::newRow("recursive query")
        << "SELECT * FROM Drugs WHERE DrugID IN (WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL "
           "SELECT x + 1 FROM n) SELECT x FROM n)"
        << Outcome::Fails;
    QTest::newRow("insert from select, checked values stored")
        << "INSERT INTO Patients (ptid, lname, goal_chol) SELECT 8, 'Ng' AS who, 12.5"
        << Outcome::Either;
    QTest::newRow("insert from select star") << "INSERT INTO Drugs SELECT * FROM Drugs"
                                             << Outcome::Fails;
    QTest::newRow("deep nesting") << nested(5000) << Outcome::Either;
    QTest::newRow("lone surrogate")
        << QStringLiteral("SELECT * FROM Drugs WHERE DrugDesc = '") + QChar(0xD800) + u'\''
        << Outcome::Either;
}

void TestFuzzRegressions::endsInResultOrError()
{
    QFETCH(QString, sql);
    QFETCH(Outcome, outcome);
    const QString before = everyRow();
    bool failed = false;
    try {
        if (sql.startsWith(u"SELECT", Qt::CaseInsensitive))
            m_scratch->db().OpenRecordset(sql)->MoveLast();
        else
            m_scratch->db().Execute(sql, dbFailOnError);
    } catch (const DbError& e) {
        failed = true;
        QVERIFY(!e.Message().isEmpty());
    }
    if (outcome == Outcome::Fails)
        QVERIFY2(failed, "the statement was accepted");
    if (failed)
        QCOMPARE(everyRow(), before);
    QCOMPARE(misfits(), QStringList());
}

QTEST_GUILESS_MAIN(TestFuzzRegressions)
#include "tst_FuzzRegressions.moc"
