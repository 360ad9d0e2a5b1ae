#include "Twips.h"

#include <QWidget>

namespace {

constexpr int TwipsPerInch = 1440;

int scale(int value, int numerator, int denominator)
{
    return int((qint64(value) * numerator + denominator / 2) / denominator);
}

} // namespace

namespace Twips {

int ToPixelsX(const QWidget* widget, int twips)
{
    return scale(twips, widget->logicalDpiX(), TwipsPerInch);
}

int ToPixelsY(const QWidget* widget, int twips)
{
    return scale(twips, widget->logicalDpiY(), TwipsPerInch);
}

int FromPixelsX(const QWidget* widget, int pixels)
{
    return scale(pixels, TwipsPerInch, widget->logicalDpiX());
}

int FromPixelsY(const QWidget* widget, int pixels)
{
    return scale(pixels, TwipsPerInch, widget->logicalDpiY());
}

} // namespace Twips
