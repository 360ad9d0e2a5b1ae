#pragma once

#include <QPixmap>

// The program's own picture, drawn rather than loaded: used by the splash and about windows.
QPixmap VelmoraPicture(const QSize& size);
