#pragma once

#include <QDialog>

class QLineEdit;
class QSpinBox;

// Asks where a database server is: address, port, database and user. The password is never
// asked here: it comes from ~/.pgpass or is asked for when connecting.
class ServerDialog : public QDialog
{
    Q_OBJECT
public:
    ServerDialog(QWidget* parent, const QString& title);

    // The libpq connection string of the entries.
    QString Connection() const;

private:
    QLineEdit* m_address;
    QSpinBox* m_port;
    QLineEdit* m_database;
    QLineEdit* m_user;
};
