#include "PrintReport.h"

#include "Messages.h"
#include "PageSurface.h"
#include "PrintCallList.h"
#include "PrintDestination.h"
#include "PrintJob.h"
#include "PrintLetters.h"
#include "PrintPatientDetail.h"
#include "PrintToChosenPrinter.h"

#include <QApplication>

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
    const ReportKind* report = findKind(kind);
    PrintToChosenPrinter(QApplication::activeWindow(), colPrinters,
                         report ? report->documentName : kind,
                         [&](PageSurface& page, bool preview) { runReport(report, page, ptid, preview); });
}
