#pragma once

#include <QString>

// One column of the result grid: the field it stands for, its heading and its width in twips.
class clsViewSpecs
{
public:
    clsViewSpecs(QString sqlname, QString gridHeading, int gridWidth)
        : m_sqlname(std::move(sqlname)), m_gridHeading(std::move(gridHeading)),
          m_gridWidth(gridWidth)
    {
    }

    const QString& sqlname() const { return m_sqlname; }
    const QString& GridHeading() const { return m_gridHeading; }
    int GridWidth() const { return m_gridWidth; }

private:
    QString m_sqlname;
    QString m_gridHeading;
    int m_gridWidth;
};
