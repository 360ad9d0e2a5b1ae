#include "PrintReport.h"

#include "Messages.h"
#include "PrintCallList.h"
#include "PrintDestination.h"
#include "PrintJob.h"
#include "PrintLetters.h"
#include "PrintPatientDetail.h"
#include "PrinterSurface.h"
#include "frmPrint.h"

#include <QApplication>
#include <QPrinter>

namespace {

struct ReportKind {
    QString kind;
    // Names the job and the offered PDF file.
    QString documentName;
    void (*run)(PrintJob& job, const QString& ptid);
};

const ReportKind* findKind(const QString& kind)
{
    static const ReportKind kinds[] = {
        {QStringLiteral("PatientDetail"), QStringLiteral("patient-detail"), &PrintPatientDetail},
        {QStringLiteral("CallList"), QStringLiteral("call-list"),
         [](PrintJob& job, const QString&) { PrintCallList(job); }},
        {QStringLiteral("Letter"), QStringLiteral("letters"),
         [](PrintJob& job, const QString&) { PrintLetters(job); }},
    };
    for (const ReportKind& report : kinds) {
        if (report.kind == kind)
            return &report;
    }
    return nullptr;
}

void runReport(const ReportKind* report, PageSurface& page, const QString& ptid, bool preview)
{
    if (!report)
        return;
    PrintJob job{page, QDate::currentDate(), preview};
    page.SetFontName(QStringLiteral("Times New Roman"));
    page.SetFontSize(10);
    RunReportingErrors([&] { report->run(job, ptid); });
}

} // namespace

void PrintReport(const QString& kind, const QString& ptid)
{
    const QStringList colPrinters = PrintDestination::Available();
    if (colPrinters.isEmpty()) {
        ShowAttention(QStringLiteral("No Printers on this system"));
        return;
    }
    // The previous printer is the program's own current one when the system lists it; the
    // system's default is never changed.
    const QString previousPrinter = colPrinters.contains(PrintDestination::Current())
                                        ? PrintDestination::Current().trimmed()
                                        : QString();
    const ReportKind* report = findKind(kind);
    const QString documentName = report ? report->documentName : kind;
    QWidget* parent = QApplication::activeWindow();
    {
        frmPrint window(parent);
        window.Init(colPrinters, PrintDestination::Current());
        window.SetPreview([&](PageSurface& page) { runReport(report, page, ptid, true); },
                          documentName);
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
    runReport(report, page, ptid, false);
    if (!previousPrinter.isEmpty() && previousPrinter != chosen)
        PrintDestination::SelectPrinter(previousPrinter);
}
