#pragma once

#include <QValidator>

// Drug names are stored with a trailing registered sign in a 20-character column; the
// entry box takes at most 19 characters before that sign, so the sign always fits.
class DrugNameValidator : public QValidator {
    Q_OBJECT
public:
    static constexpr QChar kSign = QChar(0x00AE);
    static constexpr int kNameLength = 19;

    using QValidator::QValidator;
    State validate(QString& input, int& pos) const override;

    // The name as stored: with the registered sign appended unless it ends with it already.
    static QString WithSign(const QString& name);
};
