#pragma once

#include <QString>

class QWidget;

// First run: asks for a local or network installation and returns the database path;
// empty when the user cancelled and the program must end.
QString ChooseInstallPath(QWidget* parent);
