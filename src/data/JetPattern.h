#pragma once

#include <QList>
#include <QString>
#include <optional>

// A LIKE pattern: * any run, ? one character, # one digit, [abc], [!abc], [a-z].
// Letters match without regard to case.
class JetPattern {
public:
    // nullopt when a '[' is never closed.
    static std::optional<JetPattern> Compile(QStringView pattern);
    bool Matches(QStringView text) const;
    // The same match as an anchored regular expression (POSIX advanced), to be applied without
    // regard to case.
    QString ToRegex() const;

private:
    struct Element {
        enum Kind { Any, One, Digit, Set, Literal } kind = Literal;
        uint ch = 0;
        bool negate = false;
        QList<std::pair<uint, uint>> ranges;
    };

    bool matchesOne(const Element& e, uint c) const;

    QList<Element> m_elements;
};
