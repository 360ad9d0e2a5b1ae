#pragma once

#include <QString>
#include <QStringList>
#include <optional>

struct FieldDef;

// How one value of an import file is written into an INSERT for its field: text quoted with
// its apostrophes doubled, numbers and dates only once they are checked to be numbers and
// dates, so that no value can change the statement around it.
class ImportValue {
public:
    // The SQL literal of the trimmed value, or nothing when the value is not of the field's
    // kind. A text longer than its field is cut, with a message added to messages.
    static std::optional<QString> Literal(const FieldDef& field, const QString& value,
                                          QStringList& messages);

private:
    static QString text(const FieldDef& field, const QString& value, QStringList& messages);
    static std::optional<QString> date(const QString& value);
    static std::optional<QString> number(int type, const QString& value);
};
