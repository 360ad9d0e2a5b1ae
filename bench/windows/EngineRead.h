#pragma once

#include <QString>
#include <QStringList>

// The engine alone doing a window's reading: one statement on the program's database,
// every row, each named field through FieldText as the window's own code takes it, and no
// widget touched.
namespace EngineRead
{

// The number of rows read.
int Rows(const QString& sql, const QStringList& fields, int type);

} // namespace EngineRead
