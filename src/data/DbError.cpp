#include "DbError.h"

DbError::DbError(const QString& message, const QString& statement, Kind kind)
    : std::runtime_error(message.toStdString()), m_message(message), m_statement(statement),
      m_kind(kind)
{
}

QString DbError::Description() const
{
    if (m_statement.isEmpty())
        return m_message;
    return m_message + QStringLiteral("\n\nStatement:\n") + m_statement;
}
