#include "DelimitedLine.h"

namespace {

bool onlyBlanks(const QString& text)
{
    for (const QChar c : text)
        if (c != u' ')
            return false;
    return true;
}

} // namespace

QStringList DelimitedLine::Split(QStringView line, QChar delimiter)
{
    QStringList values;
    QString value;
    bool quoted = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line[i];
        if (quoted) {
            if (c != u'"')
                value.append(c);
            else if (i + 1 < line.size() && line[i + 1] == u'"')
                value.append(line[++i]);
            else
                quoted = false;
        } else if (c == delimiter) {
            values.append(value);
            value.clear();
        } else if (c == u'"') {
            // Only a quote that opens a value (after blanks at most) starts a quoted value.
            if (onlyBlanks(value))
                quoted = true;
        } else {
            value.append(c);
        }
    }
    values.append(value);
    return values;
}

QChar DelimitedLine::Detect(QStringView line)
{
    return Split(line, Tab).size() > 1 ? Tab : Comma;
}
