#pragma once

#include <QString>

// One field the search can narrow the list by: the table field used in the condition and
// the ordering, and the name the field list shows for it.
class clsSearchSpecs
{
public:
    clsSearchSpecs(QString sqlname, QString cmbSearchName)
        : m_sqlname(std::move(sqlname)), m_cmbSearchName(std::move(cmbSearchName))
    {
    }

    const QString& sqlname() const { return m_sqlname; }
    const QString& cmbSearchName() const { return m_cmbSearchName; }

private:
    QString m_sqlname;
    QString m_cmbSearchName;
};
