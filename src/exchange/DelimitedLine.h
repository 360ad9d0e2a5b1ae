#pragma once

#include <QChar>
#include <QStringList>
#include <QStringView>

// One line of a comma- or tab-delimited file, split into its values. A value that begins with
// a double quote is read as spreadsheets write it: delimiters inside the quotes belong to the
// value, a doubled quote is one quote and the enclosing quotes are not kept. A double quote
// anywhere else is dropped.
class DelimitedLine {
public:
    static constexpr QChar Comma = u',';
    static constexpr QChar Tab = u'\t';

    static QStringList Split(QStringView line, QChar delimiter);
    // Tab when the line has a tab outside quotes, otherwise comma.
    static QChar Detect(QStringView line);
};
