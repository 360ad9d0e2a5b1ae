#pragma once

#include <QDialog>

class QPrinter;
class QPrintPreviewWidget;

// The job as it will print, page by page. "Print" accepts (the job is then sent);
// "Close" returns to the printer choice.
class PrintPreview : public QDialog {
    Q_OBJECT
public:
    PrintPreview(QPrinter& printer, QWidget* parent = nullptr);

    QPrintPreviewWidget* View() const { return m_view; }

private:
    QPrintPreviewWidget* m_view;
};
