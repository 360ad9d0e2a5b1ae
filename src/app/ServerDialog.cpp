#include "ServerDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

namespace
{

QLineEdit* entry(QWidget* parent, const char* name, const QString& text)
{
    auto* edit = new QLineEdit(text, parent);
    edit->setObjectName(QLatin1String(name));
    return edit;
}

// A value as a connection string quotes it.
QString quoted(QString value)
{
    value.replace(u'\\', QStringLiteral("\\\\")).replace(u'\'', QStringLiteral("\\'"));
    return u'\'' + value.trimmed() + u'\'';
}

} // namespace

ServerDialog::ServerDialog(QWidget* parent, const QString& title)
    : QDialog(parent), m_address(entry(this, "txtServerAddress", QStringLiteral("localhost"))),
      m_port(new QSpinBox(this)),
      m_database(entry(this, "txtServerDatabase", QStringLiteral("velmora"))),
      m_user(entry(this, "txtServerUser", qEnvironmentVariable("USER")))
{
    setObjectName(QStringLiteral("ServerDialog"));
    setWindowTitle(title);
    setMinimumWidth(420);
    m_port->setObjectName(QStringLiteral("txtServerPort"));
    m_port->setRange(1, 65535);
    m_port->setValue(5432);
    auto* form = new QFormLayout(this);
    form->addRow(QStringLiteral("Server &address:"), m_address);
    form->addRow(QStringLiteral("&Port:"), m_port);
    form->addRow(QStringLiteral("&Database:"), m_database);
    form->addRow(QStringLiteral("&User:"), m_user);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("cmdOK"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("cmdCancel"));
    form->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    const auto complete = [this, buttons] {
        buttons->button(QDialogButtonBox::Ok)
            ->setEnabled(!m_address->text().trimmed().isEmpty() &&
                         !m_database->text().trimmed().isEmpty());
    };
    connect(m_address, &QLineEdit::textChanged, this, complete);
    connect(m_database, &QLineEdit::textChanged, this, complete);
}

QString ServerDialog::Connection() const
{
    QString connection = QStringLiteral("host=%1 port=%2 dbname=%3")
                             .arg(quoted(m_address->text()))
                             .arg(m_port->value())
                             .arg(quoted(m_database->text()));
    if (!m_user->text().trimmed().isEmpty())
        connection += QStringLiteral(" user=") + quoted(m_user->text());
    return connection;
}
