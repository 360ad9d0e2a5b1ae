#pragma once

#include <QString>
#include <QStringList>
#include <functional>

class PageSurface;
class QWidget;

// Draws a job on the page; preview is true when it is only shown in the printer window.
using JobDrawing = std::function<void(PageSurface& page, bool preview)>;

// Lets the user choose a printer from the list (or preview the job), draws the job there (a
// PDF file asks where to save) and gives the program back the printer that was current before.
// Nothing is drawn when the user cancels.
void PrintToChosenPrinter(QWidget* parent, const QStringList& colPrinters,
                          const QString& documentName, const JobDrawing& draw);
