// The call list and the letters for 5,000 due patients written to a PDF, against the same
// texts drawn at the same positions straight onto a QPrinter PDF; the print log update of
// 5,000 entries against 5,000 raw prepared inserts in one transaction.
#include "RatioReporter.h"
#include "RawStatement.h"

#include <AppDatabase.h>
#include <Database.h>
#include <JetDate.h>
#include <Messages.h>
#include <PrintCallList.h>
#include <PrintJob.h>
#include <PrintLetters.h>
#include <PrintLog.h>
#include <PrinterSurface.h>
#include <RecordingSurface.h>
#include <Schema.h>
#include <WriteTransaction.h>

#include <QApplication>
#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <tuple>
#include <sqlite3.h>

namespace {

constexpr int DuePatients = 5000;
const QDate Today(2026, 12, 6);

QTemporaryDir& folder()
{
    static QTemporaryDir dir;
    return dir;
}

// 5,000 patients due before today, each with a doctor, and a letter template.
void createDatabase()
{
    SetAppDatabase(Database::Create(folder().filePath(QStringLiteral("brevoxal.mdb"))));
    Database& db = AppDatabase();
    CreateSchema(db);
    db.Execute(QStringLiteral("UPDATE Company SET Name='Lakeside Clinic', address1='1 Lake Rd', "
                              "city='Reno', st='NV', zip='89501', sendername='Dr. Lee', letterbody='"
                              "This letter is to serve as a reminder for your next set of blood "
                              "work tests.  Please call within the next three business days to "
                              "schedule an appointment.'"));
    WriteTransaction transaction(db);
    for (int i = 1; i <= DuePatients; ++i) {
        db.Execute(QStringLiteral("INSERT INTO Patients (ptid, lname, fname, phone, address1, city, "
                                  "st, zip, calldate) VALUES (%1, 'Patient%1', 'Ann', '555-%1', "
                                  "'%1 Elm St', 'Dover', 'DE', '19901', #%2#)")
                       .arg(i)
                       .arg(JetDate::ToUsText(Today.addDays(-(i % 300)))));
        db.Execute(QStringLiteral("INSERT INTO PatientsDoctors (id, ptid, doctorid) VALUES (%1, %1, %2)")
                       .arg(i)
                       .arg(i % 20 + 1));
    }
    for (int d = 1; d <= 20; ++d)
        db.Execute(QStringLiteral("INSERT INTO Doctors (doctorid, lname, fname) VALUES (%1, 'Doc%1', 'Lee')")
                       .arg(d));
    transaction.Commit();
}

std::unique_ptr<QPrinter> pdfPrinter(const char* name)
{
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(folder().filePath(QString::fromLatin1(name) + QStringLiteral(".pdf")));
    printer->setPageSize(QPageSize(QPageSize::Letter));
    printer->setPageMargins(QMarginsF(0, 0, 0, 0));
    return printer;
}

template <class Report> void runReport(Report report, PageSurface& page)
{
    page.SetFontName(QStringLiteral("Times New Roman"));
    page.SetFontSize(10);
    // A preview asks nothing and logs nothing: only the writing is measured.
    PrintJob job{page, Today, true};
    report(job);
}

template <class Report> void reportToPdf(benchmark::State& state, Report report, const char* name)
{
    int pages = 0;
    for (auto _ : state) {
        const auto printer = pdfPrinter(name);
        PrinterSurface page(*printer);
        runReport(report, page);
        pages = page.Page();
    }
    state.counters["pages"] = pages;
}

// What the report draws, taken once from the recording surface.
template <class Report> const RecordingSurface& recorded(Report report)
{
    static const RecordingSurface page = [&] {
        RecordingSurface surface;
        runReport(report, surface);
        return surface;
    }();
    return page;
}

// The same texts and lines, drawn by hand at the same positions in the same fonts.
void drawStraight(benchmark::State& state, const RecordingSurface& content, const char* name)
{
    state.counters["pages"] = content.Page();
    for (auto _ : state) {
        const auto printer = pdfPrinter(name);
        QPainter painter(printer.get());
        painter.scale(printer->resolution() / 1440.0, printer->resolution() / 1440.0);
        int page = 1;
        std::tuple<QString, double, bool, bool> lastStyle;
        double ascent = 0;
        for (const RecordingSurface::Item& item : content.Items()) {
            for (; page < item.page; ++page)
                printer->newPage();
            if (item.kind == RecordingSurface::Kind::Line) {
                painter.drawLine(item.x, item.y, item.x2, item.y2);
                continue;
            }
            const auto style = std::tuple(item.fontName, item.fontSize, item.bold, item.underline);
            if (style != lastStyle) {
                QFont font(item.fontName);
                font.setPixelSize(int(item.fontSize * 20));
                font.setBold(item.bold);
                font.setUnderline(item.underline);
                painter.setFont(font);
                ascent = QFontMetricsF(font).ascent();
                lastStyle = style;
            }
            painter.drawText(QPointF(item.x, item.y + ascent), item.text);
        }
    }
}

// Each report its own type, so that each keeps its own recording.
const auto callList = [](PrintJob& job) { PrintCallList(job); };
const auto letters = [](PrintJob& job) { PrintLetters(job); };

void BM_CallList_Report(benchmark::State& state) { reportToPdf(state, callList, "call-list"); }
void BM_CallList_Straight(benchmark::State& state)
{
    drawStraight(state, recorded(callList), "call-list-straight");
}
void BM_Letters_Report(benchmark::State& state) { reportToPdf(state, letters, "letters"); }
void BM_Letters_Straight(benchmark::State& state)
{
    drawStraight(state, recorded(letters), "letters-straight");
}

std::vector<PrintedEntry> dueEntries()
{
    std::vector<PrintedEntry> entries;
    for (int i = 1; i <= DuePatients; ++i)
        entries.push_back({i, Today.addDays(-(i % 300))});
    return entries;
}

void emptyPrintLog()
{
    AppDatabase().Execute(QStringLiteral("DELETE FROM PrintLog"));
}

void emptyPrintLogUntimed(benchmark::State& state)
{
    state.PauseTiming();
    emptyPrintLog();
    state.ResumeTiming();
}

void BM_PrintLog_Update(benchmark::State& state)
{
    const std::vector<PrintedEntry> entries = dueEntries();
    SetMessageHook([](MessageKind, const QString&) { return true; });
    for (auto _ : state) {
        emptyPrintLogUntimed(state);
        LogPrintedEntries(entries, Today);
    }
    // The reports measured next find every patient due again.
    emptyPrintLog();
}

void BM_PrintLog_RawInserts(benchmark::State& state)
{
    const std::vector<PrintedEntry> entries = dueEntries();
    sqlite3* db = AppDatabase().Handle();
    for (auto _ : state) {
        emptyPrintLogUntimed(state);
        sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
        RawStatement insert(db, "INSERT INTO PrintLog (PtId, CallDate, PrintDate) VALUES (?, ?, ?)");
        const QString printDate = JetDate::ToStorage(Today.startOfDay());
        for (const PrintedEntry& entry : entries) {
            insert.Bind(1, std::optional<int>(entry.ptid));
            insert.Bind(2, JetDate::ToStorage(entry.callDate.startOfDay()));
            insert.Bind(3, printDate);
            insert.Run();
        }
        sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    }
    emptyPrintLog();
}

BENCHMARK(BM_CallList_Report)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CallList_Straight)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Letters_Report)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Letters_Straight)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PrintLog_Update)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PrintLog_RawInserts)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    createDatabase();
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\nPrinting 5,000 due patients, same run:\n");
    reporter.PrintRatio("call list to PDF / the same texts drawn straight", "BM_CallList_Report",
                        "BM_CallList_Straight", 1.5);
    reporter.PrintRatio("letters to PDF / the same texts drawn straight", "BM_Letters_Report",
                        "BM_Letters_Straight", 1.5);
    reporter.PrintRatio("print log update / raw inserts, one transaction", "BM_PrintLog_Update",
                        "BM_PrintLog_RawInserts", 2.0);
    benchmark::Shutdown();
    SetAppDatabase(Database());
    return 0;
}
