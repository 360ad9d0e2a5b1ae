#pragma once

#include <QString>

class QImage;
class PageSurface;
class frmChart;

// Prints the chart window's chart of the kind for the patient, through the printer window.
void PrintHistoryChart(frmChart& window, const QString& kind, const QString& ptid);

// The printed chart: the page header with the patient's name, the kind, the picture centred
// at its size (15 twips a pixel) and the charted dates and values, oldest first. Ends the job.
void DrawHistoryChart(PageSurface& page, const QImage& picture, const QString& kind,
                      const QString& ptid);
