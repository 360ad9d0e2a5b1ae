#pragma once

class QWidget;

// File > Import: asks for the file and maps and imports it in frmImportMap. False when no
// file was chosen.
bool ImportFromFile(QWidget* parent);
