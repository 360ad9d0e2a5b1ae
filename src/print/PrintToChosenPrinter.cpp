#include "PrintToChosenPrinter.h"

#include "PrintDestination.h"
#include "PrinterSurface.h"
#include "frmPrint.h"

#include <QDate>
#include <QPrinter>

void PrintToChosenPrinter(QWidget* parent, const QStringList& colPrinters,
                          const QString& documentName, const JobDrawing& draw)
{
    // The previous printer is the program's own current one when the system lists it; the
    // system's default is never changed.
    const QString previousPrinter = colPrinters.contains(PrintDestination::Current())
                                        ? PrintDestination::Current().trimmed()
                                        : QString();
    {
        frmPrint window(parent);
        window.Init(colPrinters, PrintDestination::Current());
        window.SetPreview([&](PageSurface& page) { draw(page, true); }, documentName);
        window.exec();
    }
    if (SelectedPrinter() == PrintCancelled)
        return;
    const QString chosen = SelectedPrinter();
    PrintDestination::SelectPrinter(chosen);
    const auto printer = PrintDestination::MakePrinter(chosen, documentName);
    PrinterSurface page(*printer, [&](QPrinter& target) {
        if (chosen != PrintDestination::PdfFile)
            return true;
        const QString path = PrintDestination::AskPdfPath(parent, documentName, QDate::currentDate());
        target.setOutputFileName(path);
        return !path.isEmpty();
    });
    draw(page, false);
    if (!previousPrinter.isEmpty() && previousPrinter != chosen)
        PrintDestination::SelectPrinter(previousPrinter);
}
