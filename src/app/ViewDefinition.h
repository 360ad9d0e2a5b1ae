#pragma once

#include "ViewColumn.h"

#include <QStringList>
#include <vector>

// One of the six views of the main window: what it lists and how it is chosen. The views
// share one implementation; each states only its texts, query and columns.
struct ViewDefinition {
    QString kind;          // the CurrentView text
    QString title;         // shown in lblData
    QString picture;       // objectName of its picture in the picture menu
    QString icon;          // icon file base name; the highlighted one has "exp_" before it
    QString tooltip;
    QString pictureStatus; // status text while the pointer is over the picture
    QString newRecordStatus; // toolbar button 1 text; empty where no record is added here
    QString sql;
    std::vector<ViewColumn> columns;

    // Patients, doctors, drugs and health factors: records that are added, edited and
    // deleted from the main window.
    bool IsEntity() const { return !newRecordStatus.isEmpty(); }

    // The query's rows as cell text, in query order.
    std::vector<QStringList> ReadRows() const;

    static const std::vector<ViewDefinition>& All();
    // The view of a kind; the Patient view for a text that names none.
    static const ViewDefinition& ForKind(const QString& kind);
};
