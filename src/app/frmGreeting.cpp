#include "frmGreeting.h"

#include "ui_frmGreeting.h"

namespace {

const QStringList kGreeting = {
    QStringLiteral("Thank you for your interest in this product."),
    QString(),
    QStringLiteral("We are confident this software will significantly increase your ability to "
                   "monitor and  improve your patients' cholesterol health."),
};

const QStringList kAbilities = {
    QStringLiteral("What you can do with this software:"),
    QString(),
    QStringLiteral("- Rapidly retrieve / view  information on your cholesterol monitored patients"),
    QStringLiteral("- Proactively determine which patients are due for their next bloodwork exam.  "
                   "With this information you can:"),
    QStringLiteral("      - Print out notification letters that can remind patients of their next "
                   "lab visit"),
    QStringLiteral("      - Alternately, print a report of all names and phone numbers of those "
                   "patients"),
    QStringLiteral("- View/Print line graphs of patient's cholesterol history"),
    QStringLiteral("- Print patient detail report"),
    QStringLiteral("- Customize the patient notification form letter template to fit your needs"),
    QStringLiteral("- Save data entry time and effort by importing patient data from other "
                   "sources."),
};

} // namespace

frmGreeting::frmGreeting(QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::frmGreeting>())
{
    ui->setupUi(this);
    ui->lblGreeting1->setText(kGreeting.join(u'\n'));
    ui->lblGretting2->setText(kAbilities.join(u'\n'));
    connect(ui->cmdExit, &QPushButton::clicked, this, &QDialog::accept);
}

frmGreeting::~frmGreeting() = default;
