#pragma once

#include <QDialog>

class QTextBrowser;

// The in-program help: HTML pages compiled into the resources, with a contents page.
class HelpWindow : public QDialog {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);

    // Opens the help at its contents page; the caller does not wait for it to close.
    static void ShowContents(QWidget* parent);

private:
    QTextBrowser* browser;
};
