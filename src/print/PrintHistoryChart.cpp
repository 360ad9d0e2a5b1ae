#include "PrintHistoryChart.h"

#include "CaptureFormPicture.h"
#include "ChartKind.h"
#include "ChartVisits.h"
#include "Messages.h"
#include "PageLayout.h"
#include "PageSurface.h"
#include "PrintDestination.h"
#include "PrintToChosenPrinter.h"
#include "frmChart.h"

#include <QImage>
#include <QRect>

namespace {

constexpr int TwipsPerPixel = 15;
// The picture is centred in a letter page's width and in the height above the footer's room.
constexpr int PictureAreaWidth = 12240;
constexpr int PictureAreaHeight = 12960;
constexpr int TableTop = 9360;
// A tab moves to the next multiple of this, giving the date column and the value column.
constexpr int TabStop = 1440;

void printTabbed(PageSurface& page, const QString& date, const QString& value)
{
    page.SetCurrentX((page.CurrentX() / TabStop + 1) * TabStop);
    page.PrintText(date);
    page.SetCurrentX((page.CurrentX() / TabStop + 1) * TabStop);
    page.PrintLine(value);
}

} // namespace

void DrawHistoryChart(PageSurface& page, const QImage& picture, const QString& kind,
                      const QString& ptid)
{
    const ChartKind* chartKind = ChartKind::Find(kind);
    if (!chartKind)
        return;
    const QString name = ReadChartPatient(ptid, *chartKind).name;
    const std::vector<ChartVisit> visits = ReadChartVisits(ptid, *chartKind);
    page.SetFontName(QStringLiteral("Times New Roman"));
    page.SetFontSize(PageGeometry::BaseFontSize);
    PrintPageHeader(page, name);
    page.SetFontSize(PageGeometry::BaseFontSize);
    NextLine(page, name);
    page.PrintLine(chartKind->kind);
    const int width = picture.width() * TwipsPerPixel;
    const int height = picture.height() * TwipsPerPixel;
    page.PaintPicture(picture, QRect((PictureAreaWidth - width) / 2,
                                     (PictureAreaHeight - height) / 2, width, height));
    page.MoveTo(PageGeometry::LeftMargin, TableTop);
    page.SetUnderline(true);
    printTabbed(page, QStringLiteral("Lab Date"), QStringLiteral("Result"));
    NextLine(page, name);
    page.SetUnderline(false);
    for (const ChartVisit& visit : visits) {
        printTabbed(page, visit.labDate.toString(u"MM/dd/yyyy"),
                    QString::number((visit.values.*chartKind->value)()));
        NextLine(page, name);
    }
    page.EndDoc();
}

void PrintHistoryChart(frmChart& window, const QString& kind, const QString& ptid)
{
    const QStringList colPrinters = PrintDestination::Available();
    if (colPrinters.isEmpty()) {
        ShowAttention(QStringLiteral("No Printers on this system."));
        return;
    }
    if (!CaptureFormPicture(window.Chart()))
        return;
    const QImage picture(ChartPicturePath());
    PrintToChosenPrinter(&window, colPrinters, QStringLiteral("history-chart"),
                         [&](PageSurface& page, bool) {
                             RunReportingErrors([&] { DrawHistoryChart(page, picture, kind, ptid); });
                         });
}
