#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <memory>

class QPrinter;
class QWidget;

// Where a job can go: the system's printers (CUPS) and, always, a PDF file. Choosing a
// printer makes it the program's current printer only; the system's default is left alone.
namespace PrintDestination {

// The destination that writes the job into a PDF file the user names.
extern const QString PdfFile;

// The system's printers in the system's order, then the PDF file.
QStringList Available();
// The program's current printer: the system's default printer (the PDF file on a system
// without one) until a job chooses another.
QString Current();
void SelectPrinter(const QString& name);

// A printer for the destination, letter-sized and portrait, the job named after the report.
std::unique_ptr<QPrinter> MakePrinter(const QString& name, const QString& documentName);
// Asks where to save the PDF ("Save as PDF"), offering the report's name and the date in
// the user's Documents folder. Empty when the user cancels.
QString AskPdfPath(QWidget* parent, const QString& fileStem, QDate today);

} // namespace PrintDestination
