#pragma once

#include <QList>
#include <QString>

// One data set the export offers: its entry in the list and the query that reads it.
struct ExportDataSet {
    QString name;
    QString sql;

    // In the order they are offered.
    static const QList<ExportDataSet>& All();
};
