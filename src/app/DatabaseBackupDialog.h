#pragma once

#include <QString>

class QDate;
class QWidget;

// File > Back Up Database: asks where the copy goes and writes it while the practice works on.
// The copy's path, or an empty text when the user cancelled or the copy failed (reported).
QString BackUpDatabase(QWidget* parent);
// The name first offered: the file's name with the day, in the Documents folder.
QString DefaultBackupPath(const QDate& day);
