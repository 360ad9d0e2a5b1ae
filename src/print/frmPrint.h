#pragma once

#include <QDialog>
#include <QStringList>
#include <functional>
#include <memory>

namespace Ui { class frmPrint; }
class PageSurface;

// The answer of the last printer window: the chosen printer's name or "~CANCEL~".
const QString& SelectedPrinter();
extern const QString PrintCancelled;

// "Select Printer": lists the printers, preselects the current one, and can show the job
// in a preview before it is sent. Any way of closing but OK (or Print in the preview)
// counts as Cancel.
class frmPrint : public QDialog {
    Q_OBJECT
public:
    // Draws the job for the preview, on the page of the printer shown.
    using JobDrawing = std::function<void(PageSurface& page)>;

    explicit frmPrint(QWidget* parent = nullptr);
    ~frmPrint() override;

    // Lists the printers in order and selects the last one named as the current printer;
    // nothing is selected when none is.
    void Init(const QStringList& colPrinters, const QString& currentPrinter);
    void SetPreview(JobDrawing drawJob, const QString& documentName);

    void accept() override;
    void reject() override;

private:
    void updateButtons();
    void preview();

    std::unique_ptr<Ui::frmPrint> ui;
    JobDrawing m_drawJob;
    QString m_documentName;
};
