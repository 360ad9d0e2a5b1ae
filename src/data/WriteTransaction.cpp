#include "WriteTransaction.h"

#include "Database.h"
#include "DbError.h"

WriteTransaction::WriteTransaction(Database& db)
    : m_db(db), m_nested(db.InTransaction())
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

// Savepoints are no Jet statements, so they go to the back end directly.
void WriteTransaction::runOnHandle(const char* sql)
{
    m_db.ExecuteDirect(sql);
}
