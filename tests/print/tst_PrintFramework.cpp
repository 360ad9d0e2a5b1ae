// The page layout routines, the printer's page surface and the printer window.
#include "PageLayout.h"
#include "PrintTestbed.h"
#include "PrinterSurface.h"
#include "frmPrint.h"

#include <QListWidget>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>

class tst_PrintFramework : public QObject {
    Q_OBJECT

private slots:
    void pageHeaderFramesTheTitle();
    void pageFooterEndsAtTheRightEdge_data();
    void pageFooterEndsAtTheRightEdge();
    void advancesBreakPastTheLimit_data();
    void advancesBreakPastTheLimit();
    void printerSurfacePlacesTextInTwips();
    void printerWindow_data();
    void printerWindow();
};

// Rules at y 720 and below the 24 point title, which starts 250 below the upper one.
void tst_PrintFramework::pageHeaderFramesTheTitle()
{
    RecordingSurface page;
    page.SetUnderline(true);
    page.SetFontSize(24);
    const int lower = 970 + page.LineHeight() + 50;
    page.SetFontSize(10);
    PrintPageHeader(page, "Smith, Ann B");
    QCOMPARE(Layout(page), QStringList({"line 720,720 to 11520,720", "Smith, Ann B 720,970 24pt",
                                        "line" + At(720, lower) + " to" + At(11520, lower)}));
    QCOMPARE(page.FontSize(), 10.0);
}

void tst_PrintFramework::pageFooterEndsAtTheRightEdge_data()
{
    QTest::addColumn<int>("pages");
    QTest::addColumn<QString>("suffix");
    QTest::newRow("first page") << 1 << QString();
    QTest::newRow("twelfth page") << 12 << QStringLiteral(" p12");
}

void tst_PrintFramework::pageFooterEndsAtTheRightEdge()
{
    QFETCH(int, pages);
    QFETCH(QString, suffix);
    RecordingSurface page;
    for (int i = 1; i < pages; ++i)
        page.NewPage();
    PrintPageFooter(page);
    const QString text = QStringLiteral("Page: %1").arg(pages);
    QCOMPARE(Layout(page), QStringList{text + At(10800 - page.TextWidth(text), 14400) + suffix});
}

void tst_PrintFramework::advancesBreakPastTheLimit_data()
{
    QTest::addColumn<bool>("heading");
    QTest::addColumn<int>("startY");
    QTest::addColumn<bool>("breaks");
    QTest::newRow("line to 13680 stays") << false << 13580 << false;
    QTest::newRow("line past 13680 breaks") << false << 13581 << true;
    QTest::newRow("heading to 13680 stays") << true << 13280 << false;
    QTest::newRow("heading past 13680 breaks") << true << 13281 << true;
}

// A break prints the footer, starts a page with the header and lands 500 below the line that
// follows the header's lower rule, keeping the advance's own underline.
void tst_PrintFramework::advancesBreakPastTheLimit()
{
    QFETCH(bool, heading);
    QFETCH(int, startY);
    QFETCH(bool, breaks);
    RecordingSurface page;
    page.SetFontSize(10);
    page.MoveTo(3000, startY);
    (heading ? NextHeading : NextLine)(page, "Smith, Ann B");
    QCOMPARE(page.CurrentX(), 720);
    QCOMPARE(page.Underline(), heading);
    const QStringList layout = Layout(page);
    if (!breaks) {
        QVERIFY(layout.isEmpty());
        QCOMPARE(page.CurrentY(), startY + (heading ? 400 : 100));
        return;
    }
    QCOMPARE(layout.size(), 4);
    QVERIFY(layout[0].startsWith("Page: 1 ") && layout[0].endsWith(",14400"));
    QCOMPARE(layout[2], "Smith, Ann B 720,970 24pt p2");
    QCOMPARE(page.CurrentY(), page.Items().back().y + 500);
}

void tst_PrintFramework::printerSurfacePlacesTextInTwips()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("surface.pdf");
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setPageSize(QPageSize(QPageSize::Letter));
    printer.setPageMargins(QMarginsF(0, 0, 0, 0));
    PrinterSurface page(printer);
    QCOMPARE(QSize(page.PageWidth(), page.PageHeight()), QSize(12240, 15840));
    page.MoveTo(1440, 2880);
    page.PrintLine("Cholesterol");
    page.NewPage();
    page.MoveTo(7200, 1440);
    page.PrintLine("Second");
    QVERIFY(page.EndDoc());

    // pdftotext's boxes are in points (20 twips) from the page's top-left corner.
    QProcess bbox;
    bbox.start("pdftotext", {"-bbox", path, "-"});
    QVERIFY(bbox.waitForFinished());
    const QString html = QString::fromUtf8(bbox.readAllStandardOutput());
    QMap<QString, QPointF> at;
    for (const auto& word : QRegularExpression("<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\"[^>]*>(\\w+)<")
                                .globalMatch(html))
        at.insert(word.captured(3), {word.captured(1).toDouble(), word.captured(2).toDouble()});
    QCOMPARE(html.count("<page "), 2);
    QVERIFY2(qAbs(at.value("Cholesterol").x() - 72) < 1.5, qPrintable(html));
    QVERIFY(qAbs(at.value("Cholesterol").y() - 144) < 3);
    QVERIFY(qAbs(at.value("Second").x() - 360) < 1.5);
}

void tst_PrintFramework::printerWindow_data()
{
    QTest::addColumn<QString>("current");
    QTest::addColumn<int>("selected");
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("answer");
    QTest::newRow("last equal entry preselected, OK") << "Front desk" << 2 << "ok" << "Front desk";
    QTest::newRow("current not listed, Escape") << "Gone" << -1 << "escape" << "~CANCEL~";
    QTest::newRow("typed start and Enter") << "Lab" << 1 << "type" << "PDF file";
    QTest::newRow("closed from the title bar") << "PDF file" << 3 << "close" << "~CANCEL~";
}

// Preselects the last entry equal to the current printer (OK is off without one); the list has
// the focus; anything but OK answers "~CANCEL~".
void tst_PrintFramework::printerWindow()
{
    QFETCH(QString, current);
    QFETCH(int, selected);
    QFETCH(QString, action);
    QFETCH(QString, answer);
    frmPrint window;
    window.Init({"Front desk", "Lab", "Front desk", "PDF file"}, current);
    auto* list = Child<QListWidget>(window, "lstPrinters");
    QCOMPARE(window.windowTitle(), "Select Printer");
    QCOMPARE(list->selectedItems().isEmpty() ? -1 : list->row(list->selectedItems().first()), selected);
    QCOMPARE(Child<QPushButton>(window, "cmdOK")->isEnabled(), selected >= 0);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QCOMPARE(QApplication::focusWidget(), list);
    if (action == u"ok")
        QTest::mouseClick(Child<QPushButton>(window, "cmdOK"), Qt::LeftButton);
    else if (action == u"escape")
        QTest::keyClick(list, Qt::Key_Escape);
    else if (action == u"close")
        window.close();
    else {
        QTest::keyClicks(list, "PD");
        QTest::keyClick(list, Qt::Key_Return);
    }
    QVERIFY(!window.isVisible());
    QCOMPARE(SelectedPrinter(), answer);
}

QTEST_MAIN(tst_PrintFramework)
#include "tst_PrintFramework.moc"
