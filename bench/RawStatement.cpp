#include "RawStatement.h"

#include <sqlite3.h>
#include <stdexcept>
#include <string>

RawStatement::RawStatement(sqlite3* db, const char* sql) : m_db(db)
{
    if (sqlite3_prepare_v2(db, sql, -1, &m_stmt, nullptr) != SQLITE_OK)
        fail();
}

RawStatement::~RawStatement()
{
    sqlite3_finalize(m_stmt);
}

void RawStatement::fail() const
{
    throw std::runtime_error(std::string("sqlite: ") + sqlite3_errmsg(m_db));
}

void RawStatement::Bind(int index, const QString& text)
{
    int rc = SQLITE_OK;
    if (text.isNull()) {
        rc = sqlite3_bind_null(m_stmt, index);
    } else {
        const QByteArray utf8 = text.toUtf8();
        rc = sqlite3_bind_text(m_stmt, index, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
    }
    if (rc != SQLITE_OK)
        fail();
}

void RawStatement::Bind(int index, std::optional<int> number)
{
    const int rc =
        number ? sqlite3_bind_int(m_stmt, index, *number) : sqlite3_bind_null(m_stmt, index);
    if (rc != SQLITE_OK)
        fail();
}

bool RawStatement::Step()
{
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW)
        return true;
    if (rc != SQLITE_DONE)
        fail();
    return false;
}

void RawStatement::Reset()
{
    sqlite3_reset(m_stmt);
}

void RawStatement::Run()
{
    while (Step()) {
    }
    Reset();
}
