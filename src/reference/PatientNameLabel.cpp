#include "PatientNameLabel.h"

#include <QLabel>

QLabel* NewPatientNameLabel(QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QStringLiteral("lblFullName"));
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}
