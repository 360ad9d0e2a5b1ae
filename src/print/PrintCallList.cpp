#include "PrintCallList.h"

#include "AppDatabase.h"
#include "FieldText.h"
#include "FirstDoctorName.h"
#include "JetDate.h"
#include "PageSurface.h"
#include "PrintJob.h"
#include "PrintLog.h"

#include <array>

namespace {

constexpr int TitleTop = 1440;
constexpr int DateX = 3600;
constexpr int ColumnTitlesY = 2160;
constexpr int NextPageY = 2880;
constexpr int RowsPerPage = 39;

struct Column {
    const char* title;
    int x;
};
constexpr std::array<Column, 4> Columns{{
    {"Name", 1440}, {"Phone", 3600}, {"Assigned Call Date", 5760}, {"Doctor", 7920}}};

// The texts of one row, printed at the columns' x, the last ending the line.
void printRow(PageSurface& page, const std::array<QString, Columns.size()>& texts)
{
    for (size_t i = 0; i < Columns.size(); ++i) {
        page.SetCurrentX(Columns[i].x);
        if (i + 1 < Columns.size())
            page.PrintText(texts[i]);
        else
            page.PrintLine(texts[i]);
    }
}

void printTitles(PageSurface& page, const QString& today)
{
    page.PrintLine(QString());
    page.SetFontName(QStringLiteral("Times New Roman"));
    page.SetFontSize(14);
    page.SetBold(true);
    page.MoveTo(Columns[0].x, TitleTop);
    page.PrintText(QStringLiteral("Call List"));
    page.SetCurrentX(DateX);
    page.PrintLine(today);
    page.SetBold(false);
    page.SetFontSize(12);
    page.SetUnderline(true);
    page.SetCurrentY(ColumnTitlesY);
    std::array<QString, Columns.size()> titles;
    for (size_t i = 0; i < Columns.size(); ++i)
        titles[i] = QString::fromLatin1(Columns[i].title);
    printRow(page, titles);
    page.SetUnderline(false);
    page.SetFontSize(10);
}

} // namespace

void PrintCallList(PrintJob& job)
{
    const QString today = JetDate::ToUsText(job.today);
    auto rs = AppDatabase().OpenRecordset(
        QStringLiteral("SELECT patients.ptid, lname, fname, patients.calldate, phone from patients "
                       "left join printlog on patients.ptid=printlog.ptid and "
                       "patients.calldate=printlog.calldate where patients.calldate <= #") +
        today +
        QStringLiteral("# and patients.calldate <> #1/1/1900# and printlog.ptid is null order by "
                       "patients.calldate"));
    if (rs->Eof()) {
        rs->Close();
        return;
    }
    PageSurface& page = job.page;
    printTitles(page, today);
    const FieldList& fields = rs->Fields();
    std::vector<PrintedEntry> printed;
    int rowsOnPage = 0;
    for (; !rs->Eof(); rs->MoveNext()) {
        const PrintedEntry entry{FieldText(fields["ptid"]).toInt(),
                                 FieldText(fields["calldate"]).toDateTime().date()};
        const QString doctor = FirstDoctorName(entry.ptid);
        if (rowsOnPage >= RowsPerPage) {
            rowsOnPage = 0;
            page.NewPage();
            page.SetCurrentY(NextPageY);
        }
        printRow(page, {FieldText(fields["lname"]).toString() + QStringLiteral(", ") +
                            FieldText(fields["fname"]).toString(),
                        FieldText(fields["phone"]).toString(), JetDate::ToUsText(entry.callDate),
                        doctor});
        ++rowsOnPage;
        printed.push_back(entry);
    }
    rs->Close();
    if (page.EndDoc() && !job.preview)
        LogPrintedEntries(printed, job.today);
}
