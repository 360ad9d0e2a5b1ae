#pragma once

class QWidget;

// Window layouts are given in twips: 15 twips per pixel at 96 dpi, scaled by the screen's
// logical dpi.
namespace Twips {

int ToPixelsX(const QWidget* widget, int twips);
int ToPixelsY(const QWidget* widget, int twips);
int FromPixelsX(const QWidget* widget, int pixels);
int FromPixelsY(const QWidget* widget, int pixels);

} // namespace Twips
