// Inputs found by fuzzing the engine (fuzz/fuzz_translator.cpp), kept so that each stays
// mended: any text ends in a result or a DbError, a failing statement changes nothing, and
// no statement stores a value that does not fit its field.
#include "DbError.h"
#include "Schema.h"
#include "ScratchDatabase.h"
#include "StatementRun.h"

#include <QTest>

namespace
{

// Ends a statement's text after the first character, so that only a NUL follows.
QString withNul(const char* before, const char* after)
{
    return QString::fromLatin1(before) + QChar(0) + QString::fromLatin1(after);
}

// Fields holding a number outside their range or a text wider than the field.
QStringList misfits(ScratchDatabase& scratch)
{
    QStringList found;
    for (const QString& table : SchemaTableNames()) {
        for (const FieldDef& field : scratch.db().GetTableDef(table).fields) {
            QString outside;
            if (field.type == dbInteger)
                outside = QStringLiteral("[%1] < -32768 OR [%1] > 32767");
            else if (field.type == dbLong)
                outside = QStringLiteral("[%1] < -2147483648 OR [%1] > 2147483647");
            else if (field.type == dbText)
                outside = QStringLiteral("Len([%1]) > ") + QString::number(field.size);
            if (outside.isEmpty())
                continue;
            if (scratch.Count("SELECT * FROM " + table + " WHERE " + outside.arg(field.name)) > 0)
                found.append(table + u'.' + field.name);
        }
    }
    return found;
}

} // namespace

class TestFuzzRegressions : public QObject
{
    Q_OBJECT

private slots:
    void endsInResultOrError_data();
    void endsInResultOrError();
};

void TestFuzzRegressions::endsInResultOrError_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<bool>("fails"); // false: either outcome

    // Statements the translator passed to SQLite without fitting their values to the fields.
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

    // Text that is hard on the lexer and on SQLite's parser.
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
    QTest::newRow("deep nesting")
        << "SELECT " + QString(5000, u'(') + u'1' + QString(5000, u')') + " FROM Drugs" << false;
    QTest::newRow("lone surrogate")
        << "SELECT * FROM Drugs WHERE DrugDesc = '" + QString(QChar(0xD800)) + u'\'' << false;
}

void TestFuzzRegressions::endsInResultOrError()
{
    QFETCH(QString, sql);
    QFETCH(bool, fails);
    ScratchDatabase scratch;
    scratch.ExecuteAll({
        "INSERT INTO Patients (ptid, lname, fname, goal_chol, systolic, birthdate) "
        "VALUES (1, 'Müller', 'Anna', 200, 120, #3/14/1950#)",
        "INSERT INTO Drugs (DrugID, DrugDesc) VALUES (1, 'Atorvastatin')",
        "INSERT INTO LabVisits (id, ptid, labdate, ldl) VALUES (1, 1, #2/1/2025#, 160)",
    });
    const QString before = EveryRow(scratch, SchemaTableNames());
    bool failed = false;
    try {
        RunStatement(scratch.db(), sql);
    } catch (const DbError& e) {
        failed = true;
        QVERIFY(!e.Message().isEmpty());
    }
    QVERIFY2(failed || !fails, "the statement was accepted");
    if (failed)
        QCOMPARE(EveryRow(scratch, SchemaTableNames()), before);
    QCOMPARE(misfits(scratch), QStringList());
}

QTEST_GUILESS_MAIN(TestFuzzRegressions)
#include "tst_FuzzRegressions.moc"
