#include "WriteTransaction.h"

#include "Database.h"
#include "DbError.h"

WriteTransaction::WriteTransaction(Database& db) : m_db(db)
{
    m_db.BeginTrans();
}

WriteTransaction::~WriteTransaction()
{
    if (m_done)
        return;
    try {
        m_db.Rollback();
    } catch (const DbError&) {
        // The statement that failed has already ended the transaction.
    }
}

void WriteTransaction::Commit()
{
    m_db.CommitTrans();
    m_done = true;
}
