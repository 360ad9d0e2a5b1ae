#include "PatientNameLabel.h"

#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

QLabel* NewPatientNameLabel(QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QStringLiteral("lblFullName"));
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

QGroupBox* NewPatientNameFrame(QLabel* nameLabel, QWidget* parent)
{
    auto* frame = new QGroupBox(parent);
    frame->setObjectName(QStringLiteral("Frame1"));
    (new QVBoxLayout(frame))->addWidget(nameLabel);
    return frame;
}
