#include "PrintToChosenPrinter.h"

#include "PrintDestination.h"
#include "PrinterSurface.h"
#include "frmPrint.h"

#include <QDate>
#include <QPrinter>

void PrintToChosenPrinter(QWidget* parent, const QStringList& colPrinters,
                          const QString& documentName, const JobDrawing& draw)
{
    // The previous printer is the program's own: the system's default is never changed.
    const QString previousPrinter = PrintDestination::Current().trimmed();
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
