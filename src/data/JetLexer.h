#pragma once

#include "JetToken.h"

#include <QList>

// Splits SQL text into tokens. Refuses what cannot be part of a statement:
// an unterminated text, name or date, an impossible date, a character with no meaning.
class JetLexer {
public:
    static QList<JetToken> Tokenize(const QString& sql);

private:
    explicit JetLexer(const QString& sql) : m_sql(sql) {}

    JetToken next();
    JetToken quoted(QChar quote);
    JetToken bracketName();
    JetToken dateLiteral();
    JetToken number();
    JetToken word();
    JetToken symbol();
    [[noreturn]] void fail(const QString& message) const;

    const QString& m_sql;
    qsizetype m_pos = 0;
};
