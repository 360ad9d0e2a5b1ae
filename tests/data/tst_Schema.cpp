#include "DaoType.h"
#include "Database.h"
#include "ScratchDatabase.h"
#include "StatementRun.h"

#include <QTest>

namespace {

// Written out independently of the schema builder, so that a slip in either shows. Each field
// is name:type with T<size> text, M memo, D date, I integer, L long, B boolean.
const QList<std::pair<QString, QString>> kTables = {
    {"Company", "Name:T40 address1:T40 address2:T40 city:T20 st:T2 zip:T10 email:T40 phone:T16 "
                "fax:T16 letterbody:M sendername:T40"},
    {"Patients", "Address1:T40 Address2:T40 birthdate:D CallDate:D cellphone:T16 city:T20 "
                 "email:T40 fname:T20 goal_chol:I goal_ldl:I systolic:I diastolic:I ptid:L "
                 "lname:T20 MI:T1 phone:T16 sex:T1 st:T2 zip:T10 Comment:M"},
    {"Doctors", "DoctorID:L LName:T20 FName:T20 Classification:T20"},
    {"Drugs", "DrugID:L DrugDesc:T20"},
    {"HealthFactors", "CondID:L CondDesc:T50"},
    {"LabVisits", "ID:L PtID:L LabDate:D OverallCL:L HDL:L LDL:L Lp_a:L Triglycerides:L HMCYST:L "
                  "CRP:L SGOT_AST:L SGPT_ALT:L CPK:L TSH:L GLUC:L The_Intervention:M AddDate:D"},
    {"PrintLog", "ID:L PtId:L PrintDate:D CallDate:D"},
    {"PatientFactors", "ID:L PtId:L CondID:L Comment:M"},
    {"Schedule", "ID:L PtId:L DrugID:L Comment:M"},
    {"Communications", "ID:L PtId:L CallDate:D CallTime:T8 Result:T60 Complete:B"},
    {"PatientsDoctors", "ID:L PtId:L DoctorID:L Comment:M"},
};

struct ExpectedField {
    QString name;
    int type;
    int size;
};

QList<ExpectedField> expectedFields(const QString& table)
{
    const QHash<QChar, std::pair<int, int>> types = {
        {u'M', {dbMemo, 0}}, {u'D', {dbDate, 8}},    {u'I', {dbInteger, 2}},
        {u'L', {dbLong, 4}}, {u'B', {dbBoolean, 1}}, {u'T', {dbText, 0}}};
    QList<ExpectedField> fields;
    for (const auto& [name, layout] : kTables) {
        if (name != table)
            continue;
        for (const QString& field : layout.split(u' ')) {
            const QString type = field.section(u':', 1);
            const auto [dao, size] = types.value(type.front());
            const int width = dao == dbText ? type.mid(1).toInt() : size;
            fields.append({field.section(u':', 0, 0), dao, width});
        }
    }
    return fields;
}

bool isText(int type)
{
    return type == dbText || type == dbMemo;
}

} // namespace

class tst_Schema : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { m_fresh = std::make_unique<ScratchDatabase>(); }
    void holdsExactlyTheElevenTables();
    void fieldsAsDefined_data();
    void fieldsAsDefined();
    void fieldsTakeNullAndTheEmptyText_data() { fieldsAsDefined_data(); }
    void fieldsTakeNullAndTheEmptyText();
    void newFileHoldsOnlyItsSeedRows();

private:
    std::unique_ptr<ScratchDatabase> m_fresh;
};

// The tables are in the file itself, not only in this connection's memory.
void tst_Schema::holdsExactlyTheElevenTables()
{
    QStringList expected;
    for (const auto& table : kTables)
        expected.append(table.first);
    QCOMPARE(m_fresh->db().TableNames(), expected);
    QCOMPARE(SecondConnection(*m_fresh).TableNames(), expected);
}

void tst_Schema::fieldsAsDefined_data()
{
    QTest::addColumn<QString>("table");
    for (const auto& table : kTables)
        QTest::newRow(qPrintable(table.first)) << table.first;
}

// As the stored definition and as a recordset of the table report them.
void tst_Schema::fieldsAsDefined()
{
    QFETCH(QString, table);
    const QList<ExpectedField> expected = expectedFields(table);
    const TableDef stored = SecondConnection(*m_fresh).GetTableDef(table);
    const auto rs = m_fresh->db().OpenRecordset(table);
    QCOMPARE(stored.name, table);
    QCOMPARE(stored.fields.size(), expected.size());
    QCOMPARE(rs->Fields().Count(), int(expected.size()));
    for (int i = 0; i < expected.size(); ++i) {
        const FieldDef& field = stored.fields[i];
        const Field& read = rs->Fields()[i];
        const ExpectedField& want = expected[i];
        const auto wanted = std::tuple(want.name, want.type, want.size);
        QCOMPARE(std::tuple(field.name, field.type, field.size), wanted);
        QCOMPARE(std::tuple(read.Name(), read.Type(), read.Size()), wanted);
        QVERIFY2(!field.required, qPrintable(want.name));
        QCOMPARE(field.allowZeroLength, isText(want.type));
    }
}

void tst_Schema::fieldsTakeNullAndTheEmptyText()
{
    QFETCH(QString, table);
    QStringList fields, texts;
    for (const ExpectedField& f : expectedFields(table)) {
        fields.append(f.name);
        if (isText(f.type))
            texts.append(f.name);
    }
    ScratchDatabase fresh;
    const auto insert = [&](const QStringList& names, const QString& value) {
        fresh.db().Execute("DELETE FROM " + table, dbFailOnError);
        const QStringList values(names.size(), value);
        fresh.db().Execute(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                               .arg(table, names.join(u','), values.join(u',')),
                           dbFailOnError);
        return fresh.db().OpenRecordset(table);
    };
    const auto nulls = insert(fields, QStringLiteral("Null"));
    for (const QString& field : fields)
        QVERIFY2(nulls->Fields()[field].Value().isNull(), qPrintable(field));
    if (texts.isEmpty())
        return;
    const auto empties = insert(texts, QStringLiteral("''"));
    QCOMPARE(empties->RecordCount(), 1);
    for (const QString& field : texts) {
        const QVariant value = empties->Fields()[field].Value();
        QVERIFY2(!value.isNull() && value.toString().isEmpty(), qPrintable(field));
    }
}

// The company row with empty details and the default letter, and the four health factors.
void tst_Schema::newFileHoldsOnlyItsSeedRows()
{
    for (const auto& table : kTables) {
        const int rows = m_fresh->Count(QStringLiteral("SELECT * FROM ") + table.first);
        QCOMPARE(rows, table.first == u"HealthFactors" ? 4 : table.first == u"Company" ? 1 : 0);
    }
    QCOMPARE(m_fresh->Dump(QStringLiteral("SELECT * FROM Company")),
             QStringLiteral("|||||||||Enter the body of letter here..  Something like :  This "
                            "letter is to serve as a reminder for your next set of blood work "
                            "tests.  Please call within the next three business days to schedule "
                            "an appointment.|Enter name of sender"));
    QCOMPARE(m_fresh->Dump("SELECT CondID, CondDesc FROM HealthFactors ORDER BY CondID"),
             QStringLiteral("1|Smoking\n2|Family History\n3|Overweight\n4|Sedintery lifestyle"));
}

QTEST_GUILESS_MAIN(tst_Schema)
#include "tst_Schema.moc"
