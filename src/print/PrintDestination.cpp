#include "PrintDestination.h"

#include <QDir>
#include <QFileDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>

namespace PrintDestination {

const QString PdfFile = QStringLiteral("PDF file");

namespace {

QString& currentPrinter()
{
    static QString current = [] {
        const QString systemDefault = QPrinterInfo::defaultPrinterName();
        return systemDefault.isEmpty() ? PdfFile : systemDefault;
    }();
    return current;
}

} // namespace

QStringList Available()
{
    QStringList names = QPrinterInfo::availablePrinterNames();
    names.append(PdfFile);
    return names;
}

QString Current()
{
    return currentPrinter();
}

void SelectPrinter(const QString& name)
{
    currentPrinter() = name;
}

std::unique_ptr<QPrinter> MakePrinter(const QString& name, const QString& documentName)
{
    auto printer = name == PdfFile
                       ? std::make_unique<QPrinter>(QPrinter::HighResolution)
                       : std::make_unique<QPrinter>(QPrinterInfo::printerInfo(name),
                                                    QPrinter::HighResolution);
    if (name == PdfFile)
        printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setPageSize(QPageSize(QPageSize::Letter));
    printer->setPageOrientation(QPageLayout::Portrait);
    // The layout's coordinates start at the page's top-left corner; the printer keeps its
    // own unprintable edges.
    printer->setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    printer->setCopyCount(1);
    printer->setDocName(documentName);
    return printer;
}

QString AskPdfPath(QWidget* parent, const QString& fileStem, QDate today)
{
    QFileDialog dialog(parent, QStringLiteral("Save as PDF"));
    dialog.setObjectName(QStringLiteral("dlgSavePdf"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(QStringLiteral("PDF files (*.pdf)"));
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    QDir().mkpath(documents);
    dialog.setDirectory(documents);
    dialog.selectFile(fileStem + u'-' + today.toString(u"yyyy-MM-dd") + QStringLiteral(".pdf"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

} // namespace PrintDestination
