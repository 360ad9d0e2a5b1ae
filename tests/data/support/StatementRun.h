#pragma once

#include "ScratchDatabase.h"

#include <QStringList>

// Runs one statement as the windows do: a SELECT is opened and read to its end, any other
// statement executed with dbFailOnError. A refusal raises DbError.
void RunStatement(Database& db, const QString& sql);

// Every row of the tables as one text, to tell whether a statement changed anything.
QString EveryRow(ScratchDatabase& scratch, const QStringList& tables);

