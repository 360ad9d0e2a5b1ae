#pragma once

#include <QString>

// One token of an SQL text. For Text the value is unquoted; for Date it is the stored form.
struct JetToken {
    enum Kind { Word, Name, Text, Number, Date, Symbol, End };

    Kind kind = End;
    QString value;

    bool isWord(QStringView word) const
    {
        // The lengths first: most words asked about are not this one, and that tells at once.
        return kind == Word && value.size() == word.size() &&
               value.compare(word, Qt::CaseInsensitive) == 0;
    }
    bool isSymbol(QStringView symbol) const
    {
        return kind == Symbol && value.size() == symbol.size() && value == symbol;
    }
    // A field or table name, bare or in brackets.
    bool isName() const { return kind == Word || kind == Name; }
};
