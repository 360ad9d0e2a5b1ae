#include "frmComp.h"

#include "AppDatabase.h"
#include "DaoType.h"
#include "FieldText.h"
#include "Messages.h"
#include "TextRoutines.h"
#include "ui_frmComp.h"

#include <utility>

namespace {

// Each box's text as it goes between single quotes in SQL.
QString quoted(const QLineEdit* box)
{
    return SqlQuote(TrimText(box->text()));
}

} // namespace

frmComp::frmComp(QWidget* parent) : QDialog(parent), ui(std::make_unique<Ui::frmComp>())
{
    ui->setupUi(this);
    connect(ui->cmdOK, &QPushButton::clicked, this, &frmComp::save);
    connect(ui->cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    loadCompany();
}

frmComp::~frmComp() = default;

void frmComp::loadCompany()
{
    RunReportingErrors([this] {
        auto rs = AppDatabase().OpenRecordset(QStringLiteral("SELECT * FROM Company"));
        if (!rs->Eof()) {
            const std::pair<QLineEdit*, const char*> boxes[] = {
                {ui->txtName, "Name"},   {ui->txtAdd1, "address1"}, {ui->txtAdd2, "address2"},
                {ui->txtCity, "city"},   {ui->txtST, "st"},         {ui->txtZip, "zip"},
                {ui->txtEmail, "email"}, {ui->txtPhone, "phone"},   {ui->txtFax, "fax"}};
            for (const auto& [box, field] : boxes)
                box->setText(FieldText(rs->Fields()[field]).toString());
        }
        rs->Close();
    });
}

void frmComp::save()
{
    const QString sql = QStringLiteral("UPDATE Company SET Name='") + quoted(ui->txtName) +
                        QStringLiteral("', address1='") + quoted(ui->txtAdd1) +
                        QStringLiteral("', Address2='") + quoted(ui->txtAdd2) +
                        QStringLiteral("', city='") + quoted(ui->txtCity) +
                        QStringLiteral("', st='") + quoted(ui->txtST) +
                        QStringLiteral("', zip='") + quoted(ui->txtZip) +
                        QStringLiteral("', email='") + quoted(ui->txtEmail) +
                        QStringLiteral("', phone='") + quoted(ui->txtPhone) +
                        QStringLiteral("', fax='") + quoted(ui->txtFax) + QStringLiteral("'");
    if (RunReportingErrors([&] { AppDatabase().Execute(sql, dbFailOnError); }))
        accept();
}
