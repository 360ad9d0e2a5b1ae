#pragma once

#include <QString>
#include <QVariant>

// Removes leading and trailing blanks (spaces only).
QString TrimText(const QString& text);
// Doubles every single quote, for a text placed between single quotes in SQL.
QString SqlQuote(const QString& text);
// 0 for an empty (or blank) text, otherwise the text as a 32-bit whole number;
// DbError for a text that is no such number.
QVariant NumberOrZero(const QString& text);
// The empty string for a text that trims to "0", otherwise the text unchanged.
QString BlankIfZero(const QString& text);

// Selects all of an entry box's text (any box with text() and setSelection()).
template <class TextBox>
void SelectAllText(TextBox& box)
{
    box.setSelection(0, int(box.text().length()));
}
