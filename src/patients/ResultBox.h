#pragma once

#include <QLineEdit>

#include <optional>

// An entry box for one whole-number lab result. It holds digits with an optional leading
// minus sign, optionally followed by a decimal point and more digits; a plus sign,
// thousands separators, blanks and letters are refused as typed, and so is a number
// beyond the 32-bit range. Leaving the box shows a decimal entry as the whole number it is
// stored as (a half going to the even number) and clears a lone sign or point, so the box
// never holds a non-number. The box selects all of its text when it gets the focus.
class ResultBox : public QLineEdit
{
    Q_OBJECT
public:
    explicit ResultBox(QWidget* parent = nullptr);

    // The box's number: 0 when empty.
    qint32 Value() const;
    // The whole number a text stands for; nothing for a text that is no number (or only
    // a sign or a point), 0 for an empty one.
    static std::optional<qint32> WholeNumber(const QString& text);

protected:
    void focusOutEvent(QFocusEvent* event) override;
};
