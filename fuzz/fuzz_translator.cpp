// Arbitrary text given to the engine must end in a result or a DbError: never a crash, a
// sanitizer report or a hang, and a statement that fails must leave the data as it was.
// Each input is translated against the schema's catalog and, when it translates, run on a
// small in-memory database inside a transaction that is rolled back afterwards.
#include <Catalog.h>
#include <DaoType.h>
#include <Database.h>
#include <DbError.h>
#include <FieldText.h>
#include <JetTranslator.h>
#include <Schema.h>

#include <QCryptographicHash>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sqlite3.h>

namespace
{

// SQLite may legitimately take long over a valid query (a cross join of every table); such
// work is cut off so that a hang can only be the engine's own.
constexpr int kProgressSteps = 1000;
constexpr int kProgressLimit = 20000;
constexpr int kRowsRead = 50;

const char* const kRows[] = {
    "INSERT INTO Patients (ptid, lname, fname, birthdate, sex, calldate, goal_chol, goal_ldl, "
    "systolic, diastolic, mi) VALUES (1, 'Müller', 'Anna', #3/14/1950#, 'F', #1/5/2026#, 200, "
    "100, 120, 80, 'B')",
    "INSERT INTO Patients (ptid, lname, fname, city, st) VALUES (2, 'O''Brien', 'Sean', "
    "'Springfield', 'IL')",
    "INSERT INTO Doctors (doctorid, lname, fname, classification) VALUES (1, 'Lee', 'Ann', "
    "'Cardiology')",
    "INSERT INTO Drugs (DrugID, DrugDesc) VALUES (1, 'Atorvastatin')",
    "INSERT INTO LabVisits (id, ptid, labdate, overallcl, hdl, ldl, the_intervention, adddate) "
    "VALUES (1, 1, #2/1/2025#, 240, 45, 160, 'Diet', #2/1/2025 10:15:00#)",
    "INSERT INTO LabVisits (id, ptid, labdate, overallcl, hdl, ldl) VALUES (2, 1, #8/1/2025#, "
    "210, 50, 130)",
    "INSERT INTO PatientsDoctors (id, doctorid, ptid, comment) VALUES (1, 1, 1, 'primary')",
    "INSERT INTO PatientFactors (id, condid, ptid, comment) VALUES (1, 2, 1, 'father')",
    "INSERT INTO Schedule (id, drugid, ptid, comment) VALUES (1, 1, 1, '10 mg')",
    "INSERT INTO Communications (id, ptid, calldate, calltime, result, complete) VALUES (1, 1, "
    "#1/6/2026#, '10:30:00', 'Left message', False)",
    "INSERT INTO PrintLog (id, ptid, calldate, printdate) VALUES (1, 1, #1/5/2026#, #1/2/2026#)",
};

int progress(void* steps)
{
    return ++*static_cast<int*>(steps) > kProgressLimit ? 1 : 0;
}

struct Target {
    Database db;
    Catalog catalog;
    QByteArray contents;
    int steps = 0;

    Target() : db(Database::Create(QStringLiteral(":memory:")))
    {
        CreateSchema(db);
        for (const char* sql : kRows)
            db.Execute(QString::fromUtf8(sql), dbFailOnError);
        catalog.Load(db.Handle());
        sqlite3_progress_handler(db.Handle(), kProgressSteps, progress, &steps);
        contents = fingerprint();
    }

    // A hash of every value of every table.
    QByteArray fingerprint()
    {
        steps = 0;
        QCryptographicHash hash(QCryptographicHash::Sha1);
        for (const QString& table : SchemaTableNames()) {
            const QByteArray sql = "SELECT * FROM \"" + table.toUtf8() + "\" ORDER BY rowid";
            sqlite3_stmt* stmt = nullptr;
            sqlite3_prepare_v2(db.Handle(), sql.constData(), -1, &stmt, nullptr);
            while (sqlite3_step(stmt) == SQLITE_ROW) {
                for (int i = 0; i < sqlite3_column_count(stmt); ++i) {
                    const auto* text = sqlite3_column_text(stmt, i);
                    hash.addData(
                        QByteArrayView(text ? reinterpret_cast<const char*>(text) : "\x01"));
                    hash.addData(QByteArrayView("\x02"));
                }
            }
            sqlite3_finalize(stmt);
        }
        return hash.result();
    }

    // Every stored value must fit its field as the engine's rules say: whole numbers within
    // range, texts no wider than their field, dates in the stored form.
    QString misfit()
    {
        steps = 0;
        for (const QString& name : SchemaTableNames()) {
            const TableDef* table = catalog.Find(name);
            for (const FieldDef& field : table->fields) {
                const QString test = fitTest(field);
                const QByteArray sql =
                    QStringLiteral("SELECT count(*) FROM \"%1\" WHERE \"%2\" IS NOT NULL "
                                   "AND NOT (%3)")
                        .arg(name, field.name, test)
                        .toUtf8();
                sqlite3_stmt* stmt = nullptr;
                sqlite3_prepare_v2(db.Handle(), sql.constData(), -1, &stmt, nullptr);
                const bool bad =
                    sqlite3_step(stmt) == SQLITE_ROW && sqlite3_column_int(stmt, 0) > 0;
                sqlite3_finalize(stmt);
                if (bad)
                    return name + u'.' + field.name;
            }
        }
        return QString();
    }

    static QString fitTest(const FieldDef& field)
    {
        const QString f = u'"' + field.name + u'"';
        switch (field.type) {
        case dbBoolean:
            return f + QStringLiteral(" IN (0, 1)");
        case dbInteger:
            return QStringLiteral("typeof(%1) = 'integer' AND %1 BETWEEN -32768 AND 32767").arg(f);
        case dbLong:
            return QStringLiteral(
                       "typeof(%1) = 'integer' AND %1 BETWEEN -2147483648 AND 2147483647")
                .arg(f);
        case dbDate:
            return QStringLiteral("typeof(%1) = 'text' AND %1 GLOB "
                                  "'[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9] "
                                  "[0-9][0-9]:[0-9][0-9]:[0-9][0-9]'")
                .arg(f);
        case dbText:
            return QStringLiteral("typeof(%1) = 'text' AND length(%1) <= %2")
                .arg(f)
                .arg(field.size);
        default:
            return QStringLiteral("typeof(%1) = 'text'").arg(f);
        }
    }

    void read(const QString& sql)
    {
        const auto forward = db.OpenRecordset(sql, dbOpenForwardOnly);
        for (int row = 0; row < kRowsRead && !forward->Eof(); ++row, forward->MoveNext()) {
            for (int i = 0; i < forward->Fields().Count(); ++i)
                FieldText(forward->Fields()[i]);
        }
        const auto snapshot = db.OpenRecordset(sql, dbOpenSnapshot);
        if (snapshot->Eof())
            return;
        snapshot->MoveLast();
        snapshot->MovePrevious();
        snapshot->MoveFirst();
        for (int i = 0; i < snapshot->Fields().Count(); ++i)
            FieldText(snapshot->Fields()[snapshot->Fields()[i].Name()]);
    }

    void execute(const QString& sql)
    {
        db.BeginTrans();
        try {
            db.Execute(sql, dbFailOnError);
            if (const QString field = misfit(); !field.isEmpty()) {
                std::fprintf(stderr, "A value that does not fit %s was stored.\n",
                             qPrintable(field));
                std::abort();
            }
        } catch (const DbError&) {
            if (fingerprint() != contents) {
                std::fprintf(stderr, "A failed statement changed the data.\n");
                std::abort();
            }
        }
        db.Rollback();
    }

    void run(const QString& sql)
    {
        steps = 0;
        JetTranslation translation;
        try {
            translation = JetTranslator::Translate(sql, catalog);
        } catch (const DbError&) {
            return;
        }
        try {
            if (translation.kind == JetTranslation::Select)
                read(sql);
            else
                execute(sql);
        } catch (const DbError&) {
            if (sqlite3_get_autocommit(db.Handle()) == 0)
                db.Rollback();
        }
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static Target target;
    target.run(QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size)));
    return 0;
}
