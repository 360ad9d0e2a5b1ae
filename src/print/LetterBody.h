#pragma once

#include <QString>

class PageSurface;

// Fills the letter body's words into lines at the letter's left margin, no wider than the
// page width minus both margins. A word wider than that alone gets a line of its own; a
// body that reaches the page's bottom margin continues at the top of a new page.
void PrintLetterBody(PageSurface& page, const QString& body);

// The letter's left and top margin, and the room kept free at the foot of its page.
namespace LetterGeometry {
constexpr int Margin = 1440;
} // namespace LetterGeometry
