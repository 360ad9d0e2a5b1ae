// Whole print jobs as the user runs them: the printer window, the preview, a PDF file and a
// real CUPS queue, read back with pdftotext.
#include "PageLayout.h"
#include "PrintCallList.h"
#include "PrintPatientDetail.h"
#include "PrintReport.h"
#include "PrintTestbed.h"
#include "PrinterChoice.h"
#include "PrinterSurface.h"

#include <QDirIterator>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>

namespace {

const QString CupsQueue = QStringLiteral("VelmoraPDF");
// cups-pdf writes each user's jobs below this folder (set by scripts/start-cups.sh).
const QString CupsPdfFolder = QStringLiteral("/var/spool/cups-pdf");

// pdftotext ends each page with a form feed; a file that is not there has none.
int pdfPages(const QString& path) { return int(PdfText(path).count(u'\f')); }

void addDuePatients(int count)
{
    for (int i = 1; i <= count; ++i)
        AddDuePatient(i, "Smith" + QString::number(i), Today.addDays(-i));
}

} // namespace

class tst_PrintToPdf : public QObject {
    Q_OBJECT
    std::unique_ptr<ListWindowTestbed> bed;
    QTemporaryDir dir;

    void saveAs(const QString& path)
    {
        bed->OnWindow("dlgSavePdf", [path](QDialog& window) { SaveAs(window, path); });
    }

private slots:
    void init() { bed = std::make_unique<ListWindowTestbed>(); }
    void cleanup()
    {
        QVERIFY2(bed->AllWindowsSeen(), "a window did not appear");
        QVERIFY2(bed->leftOpen.isEmpty(), qPrintable(bed->leftOpen.join(u'|')));
        QVERIFY2(bed->unanswered.isEmpty(), qPrintable(bed->unanswered.join(u'|')));
        bed.reset();
    }

    // 60 visits, newest first, under the patient's header on every page and the column titles
    // once; nothing below the break limit but the footers; every page the recording surface counts
    // is in the file, with its texts; no question for a detail report.
    void detailReportSpansPagesIntoPdfFile()
    {
        AddDuePatient(1, "Smith", Today);
        for (int i = 1; i <= 60; ++i)
            Sql(QStringLiteral("INSERT INTO LabVisits (id, ptid, labdate, overallcl, the_intervention) "
                               "VALUES (%1, 1, #%2#, 200, 'Visit %1')").arg(i).arg(UsDate(QDate(2020, 1, 1).addDays(i))));
        const RecordingSurface page = Record([](PrintJob& job) { PrintPatientDetail(job, "1"); });
        QVERIFY(page.Page() >= 2);
        for (int number = 1; number <= page.Page(); ++number) {
            std::vector<RecordingSurface::Item> texts = page.Texts();
            std::erase_if(texts, [number](const auto& item) { return item.page != number; });
            QCOMPARE(texts.front().text + At(texts.front().x, texts.front().y), "Smith, Ann  720,970");
            QCOMPARE(texts.back().text, QStringLiteral("Page: %1").arg(number));
        }
        for (const auto& item : page.Texts())
            QVERIFY(item.y <= PageGeometry::PageBreakLimit || item.text.startsWith(u"Page: "));
        const QStringList layout = Layout(page);
        QCOMPARE(layout.filter(QRegularExpression("^Visit \\d+ 5000,")).size(), 60);
        QCOMPARE(layout.filter(QRegularExpression("^Lab Date ")).size(), 1);
        QCOMPARE(page.FindText("Visit 60")->page, 1);
        QCOMPARE(page.FindText("Visit 1")->page, page.Page());

        const QString path = dir.filePath("detail.pdf");
        bed->OnWindow("frmPrint", [](QDialog& window) { ChoosePrinter(window, "PDF file"); });
        saveAs(path);
        PrintReport("PatientDetail", "1");
        const QString text = PdfText(path);
        QCOMPARE(text.count(u'\f'), page.Page());
        for (const char* expected : {"Smith, Ann", "Contact Info", "Date of Brith", "Blood work performed",
                                     "Visit 1", "Page: 1", "Page: 2"})
            QVERIFY2(text.contains(expected), expected);
        QVERIFY(bed->questions.isEmpty());
        // pdftotext's boxes are in points (20 twips) from the page's top-left corner.
        QProcess bbox;
        bbox.start("pdftotext", {"-bbox", "-l", "1", path, "-"});
        QVERIFY(bbox.waitForFinished());
        const QString boxes = bbox.readAllStandardOutput();
        for (const QString& word : {"Contact Info", "Intervention"}) {
            const auto box = QRegularExpression("<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\"[^>]*>" +
                                                word.section(u' ', 0, 0) + "<").match(boxes);
            QVERIFY2(qAbs(box.captured(1).toDouble() - page.FindText(word)->x / 20.0) < 1.5, qPrintable(boxes));
            QVERIFY(qAbs(box.captured(2).toDouble() - page.FindText(word)->y / 20.0) < 3);
        }
    }

    void failedPdfWriteLogsNothing()
    {
        addDuePatients(2);
        const QString path = dir.filePath("missing/folder/list.pdf");
        QPrinter printer;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        printer.setPageSize(QPageSize(QPageSize::Letter));
        PrinterSurface page(printer);
        QCOMPARE(QSize(page.PageWidth(), page.PageHeight()), QSize(12240, 15840));
        PrintJob job{page, Today};
        PrintCallList(job);
        QCOMPARE(bed->notices, QStringList{"The document could not be printed to " + path + u'.'});
        QVERIFY(bed->questions.isEmpty());
        QCOMPARE(PrintLogRows(), 0);
    }

    void preview_data()
    {
        QTest::addColumn<bool>("printFromPreview");
        QTest::newRow("closed, then Cancel") << false;
        QTest::newRow("Print from the preview") << true;
    }

    // The preview shows the job's pages; only a job printed from it asks to update the print log.
    void preview()
    {
        QFETCH(bool, printFromPreview);
        addDuePatients(40);
        const QString path = dir.filePath("previewed.pdf");
        int previewPages = 0;
        bed->OnWindow("frmPrint", [&](QDialog& window) {
            // The preview is a window of its own inside this one.
            QTimer::singleShot(200, [&] {
                QWidget* preview = QApplication::activeModalWidget();
                previewPages = Child<QPrintPreviewWidget>(*preview, "pvwPages")->pageCount();
                QTest::mouseClick(Child<QPushButton>(*preview, printFromPreview ? "cmdPrint" : "cmdClose"),
                                  Qt::LeftButton);
            });
            ChoosePrinter(window, "PDF file", "cmdPreview");
            if (window.isVisible())
                QTest::mouseClick(Child<QPushButton>(window, "cmdCancel"), Qt::LeftButton);
        });
        if (printFromPreview) {
            saveAs(path);
            bed->Answer({true});
        }
        PrintReport("CallList", QString());
        QCOMPARE(previewPages, 2);
        QCOMPARE(pdfPages(path), printFromPreview ? 2 : 0);
        QCOMPARE(bed->questions.size(), printFromPreview ? 1 : 0);
        QCOMPARE(PrintLogRows(), printFromPreview ? 40 : 0);
    }

    void callListThroughCupsQueue()
    {
        if (!QPrinterInfo::availablePrinterNames().contains(CupsQueue))
            QSKIP("The CUPS queue VelmoraPDF is not there: the CUPS server cannot be reached or the "
                  "queue was not added (bash scripts/start-cups.sh starts both).");
        const QString name = QStringLiteral("Quimby%1x").arg(QDateTime::currentMSecsSinceEpoch() % 100000);
        AddDuePatient(1, name, Today);
        bed->OnWindow("frmPrint", [](QDialog& window) { ChoosePrinter(window, CupsQueue); });
        bed->Answer({true});
        const QDateTime sent = QDateTime::currentDateTime().addSecs(-1);
        PrintReport("CallList", QString());
        QCOMPARE(PrintLogRows(), 1);

        // cups-pdf writes the file once the job has passed the queue.
        QString found;
        QTRY_VERIFY_WITH_TIMEOUT(
            [&] {
                QDirIterator files(CupsPdfFolder, {"call-list*.pdf"}, QDir::Files, QDirIterator::Subdirectories);
                while (files.hasNext()) {
                    const QString file = files.next();
                    if (files.fileInfo().lastModified() >= sent && PdfText(file).contains(name))
                        found = file;
                }
                return !found.isEmpty();
            }(),
            30000);
        const QString text = PdfText(found);
        for (const QString& expected : {QStringLiteral("Call List"), QStringLiteral("Assigned Call Date"), name + ", Ann"})
            QVERIFY2(text.contains(expected), qPrintable(expected));
    }
};

QTEST_MAIN(tst_PrintToPdf)
#include "tst_PrintToPdf.moc"
