#include "EngineRead.h"

#include "ValueWeight.h"

#include <AppDatabase.h>
#include <FieldText.h>

#include <benchmark/benchmark.h>
#include <vector>

namespace EngineRead
{

int Rows(const QString& sql, const QStringList& fields, int type)
{
    const auto rs = AppDatabase().OpenRecordset(sql, type);
    // Looked up once, as the main window's column readers do.
    std::vector<const Field*> columns;
    for (const QString& name : fields)
        columns.push_back(&rs->Fields()[QStringView(name)]);
    qint64 weight = 0;
    int rows = 0;
    for (; !rs->Eof(); rs->MoveNext(), ++rows) {
        for (const Field* field : columns)
            weight += ValueWeight(FieldText(*field));
    }
    rs->Close();
    benchmark::DoNotOptimize(weight);
    return rows;
}

} // namespace EngineRead
