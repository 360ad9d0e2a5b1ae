#pragma once

class QLabel;
class QWidget;

// The patient's name in bold, as the heading of the windows that work on one patient.
QLabel* NewPatientNameLabel(QWidget* parent);
