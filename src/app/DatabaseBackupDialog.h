#pragma once

class QWidget;

// File > Back Up Database: asks where the copy goes (first offered: brevoxal-YYYY-MM-DD.mdb in
// the Documents folder) and writes it while the practice works on.
// Success and failure are both reported.
void BackUpDatabase(QWidget* parent);
