// The page surfaces, the page layout routines and the printer window.
#include "PageLayout.h"
#include "PrinterSurface.h"
#include "RecordingSurface.h"
#include "frmPrint.h"

#include <QListWidget>
#include <QProcess>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using Item = RecordingSurface::Item;

namespace {

// y of the line that follows a header's lower rule.
int belowHeader(const RecordingSurface& page)
{
    const auto& items = page.Items();
    const auto rule = std::find_if(items.rbegin(), items.rend(), [](const Item& item) {
        return item.kind == RecordingSurface::Kind::Line;
    });
    return rule->y;
}

} // namespace

class tst_PrintFramework : public QObject {
    Q_OBJECT

private slots:
    void pageHeader();
    void pageFooter_data();
    void pageFooter();
    void advances_data();
    void advances();
    void printerSurfacePlacesTextInTwips();
    void printerWindowPreselectsTheLastCurrentEntry_data();
    void printerWindowPreselectsTheLastCurrentEntry();
    void printerWindowAnswers_data();
    void printerWindowAnswers();
};

void tst_PrintFramework::pageHeader()
{
    RecordingSurface page;
    page.SetUnderline(true);
    page.SetFontSize(24);
    const int titleHeight = page.LineHeight();
    page.SetFontSize(10);
    PrintPageHeader(page, QStringLiteral("Smith, Ann B"));

    const auto& items = page.Items();
    QCOMPARE(items.size(), size_t(3));
    QCOMPARE(items[0].kind, RecordingSurface::Kind::Line);
    QCOMPARE(QList<int>({items[0].x, items[0].y, items[0].x2, items[0].y2}),
             QList<int>({720, 720, 11520, 720}));
    QCOMPARE(items[1].text, QStringLiteral("Smith, Ann B"));
    QCOMPARE(QList<int>({items[1].x, items[1].y}), QList<int>({720, 970}));
    QCOMPARE(items[1].fontSize, 24.0);
    QVERIFY(!items[1].underline);
    const int lower = 970 + titleHeight + 50;
    QCOMPARE(QList<int>({items[2].x, items[2].y, items[2].x2, items[2].y2}),
             QList<int>({720, lower, 11520, lower}));
    QCOMPARE(page.FontSize(), 10.0);
}

void tst_PrintFramework::pageFooter_data()
{
    QTest::addColumn<int>("pages");
    QTest::addColumn<QString>("text");
    QTest::newRow("first page") << 1 << QStringLiteral("Page: 1");
    QTest::newRow("twelfth page") << 12 << QStringLiteral("Page: 12");
}

void tst_PrintFramework::pageFooter()
{
    QFETCH(int, pages);
    QFETCH(QString, text);
    RecordingSurface page;
    for (int i = 1; i < pages; ++i)
        page.NewPage();
    PrintPageFooter(page);
    const Item* footer = page.FindText(text);
    QVERIFY(footer);
    QCOMPARE(footer->page, pages);
    QCOMPARE(footer->y, 14400);
    QCOMPARE(footer->x, 10800 - page.TextWidth(text));
}

void tst_PrintFramework::advances_data()
{
    QTest::addColumn<bool>("heading");
    QTest::addColumn<int>("startY");
    QTest::addColumn<bool>("breaks");
    QTest::addColumn<bool>("underline");
    QTest::newRow("line to 13680 stays") << false << 13580 << false << false;
    QTest::newRow("line past 13680 breaks") << false << 13581 << true << false;
    QTest::newRow("heading to 13680 stays") << true << 13280 << false << true;
    QTest::newRow("heading past 13680 breaks") << true << 13281 << true << true;
}

void tst_PrintFramework::advances()
{
    QFETCH(bool, heading);
    QFETCH(int, startY);
    QFETCH(bool, breaks);
    QFETCH(bool, underline);
    RecordingSurface page;
    page.SetFontSize(10);
    page.MoveTo(3000, startY);
    (heading ? NextHeading : NextLine)(page, QStringLiteral("Smith, Ann B"));

    QCOMPARE(page.CurrentX(), 720);
    QCOMPARE(page.Underline(), underline);
    QCOMPARE(page.Page(), breaks ? 2 : 1);
    if (!breaks) {
        QCOMPARE(page.CurrentY(), startY + (heading ? 400 : 100));
        QVERIFY(page.Items().empty());
        return;
    }
    const Item* footer = page.FindText(QStringLiteral("Page: 1"));
    QVERIFY(footer);
    QCOMPARE(footer->page, 1);
    QCOMPARE(footer->y, 14400);
    const Item* title = page.FindText(QStringLiteral("Smith, Ann B"));
    QVERIFY(title);
    QCOMPARE(title->page, 2);
    QCOMPARE(page.CurrentY(), belowHeader(page) + 500);
}

void tst_PrintFramework::printerSurfacePlacesTextInTwips()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("surface.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setPageSize(QPageSize(QPageSize::Letter));
    printer.setPageMargins(QMarginsF(0, 0, 0, 0));
    PrinterSurface page(printer);
    QCOMPARE(page.PageWidth(), 12240);
    QCOMPARE(page.PageHeight(), 15840);
    page.MoveTo(1440, 2880);
    page.PrintLine(QStringLiteral("Cholesterol"));
    page.NewPage();
    page.MoveTo(7200, 1440);
    page.PrintLine(QStringLiteral("Second"));
    QVERIFY(page.EndDoc());

    // pdftotext's boxes are in points (20 twips) from the page's top-left corner.
    QProcess bbox;
    bbox.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), path, QStringLiteral("-")});
    QVERIFY(bbox.waitForFinished());
    const QString html = QString::fromUtf8(bbox.readAllStandardOutput());
    const QRegularExpression word(
        QStringLiteral("<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\"[^>]*>(\\w+)</word>"));
    QMap<QString, QPointF> at;
    for (const auto& match : word.globalMatch(html))
        at.insert(match.captured(3), {match.captured(1).toDouble(), match.captured(2).toDouble()});
    QCOMPARE(html.count(QStringLiteral("<page ")), 2);
    QVERIFY2(qAbs(at.value(QStringLiteral("Cholesterol")).x() - 72) < 1.5, qPrintable(html));
    QVERIFY(qAbs(at.value(QStringLiteral("Cholesterol")).y() - 144) < 3);
    QVERIFY(qAbs(at.value(QStringLiteral("Second")).x() - 360) < 1.5);
}

void tst_PrintFramework::printerWindowPreselectsTheLastCurrentEntry_data()
{
    QTest::addColumn<QStringList>("printers");
    QTest::addColumn<QString>("current");
    QTest::addColumn<int>("selected");
    const QStringList printers{QStringLiteral("Front desk"), QStringLiteral("Lab"),
                               QStringLiteral("Front desk"), QStringLiteral("PDF file")};
    QTest::newRow("last equal entry") << printers << QStringLiteral("Front desk") << 2;
    QTest::newRow("pdf file") << printers << QStringLiteral("PDF file") << 3;
    QTest::newRow("current not listed") << printers << QStringLiteral("Gone") << -1;
}

void tst_PrintFramework::printerWindowPreselectsTheLastCurrentEntry()
{
    QFETCH(QStringList, printers);
    QFETCH(QString, current);
    QFETCH(int, selected);
    frmPrint window;
    window.Init(printers, current);
    auto* list = window.findChild<QListWidget*>(QStringLiteral("lstPrinters"));
    QCOMPARE(window.windowTitle(), QStringLiteral("Select Printer"));
    QCOMPARE(list->count(), printers.size());
    QCOMPARE(list->selectedItems().isEmpty() ? -1 : list->row(list->selectedItems().first()),
             selected);
    QCOMPARE(window.findChild<QPushButton*>(QStringLiteral("cmdOK"))->isEnabled(), selected >= 0);
}

void tst_PrintFramework::printerWindowAnswers_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("answer");
    QTest::newRow("OK") << QStringLiteral("ok") << QStringLiteral("Lab");
    QTest::newRow("typed start and Enter") << QStringLiteral("type") << QStringLiteral("PDF file");
    QTest::newRow("Escape") << QStringLiteral("escape") << QStringLiteral("~CANCEL~");
    QTest::newRow("title bar") << QStringLiteral("close") << QStringLiteral("~CANCEL~");
}

void tst_PrintFramework::printerWindowAnswers()
{
    QFETCH(QString, action);
    QFETCH(QString, answer);
    frmPrint window;
    window.Init({QStringLiteral("Front desk"), QStringLiteral("Lab"), QStringLiteral("PDF file")},
                QStringLiteral("Lab"));
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    auto* list = window.findChild<QListWidget*>(QStringLiteral("lstPrinters"));
    QCOMPARE(QApplication::focusWidget(), list);
    if (action == u"ok")
        QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("cmdOK")), Qt::LeftButton);
    else if (action == u"escape")
        QTest::keyClick(list, Qt::Key_Escape);
    else if (action == u"close")
        window.close();
    else {
        QTest::keyClicks(list, QStringLiteral("PD"));
        QTest::keyClick(list, Qt::Key_Return);
    }
    QVERIFY(!window.isVisible());
    QCOMPARE(SelectedPrinter(), answer);
}

QTEST_MAIN(tst_PrintFramework)
#include "tst_PrintFramework.moc"
