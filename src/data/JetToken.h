#pragma once

#include <QString>

// One token of an SQL text. For Text the value is unquoted; for Date it is the stored form.
struct JetToken {
    enum Kind { Word, Name, Text, Number, Date, Symbol, End };

    Kind kind = End;
    QString value;

    bool isWord(QStringView word) const
    {
        return kind == Word && value.compare(word, Qt::CaseInsensitive) == 0;
    }
    bool isSymbol(QStringView symbol) const { return kind == Symbol && value == symbol; }
    // A field or table name, bare or in brackets.
    bool isName() const { return kind == Word || kind == Name; }
};
