#pragma once

#include <QString>
#include <stdexcept>

// An error of the database engine: what went wrong and, where there was one, the SQL text.
class DbError : public std::runtime_error {
public:
    explicit DbError(const QString& message, const QString& statement = QString());

    const QString& Message() const { return m_message; }
    const QString& Statement() const { return m_statement; }
    // The message followed by the statement, as shown to the user.
    QString Description() const;

private:
    QString m_message;
    QString m_statement;
};
