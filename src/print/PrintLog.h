#pragma once

#include <QDate>
#include <QString>
#include <vector>

// One printed call entry: the patient and the call date it was printed for.
struct PrintedEntry {
    qint32 ptid;
    QDate callDate;
};

// Asks whether the printed entries are done with and, on Yes, records each in the print
// log so that it is not printed again. A failing insert is reported and nothing of this
// update is kept: the entries stay due. True when the entries were logged.
bool LogPrintedEntries(const std::vector<PrintedEntry>& entries, QDate today);
