#pragma once

#include <QString>
#include <optional>

// The whole number a box holds, as the 16-bit fields store it: 0 for an empty box, nothing
// for text that is no whole number from -32768 to 32767.
std::optional<qint16> ShortNumberOrZero(const QString& text);
