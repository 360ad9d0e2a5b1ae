#pragma once

#include <functional>

class QDialog;
class QWidget;

// File > Import: asks for the file and maps and imports it in frmImportMap, each window shown
// through show (the opener's way of showing a modal window). False when no file was chosen.
bool ImportFromFile(QWidget* parent, const std::function<int(QDialog&)>& show);
