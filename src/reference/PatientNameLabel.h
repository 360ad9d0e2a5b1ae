#pragma once

class QGroupBox;
class QLabel;
class QWidget;

// The patient's name in bold, as the heading of the windows that work on one patient.
QLabel* NewPatientNameLabel(QWidget* parent);

// The frame "Frame1" holding nothing but the patient's name label.
QGroupBox* NewPatientNameFrame(QLabel* nameLabel, QWidget* parent);
