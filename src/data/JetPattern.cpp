#include "JetPattern.h"

namespace {

QList<uint> folded(QStringView text)
{
    return text.toString().toCaseFolded().toUcs4();
}

// One character as a regular expression writes it: ASCII other than letters and digits escaped.
QString regexChar(uint c)
{
    const QString text = QString::fromUcs4(reinterpret_cast<const char32_t*>(&c), 1);
    const bool plain = c >= 0x80 || (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'z') ||
                       (c >= u'A' && c <= u'Z');
    return plain ? text : u'\\' + text;
}

} // namespace

std::optional<JetPattern> JetPattern::Compile(QStringView pattern)
{
    JetPattern result;
    const QList<uint> p = folded(pattern);
    for (qsizetype i = 0; i < p.size(); ++i) {
        Element e;
        switch (p[i]) {
        case u'*':
            e.kind = Element::Any;
            break;
        case u'?':
            e.kind = Element::One;
            break;
        case u'#':
            e.kind = Element::Digit;
            break;
        case u'[': {
            qsizetype j = i + 1;
            e.kind = Element::Set;
            if (j < p.size() && p[j] == u'!') {
                e.negate = true;
                ++j;
            }
            // The first character after '[' (or '[!') is taken literally, even ']'.
            for (bool first = true; j < p.size() && (first || p[j] != u']'); first = false) {
                if (j + 2 < p.size() && p[j + 1] == u'-' && p[j + 2] != u']') {
                    e.ranges.append({qMin(p[j], p[j + 2]), qMax(p[j], p[j + 2])});
                    j += 3;
                } else {
                    e.ranges.append({p[j], p[j]});
                    ++j;
                }
            }
            if (j >= p.size())
                return std::nullopt;
            i = j;
            break;
        }
        default:
            e.ch = p[i];
        }
        result.m_elements.append(e);
    }
    return result;
}

bool JetPattern::matchesOne(const Element& e, uint c) const
{
    switch (e.kind) {
    case Element::One:
        return true;
    case Element::Digit:
        return c >= u'0' && c <= u'9';
    case Element::Set: {
        bool in = false;
        for (const auto& [low, high] : e.ranges)
            in = in || (c >= low && c <= high);
        return in != e.negate;
    }
    case Element::Literal:
        return c == e.ch;
    default:
        return false;
    }
}

bool JetPattern::Matches(QStringView text) const
{
    // Wildcard matching with one back-tracking point: the latest '*' seen.
    const QList<uint> t = folded(text);
    qsizetype ti = 0, pi = 0, starP = -1, starT = 0;
    const qsizetype n = t.size(), m = m_elements.size();
    while (ti < n) {
        if (pi < m && m_elements[pi].kind == Element::Any) {
            starP = pi++;
            starT = ti;
        } else if (pi < m && matchesOne(m_elements[pi], t[ti])) {
            ++pi;
            ++ti;
        } else if (starP >= 0) {
            pi = starP + 1;
            ti = ++starT;
        } else {
            return false;
        }
    }
    while (pi < m && m_elements[pi].kind == Element::Any)
        ++pi;
    return pi == m;
}

QString JetPattern::ToRegex() const
{
    QString regex = QStringLiteral("^");
    for (const Element& e : m_elements) {
        switch (e.kind) {
        case Element::Any:
            regex += QStringLiteral(".*");
            break;
        case Element::One:
            regex += u'.';
            break;
        case Element::Digit:
            regex += QStringLiteral("[0-9]");
            break;
        case Element::Set:
            regex += e.negate ? QStringLiteral("[^") : QStringLiteral("[");
            for (const auto& [low, high] : e.ranges)
                regex += low == high ? regexChar(low) : regexChar(low) + u'-' + regexChar(high);
            regex += u']';
            break;
        case Element::Literal:
            regex += regexChar(e.ch);
            break;
        }
    }
    return regex + u'$';
}
