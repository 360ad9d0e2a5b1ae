#pragma once

#include <QString>
#include <stdexcept>

// An error of the database engine: what went wrong and, where there was one, the SQL text.
class DbError : public std::runtime_error {
public:
    // What the caller can do about it: Conflict (another writer held the data, a serialization
    // failure or a deadlock) is worth running again; ConnectionLost asks for a new connection;
    // PasswordNeeded for a server that wants a password the connection did not give.
    enum Kind { Failed, Conflict, ConnectionLost, PasswordNeeded };

    explicit DbError(const QString& message, const QString& statement = QString(),
                     Kind kind = Failed);

    const QString& Message() const { return m_message; }
    const QString& Statement() const { return m_statement; }
    Kind GetKind() const { return m_kind; }
    // The message followed by the statement, as shown to the user.
    QString Description() const;

private:
    QString m_message;
    QString m_statement;
    Kind m_kind;
};
