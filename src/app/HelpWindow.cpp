#include "HelpWindow.h"

#include <QDialogButtonBox>
#include <QPointer>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace {

const QUrl kContents(QStringLiteral("qrc:/help/index.html"));

} // namespace

HelpWindow::HelpWindow(QWidget* parent) : QDialog(parent), browser(new QTextBrowser(this))
{
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QStringLiteral("Velmora Help"));
    browser->setObjectName(QStringLiteral("browserHelp"));
    browser->setSource(kContents);

    auto* buttons = new QDialogButtonBox;
    auto* contents = buttons->addButton(QStringLiteral("&Contents"), QDialogButtonBox::ActionRole);
    auto* back = buttons->addButton(QStringLiteral("&Back"), QDialogButtonBox::ActionRole);
    auto* close = buttons->addButton(QDialogButtonBox::Close);
    contents->setObjectName(QStringLiteral("cmdContents"));
    back->setObjectName(QStringLiteral("cmdBack"));
    back->setEnabled(false);
    connect(contents, &QPushButton::clicked, browser, &QTextBrowser::home);
    connect(back, &QPushButton::clicked, browser, &QTextBrowser::backward);
    connect(browser, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
    connect(close, &QPushButton::clicked, this, &QDialog::close);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(browser);
    layout->addWidget(buttons);
    resize(760, 620);
}

void HelpWindow::ShowContents(QWidget* parent)
{
    // One help window at a time; asking again brings it forward at its contents page.
    static QPointer<HelpWindow> open;
    if (!open) {
        open = new HelpWindow(parent);
        open->setAttribute(Qt::WA_DeleteOnClose);
    }
    open->browser->setSource(kContents);
    open->show();
    open->raise();
    open->activateWindow();
}
