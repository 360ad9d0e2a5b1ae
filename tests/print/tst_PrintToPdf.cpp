// Whole print jobs as the user runs them: the printer window, the preview, a PDF file and a
// real CUPS queue, read back with pdftotext.
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

int printLogRows() { return ListWindowTestbed::Count("SELECT count(*) FROM PrintLog"); }

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
        QVERIFY2(bed->AllWindowsSeen() && bed->Loose().isEmpty(), qPrintable(bed->Loose().join(u'|')));
        bed.reset();
    }

    // 60 visits run over pages: the file has every page the recording counts, each with the
    // patient's header, the last with its number, the texts where the recording places them; no
    // question for a detail report.
    void detailReportSpansPagesIntoPdfFile()
    {
        AddDuePatient(1, "Smith", Today);
        AddVisits(1, QDate(2020, 1, 2), 60);
        const RecordingSurface page = Record([](PrintJob& job) { PrintPatientDetail(job, "1"); });
        QVERIFY(page.Page() >= 2);
        const QString path = dir.filePath("detail.pdf");
        bed->OnWindow("frmPrint", [](QDialog& window) { ChoosePrinter(window, "PDF file"); });
        saveAs(path);
        PrintReport("PatientDetail", "1");
        const QString text = PdfText(path);
        QCOMPARE(text.count(u'\f'), page.Page());
        QVERIFY2(text.count("Smith, Ann") == page.Page() && text.contains("Page: " + QString::number(page.Page())),
                 qPrintable(text));
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
        QVERIFY(bed->questions.isEmpty() && printLogRows() == 0);
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
        // The preview's pages, the file's pages (pdftotext ends each with a form feed), questions
        // and entries logged.
        QCOMPARE(QList<qsizetype>({previewPages, PdfText(path).count(u'\f'), bed->questions.size(), printLogRows()}),
                 printFromPreview ? QList<qsizetype>({2, 2, 1, 40}) : QList<qsizetype>({2, 0, 0, 0}));
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
        QCOMPARE(printLogRows(), 1);

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
