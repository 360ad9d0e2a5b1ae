#include "DaoType.h"
#include "Database.h"
#include "IdSequence.h"
#include "ScratchDatabase.h"

#include <QDir>
#include <QTest>

namespace {

struct ExpectedField {
    const char* name;
    int type;
    int size;
};

struct ExpectedTable {
    const char* name;
    QList<ExpectedField> fields;
};

// Written out independently of the schema builder, so that a slip in either shows.
const QList<ExpectedTable>& expectedTables()
{
    static const QList<ExpectedTable> tables = {
        {"Company",
         {{"Name", dbText, 40}, {"address1", dbText, 40}, {"address2", dbText, 40},
          {"city", dbText, 20}, {"st", dbText, 2}, {"zip", dbText, 10}, {"email", dbText, 40},
          {"phone", dbText, 16}, {"fax", dbText, 16}, {"letterbody", dbMemo, 0},
          {"sendername", dbText, 40}}},
        {"Patients",
         {{"Address1", dbText, 40}, {"Address2", dbText, 40}, {"birthdate", dbDate, 8},
          {"CallDate", dbDate, 8}, {"cellphone", dbText, 16}, {"city", dbText, 20},
          {"email", dbText, 40}, {"fname", dbText, 20}, {"goal_chol", dbInteger, 2},
          {"goal_ldl", dbInteger, 2}, {"systolic", dbInteger, 2}, {"diastolic", dbInteger, 2},
          {"ptid", dbLong, 4}, {"lname", dbText, 20}, {"MI", dbText, 1}, {"phone", dbText, 16},
          {"sex", dbText, 1}, {"st", dbText, 2}, {"zip", dbText, 10}, {"Comment", dbMemo, 0}}},
        {"Doctors",
         {{"DoctorID", dbLong, 4}, {"LName", dbText, 20}, {"FName", dbText, 20},
          {"Classification", dbText, 20}}},
        {"Drugs", {{"DrugID", dbLong, 4}, {"DrugDesc", dbText, 20}}},
        {"HealthFactors", {{"CondID", dbLong, 4}, {"CondDesc", dbText, 50}}},
        {"LabVisits",
         {{"ID", dbLong, 4}, {"PtID", dbLong, 4}, {"LabDate", dbDate, 8}, {"OverallCL", dbLong, 4},
          {"HDL", dbLong, 4}, {"LDL", dbLong, 4}, {"Lp_a", dbLong, 4},
          {"Triglycerides", dbLong, 4}, {"HMCYST", dbLong, 4}, {"CRP", dbLong, 4},
          {"SGOT_AST", dbLong, 4}, {"SGPT_ALT", dbLong, 4}, {"CPK", dbLong, 4},
          {"TSH", dbLong, 4}, {"GLUC", dbLong, 4}, {"The_Intervention", dbMemo, 0},
          {"AddDate", dbDate, 8}}},
        {"PrintLog",
         {{"ID", dbLong, 4}, {"PtId", dbLong, 4}, {"PrintDate", dbDate, 8},
          {"CallDate", dbDate, 8}}},
        {"PatientFactors",
         {{"ID", dbLong, 4}, {"PtId", dbLong, 4}, {"CondID", dbLong, 4}, {"Comment", dbMemo, 0}}},
        {"Schedule",
         {{"ID", dbLong, 4}, {"PtId", dbLong, 4}, {"DrugID", dbLong, 4}, {"Comment", dbMemo, 0}}},
        {"Communications",
         {{"ID", dbLong, 4}, {"PtId", dbLong, 4}, {"CallDate", dbDate, 8},
          {"CallTime", dbText, 8}, {"Result", dbText, 60}, {"Complete", dbBoolean, 1}}},
        {"PatientsDoctors",
         {{"ID", dbLong, 4}, {"PtId", dbLong, 4}, {"DoctorID", dbLong, 4},
          {"Comment", dbMemo, 0}}},
    };
    return tables;
}

const ExpectedTable& expectedTable(const QString& name)
{
    for (const ExpectedTable& table : expectedTables()) {
        if (name == QLatin1String(table.name))
            return table;
    }
    qFatal("no expected table %s", qPrintable(name));
}

bool isText(int type)
{
    return type == dbText || type == dbMemo;
}

QStringList fieldNames(const ExpectedTable& table, bool (*wanted)(int type))
{
    QStringList names;
    for (const ExpectedField& f : table.fields) {
        if (wanted(f.type))
            names.append(QLatin1String(f.name));
    }
    return names;
}

// The table emptied, then one row inserted with the given value in each chosen field.
void insertSingleRow(Database& db, const ExpectedTable& table, bool (*wanted)(int type),
                     const QString& value)
{
    const QString name = QLatin1String(table.name);
    db.Execute(QStringLiteral("DELETE FROM ") + name, dbFailOnError);
    const QStringList fields = fieldNames(table, wanted);
    const QStringList values(fields.size(), value);
    db.Execute(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                   .arg(name, fields.join(QStringLiteral(", ")), values.join(QStringLiteral(", "))),
               dbFailOnError);
}

// The file as another connection reads it, so that nothing is taken from memory.
Database secondConnection(const ScratchDatabase& scratch)
{
    return Database::Open(QDir(scratch.folder()).filePath(QStringLiteral("brevoxal.mdb")));
}

void addTableRows(bool (*wanted)(int type) = nullptr)
{
    QTest::addColumn<QString>("table");
    for (const ExpectedTable& table : expectedTables()) {
        if (!wanted || !fieldNames(table, wanted).isEmpty())
            QTest::newRow(table.name) << QString::fromLatin1(table.name);
    }
}

} // namespace

class tst_Schema : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void holdsExactlyTheElevenTables();
    void tableDefinition_data() { addTableRows(); }
    void tableDefinition();
    void recordsetReportsFieldTypes_data() { addTableRows(); }
    void recordsetReportsFieldTypes();
    void companyRowHoldsEmptyDetailsAndDefaultLetter();
    void healthFactorsAreSeeded();
    void emptyStringStoredInEveryTextField_data() { addTableRows(isText); }
    void emptyStringStoredInEveryTextField();
    void nullStoredInEveryField_data() { addTableRows(); }
    void nullStoredInEveryField();

private:
    std::unique_ptr<ScratchDatabase> m_fresh;
};

void tst_Schema::initTestCase()
{
    m_fresh = std::make_unique<ScratchDatabase>();
}

void tst_Schema::holdsExactlyTheElevenTables()
{
    QStringList expected;
    for (const ExpectedTable& table : expectedTables())
        expected.append(QLatin1String(table.name));
    QCOMPARE(m_fresh->db().TableNames(), expected);
    // The tables are in the file itself, not only in this connection's memory.
    QCOMPARE(secondConnection(*m_fresh).TableNames(), expected);
}

void tst_Schema::tableDefinition()
{
    QFETCH(QString, table);
    const ExpectedTable& expected = expectedTable(table);
    const TableDef stored = secondConnection(*m_fresh).GetTableDef(table);
    QCOMPARE(stored.name, table);
    QCOMPARE(stored.fields.size(), expected.fields.size());
    for (qsizetype i = 0; i < stored.fields.size(); ++i) {
        const FieldDef& field = stored.fields[i];
        const ExpectedField& want = expected.fields[i];
        QCOMPARE(field.name, QLatin1String(want.name));
        QCOMPARE(field.type, want.type);
        QCOMPARE(field.size, want.size);
        QVERIFY2(!field.required, want.name);
        if (isText(want.type))
            QVERIFY2(field.allowZeroLength, want.name);
    }
}

void tst_Schema::recordsetReportsFieldTypes()
{
    QFETCH(QString, table);
    const ExpectedTable& expected = expectedTable(table);
    const auto rs = m_fresh->db().OpenRecordset(table);
    QCOMPARE(rs->Fields().Count(), int(expected.fields.size()));
    for (int i = 0; i < rs->Fields().Count(); ++i) {
        const Field& field = rs->Fields()[i];
        QCOMPARE(field.Name(), QLatin1String(expected.fields[i].name));
        QCOMPARE(field.Type(), expected.fields[i].type);
        QCOMPARE(field.Size(), expected.fields[i].size);
    }
}

void tst_Schema::companyRowHoldsEmptyDetailsAndDefaultLetter()
{
    const auto rs = m_fresh->db().OpenRecordset(QStringLiteral("Company"));
    QCOMPARE(rs->RecordCount(), 1);
    for (const char* field :
         {"Name", "address1", "address2", "city", "st", "zip", "email", "phone", "fax"}) {
        const QVariant value = rs->Fields()[field].Value();
        QVERIFY2(!value.isNull(), field);
        QCOMPARE(value.toString(), QString());
    }
    QCOMPARE(rs->Fields()["letterbody"].Value().toString(),
             QStringLiteral("Enter the body of letter here..  Something like :  This letter is "
                            "to serve as a reminder for your next set of blood work tests.  "
                            "Please call within the next three business days to schedule an "
                            "appointment."));
    QCOMPARE(rs->Fields()["sendername"].Value().toString(), QStringLiteral("Enter name of sender"));
}

void tst_Schema::healthFactorsAreSeeded()
{
    const auto rs = m_fresh->db().OpenRecordset(
        QStringLiteral("SELECT CondID, CondDesc FROM HealthFactors ORDER BY CondID"));
    const QList<std::pair<int, QString>> expected = {{1, QStringLiteral("Smoking")},
                                                     {2, QStringLiteral("Family History")},
                                                     {3, QStringLiteral("Overweight")},
                                                     {4, QStringLiteral("Sedintery lifestyle")}};
    QList<std::pair<int, QString>> stored;
    for (; !rs->Eof(); rs->MoveNext())
        stored.append({rs->Fields()["CondID"].Value().toInt(),
                       rs->Fields()["CondDesc"].Value().toString()});
    QCOMPARE(stored, expected);
    QCOMPARE(NextId(m_fresh->db(), IdSequence::HealthFactors), 5);
    // The seed rows are the only rows of a new file besides the company.
    for (const ExpectedTable& table : expectedTables()) {
        const QString name = QLatin1String(table.name);
        const int rows = m_fresh->Scalar(QStringLiteral("SELECT COUNT(*) FROM ") + name).toInt();
        QCOMPARE(rows, name == u"HealthFactors" ? 4 : name == u"Company" ? 1 : 0);
    }
}

void tst_Schema::emptyStringStoredInEveryTextField()
{
    QFETCH(QString, table);
    const ExpectedTable& expected = expectedTable(table);
    ScratchDatabase fresh;
    insertSingleRow(fresh.db(), expected, isText, QStringLiteral("''"));
    const auto rs = fresh.db().OpenRecordset(table);
    QCOMPARE(rs->RecordCount(), 1);
    for (const ExpectedField& f : expected.fields) {
        if (!isText(f.type))
            continue;
        const QVariant value = rs->Fields()[f.name].Value();
        QVERIFY2(!value.isNull(), f.name);
        QCOMPARE(value.toString(), QString());
    }
}

void tst_Schema::nullStoredInEveryField()
{
    QFETCH(QString, table);
    const ExpectedTable& expected = expectedTable(table);
    ScratchDatabase fresh;
    insertSingleRow(fresh.db(), expected, [](int) { return true; }, QStringLiteral("Null"));
    const auto rs = fresh.db().OpenRecordset(table);
    QCOMPARE(rs->RecordCount(), 1);
    for (const ExpectedField& f : expected.fields)
        QVERIFY2(rs->Fields()[f.name].Value().isNull(), f.name);
}

QTEST_GUILESS_MAIN(tst_Schema)
#include "tst_Schema.moc"
