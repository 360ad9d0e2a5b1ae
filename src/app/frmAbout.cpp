#include "frmAbout.h"

#include "Artwork.h"
#include "ui_frmAbout.h"

frmAbout::frmAbout(QWidget* parent) : QDialog(parent), ui(std::make_unique<Ui::frmAbout>())
{
    ui->setupUi(this);
    ui->picLogo->setPixmap(VelmoraPicture(QSize(400, 160)));
    if (parent)
        setWindowIcon(parent->window()->windowIcon());
    connect(ui->cmdOK, &QPushButton::clicked, this, &QDialog::accept);
}

frmAbout::~frmAbout() = default;
