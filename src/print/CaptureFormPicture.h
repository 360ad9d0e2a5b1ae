#pragma once

#include <QString>

class QWidget;

// Where the picture of the printed chart is kept: "chartpic.bmp" in the per-user data folder.
QString ChartPicturePath();

// Renders the widget (not a copy of the screen, so a covered or off-screen window prints
// whole) into the chart picture, overwriting the last one. A widget larger than the room on
// the printed page is drawn scaled down to fit it. False, with the reason shown, when the
// picture cannot be written.
bool CaptureFormPicture(QWidget& window);
