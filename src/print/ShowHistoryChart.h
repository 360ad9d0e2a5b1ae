#pragma once

#include <QString>

class QWidget;

// Charts the patient's lab visits of the kind: asks for a scope when there are more than 12,
// then opens the chart window over parent, or says that at least two results are needed.
void ShowHistoryChart(QWidget* parent, const QString& ptid, const QString& kind);
