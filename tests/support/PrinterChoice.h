#pragma once

// The user's part in a print job, choosing a printer and naming the PDF file, and the text of
// the PDF it wrote.

#include <QDialog>
#include <QFileDialog>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QTest>

// Selects the printer in the printer window and presses one of its buttons.
inline void ChoosePrinter(QDialog& window, const QString& printer, const char* button = "cmdOK")
{
    auto* list = window.findChild<QListWidget*>(QStringLiteral("lstPrinters"));
    list->setCurrentItem(list->findItems(printer, Qt::MatchExactly).value(0));
    QTest::mouseClick(window.findChild<QPushButton*>(QString::fromLatin1(button)), Qt::LeftButton);
}

// Names the file in the "Save as PDF" dialog and saves.
inline void SaveAs(QDialog& window, const QString& path)
{
    static_cast<QFileDialog&>(window).selectFile(path);
    window.accept();
}

// The text pdftotext reads from the file, laid out as on the page.
inline QString PdfText(const QString& path)
{
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    text.waitForFinished();
    return QString::fromUtf8(text.readAllStandardOutput());
}
