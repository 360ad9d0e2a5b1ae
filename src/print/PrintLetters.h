#pragma once

#include <QDate>

class PageSurface;
struct PrintJob;

// One reminder letter per due patient, merged from the company details and the letter
// template, after the user agreed to the count; afterwards the print log update is offered.
void PrintLetters(PrintJob& job);
// The company's name and address at the top left and the date right-aligned beside it.
void PrintCompanyBlock(PageSurface& page, QDate today);
