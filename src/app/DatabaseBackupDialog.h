#pragma once

#include <QString>

class QWidget;

// File > Back Up Database: asks where the copy goes (first offered: brevoxal-YYYY-MM-DD.mdb in
// the Documents folder) and writes it while the practice works on.
// The copy's path, or an empty text when the user cancelled or the copy failed (reported).
QString BackUpDatabase(QWidget* parent);
