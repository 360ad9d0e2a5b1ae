#include "PrintPreview.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QVBoxLayout>

PrintPreview::PrintPreview(QPrinter& printer, QWidget* parent)
    : QDialog(parent), m_view(new QPrintPreviewWidget(&printer, this))
{
    setObjectName(QStringLiteral("PrintPreview"));
    setWindowTitle(QStringLiteral("Print Preview"));
    m_view->setObjectName(QStringLiteral("pvwPages"));
    m_view->fitToWidth();
    auto* pages = new QLabel(this);
    pages->setObjectName(QStringLiteral("lblPages"));
    connect(m_view, &QPrintPreviewWidget::previewChanged, pages, [this, pages] {
        pages->setText(QStringLiteral("%1 page(s)").arg(m_view->pageCount()));
    });
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* print = buttons->addButton(QStringLiteral("&Print"), QDialogButtonBox::AcceptRole);
    print->setObjectName(QStringLiteral("cmdPrint"));
    print->setDefault(true);
    QPushButton* close = buttons->addButton(QStringLiteral("&Close"), QDialogButtonBox::RejectRole);
    close->setObjectName(QStringLiteral("cmdClose"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(pages);
    bottom->addWidget(buttons, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_view, 1);
    layout->addLayout(bottom);
    resize(760, 900);
}
