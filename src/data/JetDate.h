#pragma once

#include <QDateTime>
#include <QString>
#include <optional>

// Date values as the SQL text writes them and as the file stores them.
// Stored dates are text "yyyy-MM-dd HH:mm:ss", so that they compare and sort by value.
namespace JetDate {

// The date 1/1/1900 that stands for "no date".
QDateTime NoDate();

// Parses the text between two '#' signs: m/d/yyyy, m/d/yy (00-29 -> 20xx, 30-99 -> 19xx),
// yyyy-mm-dd, each optionally followed by a time h:mm[:ss] [AM|PM], or a time alone.
std::optional<QDateTime> Parse(QStringView text);

QString ToStorage(const QDateTime& value);

// "mm/dd/yyyy", the form of date literals and of dates on screen; empty for an invalid date.
QString ToUsText(QDate date);
std::optional<QDateTime> FromStorage(const char* text, int length);

// A day count from 12/30/1899, as numbers stored in date fields are read.
std::optional<QDateTime> FromSerial(double serial);

} // namespace JetDate
