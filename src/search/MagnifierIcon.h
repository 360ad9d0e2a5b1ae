#pragma once

#include <QIcon>

class QPalette;

// The picture of the search buttons: a magnifying glass in the palette's button text
// colour, greyed as the palette greys text while the button is disabled.
QIcon MagnifierIcon(const QPalette& palette);
