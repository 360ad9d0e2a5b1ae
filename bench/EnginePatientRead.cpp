#include "EnginePatientRead.h"

#include "ValueWeight.h"

#include <Database.h>
#include <FieldText.h>

void ReadEveryPatient(Database& db, benchmark::State& state)
{
    QStringList names;
    for (const FieldDef& field : db.GetTableDef(QStringLiteral("Patients")).fields)
        names.append(field.name);
    for (auto _ : state) {
        const auto rs =
            db.OpenRecordset(QStringLiteral("SELECT * FROM Patients"), dbOpenForwardOnly);
        qint64 weight = 0;
        int rows = 0;
        for (; !rs->Eof(); rs->MoveNext(), ++rows) {
            for (const QString& name : names)
                weight += ValueWeight(FieldText(rs->Fields()[name]));
        }
        benchmark::DoNotOptimize(weight);
        state.counters["rows"] = rows;
    }
}
