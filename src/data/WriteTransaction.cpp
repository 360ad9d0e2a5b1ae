#include "WriteTransaction.h"

#include "Database.h"
#include "DbError.h"

#include <sqlite3.h>

WriteTransaction::WriteTransaction(Database& db)
    : m_db(db), m_nested(sqlite3_get_autocommit(db.Handle()) == 0)
{
    if (m_nested)
        runOnHandle("SAVEPOINT velmora_write");
    else
        m_db.BeginTrans();
}

WriteTransaction::~WriteTransaction()
{
    if (m_done)
        return;
    try {
        if (m_nested)
            runOnHandle("ROLLBACK TO velmora_write; RELEASE velmora_write");
        else
            m_db.Rollback();
    } catch (const DbError&) {
        // The statement that failed has already ended the transaction.
    }
}

void WriteTransaction::Commit()
{
    if (m_nested)
        runOnHandle("RELEASE velmora_write");
    else
        m_db.CommitTrans();
    m_done = true;
}

// Savepoints are no Jet statements, so they go to the file directly.
void WriteTransaction::runOnHandle(const char* sql)
{
    sqlite3* handle = m_db.Handle();
    if (sqlite3_exec(handle, sql, nullptr, nullptr, nullptr) != SQLITE_OK)
        throw DbError(QString::fromUtf8(sqlite3_errmsg(handle)), QString::fromLatin1(sql));
}
