#include "GridColumnWidth.h"

#include <QFontMetrics>

namespace {

constexpr int TwipsPerDigit = 90;

} // namespace

int GridColumnPixels(const QFontMetrics& metrics, int twips)
{
    return int(qint64(twips) * metrics.horizontalAdvance(u'0') / TwipsPerDigit);
}
