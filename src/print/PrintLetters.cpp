#include "PrintLetters.h"

#include "AppDatabase.h"
#include "FieldText.h"
#include "JetDate.h"
#include "LetterBody.h"
#include "Messages.h"
#include "PageSurface.h"
#include "PrintJob.h"
#include "PrintLog.h"

using LetterGeometry::Margin;

namespace {

constexpr int PaperWidth = 12240;
constexpr int PatientBlockY = 3600;
constexpr int SalutationY = 5760;
constexpr int BodyY = 6480;
constexpr int ClosingX = 7920;
constexpr int ClosingY = 10080;
// "Sincerely,", two empty lines and the sender.
constexpr int ClosingLines = 4;

QString text(const FieldList& fields, const char* name)
{
    return FieldText(fields[name]).toString();
}

// The lines of an address block, one under the other at the left margin; the second address
// line only when there is one.
void printBlock(PageSurface& page, int y, const QString& name, const QString& address1,
                const QString& address2, const QString& cityLine)
{
    QStringList lines{name, address1};
    if (!address2.isEmpty())
        lines.append(address2);
    lines.append(cityLine);
    page.MoveTo(Margin, y);
    for (const QString& line : lines) {
        page.SetCurrentX(Margin);
        page.PrintLine(line);
    }
}

// Below the body, at the latest where the body ends; on a new page when it would not fit.
void printClosing(PageSurface& page, const QString& sender)
{
    int y = std::max(ClosingY, page.CurrentY());
    if (y + ClosingLines * page.LineHeight() > page.PageHeight() - Margin) {
        page.NewPage();
        y = Margin;
    }
    page.MoveTo(ClosingX, y);
    page.PrintLine(QStringLiteral("Sincerely,"));
    page.PrintLine(QString());
    page.PrintLine(QString());
    page.SetCurrentX(ClosingX);
    page.PrintLine(sender);
}

void printLetter(PageSurface& page, const FieldList& patient, const FieldList& letter, QDate today)
{
    PrintCompanyBlock(page, today);
    printBlock(page, PatientBlockY, text(patient, "FName") + u' ' + text(patient, "LName"),
               text(patient, "Address1"), text(patient, "Address2"),
               text(patient, "City") + QStringLiteral(", ") + text(patient, "st") +
                   QStringLiteral("  ") + text(patient, "zip"));
    page.MoveTo(Margin, SalutationY);
    page.PrintLine(QStringLiteral("Dear ") + text(patient, "FName") + QStringLiteral(", "));
    page.MoveTo(Margin, BodyY);
    PrintLetterBody(page, text(letter, "letterbody"));
    printClosing(page, text(letter, "sendername"));
}

} // namespace

void PrintCompanyBlock(PageSurface& page, QDate today)
{
    auto rs = AppDatabase().OpenRecordset(QStringLiteral("Select * from Company"));
    const QString date = JetDate::ToUsText(today);
    const int dateX = PaperWidth - page.TextWidth(date) - Margin;
    if (!rs->Eof()) {
        const FieldList& company = rs->Fields();
        printBlock(page, Margin, text(company, "Name"), text(company, "address1"),
                   text(company, "address2"),
                   text(company, "city") + u',' + text(company, "st") + QStringLiteral("  ") +
                       text(company, "zip"));
    }
    page.MoveTo(dateX, Margin);
    page.PrintLine(date);
    rs->Close();
}

void PrintLetters(PrintJob& job)
{
    auto due = AppDatabase().OpenRecordset(
        QStringLiteral("SELECT Patients.* from patients left join printlog on "
                       "patients.ptid=printlog.ptid and patients.calldate=printlog.calldate where "
                       "patients.calldate <= #") +
        JetDate::ToUsText(job.today) +
        QStringLiteral("# and printlog.ptid is null and patients.calldate <> #1/1/1900#"));
    auto letter = AppDatabase().OpenRecordset(QStringLiteral("SELECT letterbody, sendername from Company"));
    if (due->Eof() || letter->Eof())
        return;
    if (!job.preview && !AskQuestion(QString::number(due->RecordCount()) +
                                     QStringLiteral(" letters are about to print.  Ready?")))
        return;
    PageSurface& page = job.page;
    page.PrintLine(QString());
    page.SetFontName(QStringLiteral("Times New Roman"));
    page.SetFontSize(10);
    std::vector<PrintedEntry> printed;
    for (due->MoveFirst(); !due->Eof();) {
        const FieldList& patient = due->Fields();
        printLetter(page, patient, letter->Fields(), job.today);
        printed.push_back({FieldText(patient["ptid"]).toInt(),
                           FieldText(patient["calldate"]).toDateTime().date()});
        due->MoveNext();
        if (!due->Eof())
            page.NewPage();
    }
    due->Close();
    letter->Close();
    if (page.EndDoc() && !job.preview)
        LogPrintedEntries(printed, job.today);
}
