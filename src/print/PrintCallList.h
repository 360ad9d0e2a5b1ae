#pragma once

struct PrintJob;

// The patients whose call date has come and whose entry is not in the print log, 39 to a
// page; afterwards the print log update is offered.
void PrintCallList(PrintJob& job);
