#pragma once

class QFontMetrics;

// A grid column width given in twips, in pixels of the grid's font. The widths were laid
// out for a font whose digits are 90 twips wide; they scale with the font in use, so that
// dates and numbers fit whatever font the screen has.
int GridColumnPixels(const QFontMetrics& metrics, int twips);
