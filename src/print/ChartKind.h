#pragma once

#include <QString>

class clsLabVisit;

// One kind of history chart: the value it charts, its fixed scale and the patient's goal
// for it. The kind text travels between the chart windows and selects the row.
struct ChartKind {
    // The kind named by the text, blanks around it ignored; nullptr for any other.
    static const ChartKind* Find(const QString& kind);

    QString kind;
    // The setup window's option, its caption, and the kind text it hands on.
    const char* option;
    QString caption;
    QString handedOn;
    // The field of LabVisits and the point's property holding its value.
    const char* field;
    qint32 (clsLabVisit::*value)() const;
    int minimum;
    int maximum;
    int majorDivisions;
    int minorDivisions;
    // The field of Patients with the goal for this value; nullptr when there is none.
    const char* goalField;

    // The row of the setup window's option in order, and how many rows there are.
    static const ChartKind& At(int index);
    static int Count();
};
